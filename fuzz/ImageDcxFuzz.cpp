// Any bytes as a DCX file read from memory: pages sought forwards, backwards
// and out of range, each drawn clipped and unclipped.
#include "engine/sprites/mImageDCX.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::uint8_t> bytes(data, data + size);
    mImageDCX dcx;
    dcx.OpenMemory(bytes.data(), long(bytes.size()));
    if (!dcx.ReadHeader()) return 0;
    mBitmap target(29, -17, 8);
    dcx.SetTarget(&target);
    const mRect clip{2, 2, 25, 12};
    const int pages = dcx.PageCount() < 6 ? dcx.PageCount() : 6;
    for (int page = -1; page <= pages; ++page) {
        dcx.SeekFrame(page, 0);
        dcx.Draw(page - 2, 1, page % 2 ? &clip : nullptr);
    }
    dcx.SeekFrame(1, 2);
    dcx.SeekFrame(-1, 1);
    dcx.Draw(0, 0, nullptr);
    dcx.SetTarget(nullptr);
    dcx.CloseFile();
    return 0;
}
