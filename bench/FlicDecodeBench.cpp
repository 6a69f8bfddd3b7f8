// Decoding 640 × 480 FLC files with the engine and with FFmpeg's libavcodec
// in one run: frames per second for both and their ratio, for an animation
// that changes in small areas and one that redraws the whole frame.
#include "engine/core/mImageFlic.h"

#include "../tests/TempFolder.h"
#include "FfmpegFlic.h"
#include "BestSeconds.h"
#include "FlicEncoder.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>

namespace {

constexpr int W = 640, H = 480;

using Pixels = std::vector<std::uint8_t>;

FlicEncoder::Palette Colours()
{
    FlicEncoder::Palette p{};
    for (int i = 0; i < 256; ++i) p[std::size_t(i)] = std::uint32_t(i * 0x010305) & 0xFFFFFF;
    return p;
}

// Three 48 × 48 sprites moving over a still picture.
std::string SmallChanges(int frames)
{
    FlicEncoder encoder(W, H, 40);
    Pixels background(W * H);
    for (int i = 0; i < W * H; ++i) background[std::size_t(i)] = std::uint8_t((i % W / 40 + i / W / 30) % 16);
    for (int f = 0; f < frames; ++f) {
        Pixels p = background;
        for (int s = 0; s < 3; ++s)
            for (int y = 0; y < 48; ++y)
                for (int x = 0; x < 48; ++x) {
                    const int px = (f * (5 + s) + 100 * s + x) % W, py = (f * (3 + s) + 120 * s + y) % H;
                    p[std::size_t(py * W + px)] = std::uint8_t(100 + s * 20 + (x ^ y) % 16);
                }
        encoder.AddFrame(p, Colours());
    }
    return encoder.Finish();
}

// A pattern that scrolls: every pixel changes in every frame.
std::string WholeFrames(int frames)
{
    FlicEncoder encoder(W, H, 40);
    std::mt19937 random(3);
    Pixels texture(W * H);
    for (auto& v : texture) v = std::uint8_t(random() % 8 + ((&v - texture.data()) / W) % 64 * 3);
    for (int f = 0; f < frames; ++f) {
        Pixels p(W * H);
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) p[std::size_t(y * W + x)] = texture[std::size_t(y * W + (x + 7 * f + 1) % W)] ^ std::uint8_t(f);
        encoder.AddFrame(p, Colours());
    }
    return encoder.Finish();
}

int OursDecode(const std::string& path)
{
    mImageFlic flic;
    flic.OpenFile(path.c_str());
    flic.ReadHeader();
    const int frames = flic.rendererInfo->frameCount;
    for (int i = 1; i < frames; ++i) flic.SeekFrame(i, 0);
    return frames;
}

// The engine's last frame, to check that both decoders did the whole work.
std::vector<std::uint8_t> OursLastFrame(const std::string& path)
{
    mImageFlic flic;
    flic.OpenFile(path.c_str());
    flic.ReadHeader();
    for (int i = 1; i < flic.rendererInfo->frameCount; ++i) flic.SeekFrame(i, 0);
    std::vector<std::uint8_t> pixels;
    const mBitmap& frame = *flic.FrameBitmap();
    for (int y = 0; y < frame.desc.height; ++y) pixels.insert(pixels.end(), frame.Row(y), frame.Row(y) + frame.desc.width);
    return pixels;
}

int TheirsDecode(const std::string& path)
{
    int frames = 0;
    FfmpegDecodeFlic(path, [&frames](const AVFrame&) { ++frames; });
    return frames - 1; // without the ring frame
}

void Compare(const char* name, const std::string& path, int frames)
{
    const double ours = BestSeconds([&] { OursDecode(path); });
    const double theirs = BestSeconds([&] { TheirsDecode(path); });
    std::printf("%s: engine %.0f frames/s, FFmpeg %.0f frames/s, ratio %.2f\n", name, frames / ours,
                frames / theirs, theirs / ours);
}

} // namespace

int main()
{
    av_log_set_level(AV_LOG_QUIET);
    TempFolder folder;
    const int smallFrames = 200, wholeFrames = 60;
    const std::string small = folder.Write("small.flc", SmallChanges(smallFrames));
    const std::string whole = folder.Write("whole.flc", WholeFrames(wholeFrames));
    for (const auto& [path, frames] : {std::pair{small, smallFrames}, {whole, wholeFrames}}) {
        const std::vector<ReferenceFrame> reference = FfmpegFlicFrames(path);
        if (int(reference.size()) != frames + 1 || reference[std::size_t(frames - 1)].pixels != OursLastFrame(path)) {
            std::fprintf(stderr, "the decoders disagree on %s\n", path.c_str());
            return 1;
        }
    }
    Compare("640x480 FLC, small changes", small, smallFrames);
    Compare("640x480 FLC, whole frame redrawn", whole, wholeFrames);
    return 0;
}
