// Any bytes as a BMP picture read from memory, drawn into targets of several
// depths, sizes and places: never out of bounds, never a hang.
#include "engine/media/mImageBMP.h"

#include <cstdint>
#include <tuple>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The stream reads the block in place: a copy of exactly its size lets
    // the sanitizer see any read past the end.
    std::vector<std::uint8_t> bytes(data, data + size);
    mImageBMP bmp;
    bmp.OpenMemory(bytes.data(), long(bytes.size()));
    if (!bmp.ReadHeader()) return 0;
    const mRect clip{3, 1, 20, 9};
    for (auto [width, height, depth] : {std::tuple{37, -23, 8}, {1, 1, 8}, {16, 7, 4}, {9, 9, 24}}) {
        mBitmap target(width, height, depth);
        bmp.SetTarget(&target);
        bmp.Draw(0, 0, nullptr);
        bmp.Draw(-5, 4, &clip);
        bmp.SeekFrame(0, 0);
        bmp.Draw(30, -2, nullptr);
        bmp.SetTarget(nullptr);
    }
    bmp.CloseFile();
    return 0;
}
