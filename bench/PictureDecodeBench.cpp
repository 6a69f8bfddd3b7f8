// The engine's picture sources against FFmpeg's decoders in one run, on the
// same 640 × 480 files: a PCX and a BMP of 256 colours, two run-length coded
// BMPs (short runs of a photo, long ones of a drawing), a 24-bit BMP, and an
// FLC of byte-oriented deltas as other programs write it. Pictures per
// second for both and their ratio.
#include "engine/core/mImageFlic.h"
#include "engine/media/mImageBMP.h"
#include "engine/sprites/mImagePCX.h"

#include "../tests/BmpBuilder.h"
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

// A photo-like picture: smooth areas with noise, so runs are short.
std::uint8_t Pixel(int x, int y, unsigned noise)
{
    return std::uint8_t((x / 8 + y / 6) % 200 + noise % 4 * (x % 3 == 0));
}

std::string Pcx()
{
    std::string out(128, '\0');
    out[0] = 10, out[1] = 5, out[2] = 1, out[3] = 8, out[65] = 1;
    out[8] = char((W - 1) & 0xFF), out[9] = char((W - 1) >> 8), out[10] = char((H - 1) & 0xFF), out[11] = char((H - 1) >> 8);
    out[66] = char(W & 0xFF), out[67] = char(W >> 8);
    std::mt19937 random(5);
    for (int y = 0; y < H; ++y) {
        std::vector<std::uint8_t> row(W);
        for (int x = 0; x < W; ++x) row[std::size_t(x)] = Pixel(x, y, unsigned(random()));
        for (int x = 0; x < W;) {
            int run = 1;
            while (x + run < W && run < 63 && row[std::size_t(x + run)] == row[std::size_t(x)]) ++run;
            if (run > 1 || row[std::size_t(x)] >= 0xC0) out.push_back(char(0xC0 | run));
            out.push_back(char(row[std::size_t(x)]));
            x += run;
        }
    }
    out.push_back(12);
    for (int i = 0; i < 256; ++i) out += {char(i), char(255 - i), char(i / 2)};
    return out;
}

std::string Bmp(int bits)
{
    BmpBuilder bmp;
    bmp.width = W, bmp.height = H, bmp.bitCount = std::uint16_t(bits);
    if (bits == 8)
        for (std::uint32_t i = 0; i < 256; ++i) bmp.colors.push_back(i * 0x010203 & 0xFFFFFF);
    bmp.bitsOffset = 14 + 40 + 4 * std::uint32_t(bmp.colors.size());
    std::mt19937 random(7);
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x)
            for (int c = 0; c < bits / 8; ++c) bmp.pixels.push_back(Pixel(x + c * 50, y, unsigned(random())));
        bmp.pixels.resize(std::size_t(y + 1) * bmp.RowBytes(), 0);
    }
    return bmp.Bytes();
}

// One row as BI_RLE8 codes: runs of two or more, absolute runs of three or
// more (padded to a word), single pixels as runs of one; then end of line.
void Rle8Row(const std::vector<std::uint8_t>& row, std::vector<std::uint8_t>& out)
{
    const auto runAt = [&row](std::size_t x) {
        std::size_t n = 1;
        while (x + n < row.size() && n < 255 && row[x + n] == row[x]) ++n;
        return n;
    };
    for (std::size_t x = 0; x < row.size();) {
        std::size_t literal = 0;
        while (x + literal < row.size() && literal < 255 && runAt(x + literal) < 2) ++literal;
        if (literal >= 3) {
            out.push_back(0), out.push_back(std::uint8_t(literal));
            out.insert(out.end(), row.begin() + std::ptrdiff_t(x), row.begin() + std::ptrdiff_t(x + literal));
            if (literal % 2) out.push_back(0);
            x += literal;
            continue;
        }
        const std::size_t n = runAt(x);
        out.push_back(std::uint8_t(n)), out.push_back(row[x]);
        x += n;
    }
    out.push_back(0), out.push_back(0);
}

