#include "game/TileBitmap.h"

#include "engine/media/mBmpRle.h"

#include "platform/FileUtil.h"
#include "platform/MessageBoxes.h"
#include "platform/PathMap.h"
#include "platform/Texts.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

constexpr int FileHeaderSize = 14;
constexpr std::uint16_t BitmapType = 0x4D42; // "BM"
constexpr std::uint32_t CompressionNone = 0;
constexpr std::size_t ReadPiece = 32768;
// Coded pictures can claim any size in a few bytes: none larger than this
// is decoded (an 8-bit picture of 4096 x 4096, far more than a tile shows).
constexpr std::uint64_t MaxDecodedBytes = std::uint64_t(16) << 20;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::uint16_t U16(const std::uint8_t* p) { return std::uint16_t(p[0] | p[1] << 8); }
std::uint32_t U32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

bool ReadExactly(std::FILE* f, std::uint8_t* to, std::size_t count)
{
    while (count > 0) {
        const std::size_t piece = count < ReadPiece ? count : ReadPiece;
        if (std::fread(to, 1, piece, f) != piece) return false;
        to += piece;
        count -= piece;
    }
    return true;
}

long FileSize(std::FILE* f)
{
    if (std::fseek(f, 0, SEEK_END) != 0) return -1;
    const long size = std::ftell(f);
    return std::fseek(f, 0, SEEK_SET) == 0 ? size : -1;
}

bool SupportedBitCount(std::uint16_t bitCount)
{
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 24;
}

// Coded pixels become the rows an uncompressed picture would hold.
bool ReadRunLength(std::FILE* f, std::uint64_t codedBytes, TileBitmap& out)
{
    std::vector<std::uint8_t> coded(codedBytes);
    if (!ReadExactly(f, coded.data(), coded.size())) return false;
    const std::uint32_t rowBytes = out.RowBytes();
    out.sizeImage = rowBytes * out.height;
    out.bits.assign(out.sizeImage, 0);
    const int width = int(out.width), height = int(out.height);
    mBmpRle codes(out.bitCount, width, height, {0, height, 0, width, false});
    const std::size_t pixelBytes = (std::size_t(width) * out.bitCount + 7) / 8;
    codes.Decode(coded.data(), coded.size(), [&out, rowBytes, pixelBytes](int stored, const std::uint8_t* pixels) {
        std::copy(pixels, pixels + pixelBytes, out.bits.begin() + std::ptrdiff_t(std::size_t(stored) * rowBytes));
    });
    return true;
}

// Everything after the open; every size from the file is checked against the
// file's real length before anything is allocated or read.
bool ReadBitmap(std::FILE* f, TileBitmap& out)
{
    const long fileSize = FileSize(f);
    std::uint8_t fileHeader[FileHeaderSize];
    std::uint8_t info[TileBitmap::HeaderSize];
    if (fileSize < 0 || !ReadExactly(f, fileHeader, sizeof fileHeader)) return false;
    if (U16(fileHeader) != BitmapType) return false;
    if (!ReadExactly(f, info, sizeof info)) return false;

    const std::uint32_t headerSize = U32(info);
    out.width = U16(info + 4);
    out.height = U16(info + 8);
    out.bitCount = U16(info + 14);
    const std::uint32_t compression = U32(info + 16);
    out.sizeImage = U32(info + 20);
    if (headerSize < TileBitmap::HeaderSize || out.width == 0 || out.height == 0) return false;
    const bool runLength = compression != CompressionNone && mBmpRle::BitCountOf(compression) == out.bitCount;
    if (!SupportedBitCount(out.bitCount) || (compression != CompressionNone && !runLength)) return false;

    out.clrUsed = U32(info + 32) & 0xFFFF;
    if (out.clrUsed == 0 && out.bitCount != 24) out.clrUsed = 1u << out.bitCount;
    const std::uint64_t needed = std::uint64_t(out.RowBytes()) * out.height;
    if (runLength && needed > MaxDecodedBytes) return false;
    if (out.sizeImage == 0 && !runLength) out.sizeImage = std::uint32_t(needed);
    // Coded data runs to the end of the file when its size is not given.
    const std::uint64_t stored = out.sizeImage;
    // A smaller size than the rows need would let drawing read past the end.
    if (out.sizeImage < needed && !runLength) return false;

    // Later headers are longer; the colour table follows the header itself.
    const std::uint64_t tableAt = FileHeaderSize + std::uint64_t(headerSize);
    const std::uint64_t tableEnd = tableAt + 4ull * out.clrUsed;
    const std::uint32_t bitsField = U32(fileHeader + 10);
    const std::uint64_t bitsAt = bitsField != 0 ? bitsField : tableEnd;
    if (tableEnd > std::uint64_t(fileSize) || bitsAt + stored > std::uint64_t(fileSize)) return false;

    std::vector<std::uint8_t> table(4 * std::size_t(out.clrUsed));
    if (std::fseek(f, long(tableAt), SEEK_SET) != 0 || !ReadExactly(f, table.data(), table.size())) return false;
    out.colors.resize(out.clrUsed);
    for (std::size_t i = 0; i < out.colors.size(); ++i) out.colors[i] = U32(&table[4 * i]) & 0x00FFFFFF;

    if (std::fseek(f, long(bitsAt), SEEK_SET) != 0) return false;
    if (runLength) return ReadRunLength(f, stored ? stored : std::uint64_t(fileSize) - bitsAt, out);
    out.bits.resize(out.sizeImage);
    return ReadExactly(f, out.bits.data(), out.bits.size());
}

} // namespace

bool LoadDib(const std::string& name, TileBitmap& picture, platform::MessageBoxes& boxes,
             const platform::PathMap& paths)
{
    File file(paths.Open(name, "rb"));
    if (!file) {
        boxes.Show(platform::Arg(platform::Tr("Messages", "Can't open file '%1'"), {name}),
                   platform::Tr("Messages", "Error"), platform::MB_ICONERROR);
        return false;
    }
    return ReadDib(file.get(), picture);
}

bool ReadDib(std::FILE* file, TileBitmap& picture)
{
    TileBitmap loaded;
    if (!ReadBitmap(file, loaded)) return false;
    loaded.identity = platform::FileVersion(file);
    picture = std::move(loaded);
    return true;
}
