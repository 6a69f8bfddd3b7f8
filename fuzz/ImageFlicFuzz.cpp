// Any bytes as a FLIC file read from memory: header, frames, seeks and the
// ring frame must never read or write out of bounds, nor hang.
#include "engine/core/mImageFlic.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The stream reads the block in place: a copy of exactly its size lets
    // the sanitizer see any read past the end.
    std::vector<std::uint8_t> bytes(data, data + size);
    mImageFlic flic;
    flic.OpenMemory(bytes.data(), long(bytes.size()));
    if (!flic.ReadHeader()) return 0;
    mBitmap target(37, -23, 8);
    flic.SetTarget(&target);
    flic.SetAutoAdvance(true);
    const int frames = flic.rendererInfo->frameCount < 8 ? flic.rendererInfo->frameCount : 8;
    for (int i = 0; i < frames + 2; ++i) flic.Draw(i - 3, 5 - i, nullptr);
    flic.SeekFrame(0, 0);
    flic.SetRemap(true);
    flic.MatchPalette();
    const mRect clip{2, 2, 30, 20};
    flic.Draw(-7, -7, &clip);
    flic.SeekFrame(1, 2);
    flic.Draw(0, 0, nullptr);
    flic.SetTarget(nullptr);
    return 0;
}