std::string Rle8Bmp(bool drawing)
{
    BmpBuilder bmp;
    bmp.width = W, bmp.height = H, bmp.bitCount = 8, bmp.compression = 1;
    for (std::uint32_t i = 0; i < 256; ++i) bmp.colors.push_back(i * 0x030201 & 0xFFFFFF);
    std::mt19937 random(11);
    for (int y = H - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(W);
        for (int x = 0; x < W; ++x)
            row[std::size_t(x)] = drawing ? std::uint8_t((x / 40 + y / 30) % 7 * 30) : Pixel(x, y, unsigned(random()));
        Rle8Row(row, bmp.pixels);
    }
    bmp.pixels.push_back(0), bmp.pixels.push_back(1);
    bmp.sizeImage = std::uint32_t(bmp.pixels.size());
    return bmp.Bytes();
}

std::string ByteDeltaFlc(int frames)
{
    FlicEncoder encoder(W, H, 40);
    encoder.SetQuirks({true, true, true, false});
    FlicEncoder::Palette palette{};
    for (int i = 0; i < 256; ++i) palette[std::size_t(i)] = std::uint32_t(i * 0x010305) & 0xFFFFFF;
    std::vector<std::uint8_t> p(W * H);
    for (int f = 0; f < frames; ++f) {
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) p[std::size_t(y * W + x)] = std::uint8_t((x + y / 2 + f * 3) / 7 % 64 + (x * y + f) % 5);
        encoder.AddFrame(p, palette);
    }
    return encoder.Finish();
}

// Opens the file and draws its picture into an 8-bit target, times times.
template <typename Source> void OursDraw(const std::string& path, int times)
{
    mBitmap target(W, -H, 8);
    for (int i = 0; i < times; ++i) {
        Source source;
        source.OpenFile(path.c_str());
        source.ReadHeader();
        source.SetTarget(&target);
        source.Draw(0, 0, nullptr);
        source.SetTarget(nullptr);
        source.CloseFile();
    }
}

void OursFlic(const std::string& path, int times)
{
    for (int i = 0; i < times; ++i) {
        mImageFlic flic;
        flic.OpenFile(path.c_str());
        flic.ReadHeader();
        for (int f = 1; f < flic.rendererInfo->frameCount; ++f) flic.SeekFrame(f, 0);
        flic.CloseFile();
    }
}

int Theirs(const std::string& path, int times)
{
    int pictures = 0;
    for (int i = 0; i < times; ++i) FfmpegDecodeFlic(path, [&pictures](const AVFrame&) { ++pictures; });
    return pictures;
}

void Compare(const char* name, const std::string& path, int pictures, const std::function<void()>& ours, int times)
{
    const double mine = BestSeconds(ours);
    int decoded = 0;
    const double theirs = BestSeconds([&] { decoded = Theirs(path, times); });
    if (decoded < pictures * times) std::printf("%s: FFmpeg decoded only %d of %d pictures\n", name, decoded, pictures * times);
    std::printf("%s: engine %.0f pictures/s, FFmpeg %.0f pictures/s, ratio %.2f\n", name, pictures * times / mine,
                decoded / theirs, (pictures * times / mine) / (decoded / theirs));
}

} // namespace

int main()
{
    av_log_set_level(AV_LOG_QUIET);
    TempFolder folder;
    const std::string pcx = folder.Write("p.pcx", Pcx()), bmp8 = folder.Write("p8.bmp", Bmp(8)),
                      bmp24 = folder.Write("p24.bmp", Bmp(24));
    const int frames = 40;
    const std::string flc = folder.Write("bytes.flc", ByteDeltaFlc(frames));
    Compare("640x480 PCX, 8 bits", pcx, 1, [&] { OursDraw<mImagePCX>(pcx, 50); }, 50);
    Compare("640x480 BMP, 8 bits", bmp8, 1, [&] { OursDraw<mImageBMP>(bmp8, 50); }, 50);
    const std::string photo = folder.Write("photo-rle8.bmp", Rle8Bmp(false)),
                      drawing = folder.Write("drawing-rle8.bmp", Rle8Bmp(true));
    Compare("640x480 BMP, RLE8, short runs", photo, 1, [&] { OursDraw<mImageBMP>(photo, 50); }, 50);
    Compare("640x480 BMP, RLE8, long runs", drawing, 1, [&] { OursDraw<mImageBMP>(drawing, 50); }, 50);
    Compare("640x480 BMP, 24 bits to 8", bmp24, 1, [&] { OursDraw<mImageBMP>(bmp24, 20); }, 20);
    Compare("640x480 FLC, byte deltas, odd chunks", flc, frames, [&] { OursFlic(flc, 3); }, 3);
    return 0;
}
