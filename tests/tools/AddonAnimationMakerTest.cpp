// The add-on disc's animations, read back by the engine as the game reads
// them, and held to the rule for flashing pictures.
#include "AddonAnimationMaker.h"
#include "AnimationMaker.h"

#include "DecodedFlic.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Relative luminance (0 … 1) of the middle of a frame, where the card turns.
double MiddleLuminance(const Decoded& d, int f)
{
    const auto linear = [](std::uint32_t v) {
        const double s = (v & 0xFF) / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    double sum = 0;
    int n = 0;
    for (int y = d.height / 4; y < d.height * 3 / 4; ++y)
        for (int x = d.width / 4; x < d.width * 3 / 4; ++x, ++n) {
            const std::uint32_t c = d.colours[std::size_t(f)][d.pixels[std::size_t(f)][std::size_t(y * d.width + x)]];
            sum += 0.2126 * linear(c >> 16) + 0.7152 * linear(c >> 8) + 0.0722 * linear(c);
        }
    return sum / n;
}

// Swings of at least a tenth of the full range, each against the one
// before; two make a flash. The most found in one second of the loop.
double WorstFlashesPerSecond(const std::vector<double>& light, int periodMs)
{
    std::vector<std::size_t> swings;
    double extreme = light[0];
    int direction = 0;
    for (std::size_t i = 1; i < 2 * light.size(); ++i) {
        const double v = light[i % light.size()];
        if (direction * (v - extreme) > 0) extreme = v; // the swing goes on
        else if (std::abs(v - extreme) >= 0.1) {
            direction = v > extreme ? 1 : -1;
            extreme = v;
            swings.push_back(i);
        }
    }
    double worst = 0;
    for (std::size_t start = 0; start < 2 * light.size(); ++start)
        worst = std::max(worst, double(std::count_if(swings.begin(), swings.end(), [&](std::size_t s) {
                                    return s >= start && s < start + std::size_t(1000 / periodMs);
                                })) / 2);
    return worst;
}

} // namespace

TEST(AddonAnimationMakerTest, ALargeCardTurnsWithoutFlashing)
{
    QImage picture(200, 200, QImage::Format_ARGB32);
    picture.fill(QColor(220, 40, 40));
    const std::string flc = AnimationMaker::Flc(AddonAnimationMaker::Frames(picture), AddonAnimationMaker::PeriodMs);
    const Decoded d = Decode(flc.data(), flc.size());
    ASSERT_EQ(d.frames, 48);
    EXPECT_EQ(d.width, 640);
    EXPECT_EQ(d.height, 480);
    EXPECT_EQ(d.period, 50);
    ExpectClearCorners(d);
    const auto inked = [&](int f) { return std::count(d.pixels[f].begin(), d.pixels[f].end(), 0) < 640 * 480 - 300 * 300; };
    EXPECT_TRUE(inked(0) && !inked(12) && inked(24)) << "face on, edge-on a quarter turn later, then the back";
    std::vector<double> light;
    for (int f = 0; f < d.frames; ++f) light.push_back(MiddleLuminance(d, f));
    for (int f = 0; f < d.frames; ++f) EXPECT_LT(std::abs(light[f] - light[(f + 1) % d.frames]), 0.1) << "frame " << f;
    EXPECT_LE(WorstFlashesPerSecond(light, d.period), 3);
}
