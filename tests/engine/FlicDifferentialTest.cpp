// The engine's FLIC decoder against FFmpeg's, on files the project's own
// encoder made: every frame's pixels and colours must be equal.
#include "engine/core/mImageFlic.h"

#include "FfmpegFlic.h"
#include "FlicEncoder.h"
#include "TempFolder.h"
#include "doubles/EngineReports.h"

#include <gtest/gtest.h>


namespace {

using Pixels = std::vector<std::uint8_t>;

struct Animation {
    const char* name;
    int width, height;
    std::vector<Pixels> frames;
    std::vector<FlicEncoder::Palette> palettes;
};

FlicEncoder::Palette Ramp(int shift)
{
    FlicEncoder::Palette p{};
    for (int i = 0; i < 256; ++i)
        p[std::size_t(i)] = std::uint32_t((i + shift) & 0xFF) | std::uint32_t(i) << 8 | std::uint32_t(255 - i) << 16;
    return p;
}

// A square moving over a still background: small changes, long skips.
Animation MovingSquare(const char* name, int w, int h, int frames, int side)
{
    Animation a{name, w, h, {}, {}};
    for (int f = 0; f < frames; ++f) {
        Pixels p(std::size_t(w * h));
        for (int i = 0; i < w * h; ++i) p[std::size_t(i)] = std::uint8_t((i / w + i % w / 16) % 7);
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) {
                const int px = (f * 13 + x) % w, py = (f * 5 + y) % h;
                p[std::size_t(py * w + px)] = std::uint8_t(200 + f % 50);
            }
        a.frames.push_back(p);
        a.palettes.push_back(Ramp(0));
    }
    return a;
}

std::vector<Animation> Animations()
{
    std::vector<Animation> all;
    all.push_back(MovingSquare("small changes, even width", 64, 48, 12, 6));
    all.push_back(MovingSquare("odd width, last column", 63, 37, 10, 9));
    all.push_back(MovingSquare("skips past 255 columns", 700, 20, 6, 3));
    // Colours that change half way, including single entries and runs.
    Animation colours = MovingSquare("palette changes mid-animation", 50, 30, 10, 4);
    for (std::size_t f = 5; f < colours.palettes.size(); ++f) {
        colours.palettes[f] = Ramp(int(f));
        colours.palettes[f][3] = 0x123456;
    }
    all.push_back(colours);
    return all;
}

// FFmpeg stores the byte of the "last pixel" opcode at the end of its padded
// line rather than in the last column, so for odd widths that column is
// checked against the encoder's input alone.
Pixels WithoutOddLastColumn(const Pixels& pixels, int width)
{
    if (width % 2 == 0) return pixels;
    Pixels out;
    for (std::size_t i = 0; i < pixels.size(); ++i)
        if (int(i % std::size_t(width)) != width - 1) out.push_back(pixels[i]);
    return out;
}

// Decodes frame after frame into a top-down bitmap, then loops once
// through the ring frame.
std::vector<ReferenceFrame> OurFrames(const std::string& path, int count)
{
    mImageFlic flic;
    std::vector<ReferenceFrame> frames;
    if (!flic.OpenFile(path.c_str()) || !flic.ReadHeader()) return frames;
    mBitmap target(flic.frameInfo->width, -flic.frameInfo->height, 8);
    flic.SetTarget(&target);
    for (int i = 0; i < count + 3; ++i) {
        flic.SeekFrame(i % count, 0);
        if (flic.Draw(0, 0, nullptr) < 0) break;
        ReferenceFrame r;
        for (int y = 0; y < target.desc.height; ++y)
            r.pixels.insert(r.pixels.end(), target.Row(y), target.Row(y) + target.desc.width);
        r.palette.assign(flic.frameInfo->colours, flic.frameInfo->colours + 256);
        frames.push_back(std::move(r));
    }
    flic.SetTarget(nullptr);
    return frames;
}

TEST(FlicDifferentialTest, EveryFrameEqualsFfmpegsAcrossTheRingFrame)
{
    EngineReports boxes;
    TempFolder folder;
    for (const Animation& a : Animations()) {
        SCOPED_TRACE(a.name);
        FlicEncoder encoder(a.width, a.height, 40);
        for (std::size_t f = 0; f < a.frames.size(); ++f) encoder.AddFrame(a.frames[f], a.palettes[f]);
        const std::string path = folder / (std::string(a.name) + ".flc");
        ASSERT_TRUE(encoder.WriteFile(path));

        const std::vector<ReferenceFrame> theirs = FfmpegFlicFrames(path);
        const int count = int(a.frames.size());
        // FFmpeg plays the ring frame as one more frame, equal to frame 0.
        ASSERT_EQ(std::size_t(count + 1), theirs.size());
        const std::vector<ReferenceFrame> ours = OurFrames(path, count);
        ASSERT_EQ(std::size_t(count + 3), ours.size());
        for (int i = 0; i < count + 3; ++i) {
            const ReferenceFrame& ref = theirs[std::size_t(i < count ? i : i == count ? count : i - count)];
            const Pixels& mine = ours[std::size_t(i)].pixels;
            ASSERT_EQ(a.frames[std::size_t(i % count)], mine) << "frame " << i;
            ASSERT_EQ(ref.palette, ours[std::size_t(i)].palette) << "frame " << i;
            ASSERT_EQ(WithoutOddLastColumn(ref.pixels, a.width), WithoutOddLastColumn(mine, a.width)) << "frame " << i;
        }
    }
    EXPECT_TRUE(boxes.shown.empty());
}

} // namespace
