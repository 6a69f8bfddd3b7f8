// Any bytes as a PCX picture read from memory, drawn into targets of several
// depths, sizes and places: never out of bounds, never a hang.
#include "engine/sprites/mImagePCX.h"

#include <cstdint>
#include <tuple>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The stream reads the block in place: a copy of exactly its size lets
    // the sanitizer see any read past the end.
    std::vector<std::uint8_t> bytes(data, data + size);
    mImagePCX pcx;
    pcx.OpenMemory(bytes.data(), long(bytes.size()));
    if (!pcx.ReadHeader()) return 0;
    const mRect clip{3, 1, 20, 9};
    for (auto [width, height, depth] : {std::tuple{37, -23, 8}, {1, 1, 8}, {16, 7, 4}, {9, 9, 24}}) {
        mBitmap target(width, height, depth);
        pcx.SetTarget(&target);
        pcx.Draw(0, 0, nullptr);
        pcx.Draw(-5, 4, &clip);
        pcx.SeekFrame(3, 1);
        pcx.Draw(30, -2, nullptr);
        pcx.SetTarget(nullptr);
    }
    pcx.CloseFile();
    return 0;
}
