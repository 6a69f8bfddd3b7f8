// Any bytes as a BMP file: the loader must fail cleanly or give a picture
// whose rows and colour table are all really there.
#include "game/TileBitmap.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string bytes(reinterpret_cast<const char*>(data), size);
    std::FILE* file = fmemopen(bytes.data(), bytes.size() ? bytes.size() : 1, "rb");
    if (!file) return 0;
    TileBitmap picture;
    const bool loaded = size > 0 && ReadDib(file, picture);
    std::fclose(file);
    if (!loaded) return 0;
    const std::uint64_t rows = std::uint64_t(picture.RowBytes()) * picture.height;
    if (!picture.Valid() || picture.bits.size() < rows || picture.colors.size() != picture.clrUsed) std::abort();
    if (picture.bitCount != 24 && picture.clrUsed == 0) std::abort();
    return 0;
}
