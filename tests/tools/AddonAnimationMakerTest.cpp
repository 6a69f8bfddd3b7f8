// The add-on disc's animations, read back by the engine as the game reads
// them, and checked against the rule for flashing pictures.
#include "AddonAnimationMaker.h"
#include "AnimationMaker.h"

#include "DecodedFlic.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Relative luminance (0 … 1) of a colour as seen on a screen.
double Luminance(std::uint32_t c)
{
    const auto linear = [](std::uint32_t v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c >> 16 & 0xFF) + 0.7152 * linear(c >> 8 & 0xFF) + 0.0722 * linear(c & 0xFF);
}

// The mean luminance of the middle of the frame, where the card turns.
double MiddleLuminance(const Decoded& d, int f)
{
    const auto& px = d.pixels[std::size_t(f)];
    const auto& table = d.colours[std::size_t(f)];
    double sum = 0;
    int n = 0;
    for (int y = d.height / 4; y < d.height * 3 / 4; ++y)
        for (int x = d.width / 4; x < d.width * 3 / 4; ++x, ++n) sum += Luminance(table[px[std::size_t(y * d.width + x)]]);
    return sum / n;
}

// Flashes in the looping animation: a flash is a pair of opposite swings
// of at least a tenth of the full range; counted per second at its worst.
double WorstFlashesPerSecond(const std::vector<double>& light, int periodMs)
{
    std::vector<double> loop(light);
    loop.insert(loop.end(), light.begin(), light.end());
    std::vector<std::size_t> swings; // the frames where swings are confirmed
    int direction = 0;
    double high = loop[0], low = loop[0], extreme = loop[0];
    for (std::size_t i = 1; i < loop.size(); ++i) {
        const double v = loop[i];
        high = std::max(high, v);
        low = std::min(low, v);
        if (direction == 0 && high - low < 0.1) continue;
        if (direction == 0 || (direction > 0 ? extreme - v : v - extreme) >= 0.1) {
            direction = direction == 0 ? (v == high ? 1 : -1) : -direction;
            swings.push_back(i);
            extreme = v;
        } else if (direction > 0 ? v > extreme : v < extreme) {
            extreme = v;
        }
    }
    const std::size_t second = std::size_t(1000 / periodMs);
    double worst = 0;
    for (std::size_t start = 0; start < loop.size(); ++start) {
        const auto in = std::count_if(swings.begin(), swings.end(),
                                      [&](std::size_t s) { return s >= start && s < start + second; });
        worst = std::max(worst, double(in) / 2);
    }
    return worst;
}

QImage Picture()
{
    QImage picture(200, 200, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setBrush(QColor(220, 40, 40));
    painter.drawEllipse(20, 20, 160, 160);
    return picture;
}

int Inked(const Decoded& d, int f)
{
    const auto& px = d.pixels[std::size_t(f)];
    return int(std::count_if(px.begin(), px.end(), [](std::uint8_t p) { return p != 0; }));
}

} // namespace

TEST(AddonAnimationMakerTest, ALargeCardTurnsWithoutFlashing)
{
    const std::string flc = AnimationMaker::Flc(AddonAnimationMaker::Frames(Picture()), AddonAnimationMaker::PeriodMs);
    const Decoded d = Decode(flc.data(), flc.size());
    ASSERT_EQ(d.frames, 48);
    EXPECT_EQ(d.width, 640);
    EXPECT_EQ(d.height, 480);
    EXPECT_EQ(d.period, 50);
    ExpectClearCorners(d);

    // Face on, half a turn later the back; edge-on in between almost nothing.
    const int full = Inked(d, 0);
    EXPECT_GT(full, 300 * 300);
    EXPECT_LT(Inked(d, 12), full / 10);
    EXPECT_GT(Inked(d, 24), full * 9 / 10);
    const auto red = [&](int f) {
        const auto& px = d.pixels[std::size_t(f)];
        return std::count_if(px.begin(), px.end(), [&](std::uint8_t p) {
            const std::uint32_t c = d.colours[std::size_t(f)][p];
            return (c >> 16 & 0xFF) > 180 && (c >> 8 & 0xFF) < 90 && (c & 0xFF) < 90;
        });
    };
    EXPECT_GT(red(0), 100 * 100) << "the picture on the face";
    EXPECT_EQ(red(24), 0) << "the cover on the back";
    // Seen in perspective: the near edge of the turning card is the taller.
    const auto columnHeight = [&](int f, int x) {
        int h = 0;
        for (int y = 0; y < d.height; ++y) h += d.pixels[std::size_t(f)][std::size_t(y * d.width + x)] != 0;
        return h;
    };
    int left = 0, right = d.width - 1;
    while (left < d.width && columnHeight(6, left) == 0) ++left;
    while (right > 0 && columnHeight(6, right) == 0) --right;
    EXPECT_GT(std::abs(columnHeight(6, left + 3) - columnHeight(6, right - 3)), 20);

    std::vector<double> light;
    for (int f = 0; f < d.frames; ++f) light.push_back(MiddleLuminance(d, f));
    for (int f = 0; f < d.frames; ++f)
        EXPECT_LT(std::abs(light[std::size_t(f)] - light[std::size_t((f + 1) % d.frames)]), 0.1) << "frame " << f;
    EXPECT_LE(WorstFlashesPerSecond(light, d.period), 3);
}
