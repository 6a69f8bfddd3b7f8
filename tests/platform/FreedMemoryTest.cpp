#include "platform/FreedMemory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <vector>

namespace {

long ResidentBytes()
{
    long size = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> size >> resident;
    return resident * 4096;
}

} // namespace

// Small blocks freed between blocks still in use stay with the process
// (nothing above them is free, so the heap cannot shrink) until given back.
TEST(FreedMemory, FreedBlocksGoBackToTheSystem)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer keeps freed blocks itself";
#endif
    constexpr int Blocks = 8192, BlockBytes = 4096; // 32 MB
    std::vector<char*> blocks;
    for (int i = 0; i < Blocks; ++i) {
        blocks.push_back(static_cast<char*>(std::malloc(BlockBytes)));
        for (int b = 0; b < BlockBytes; b += 512) blocks.back()[b] = char(i); // made resident
    }
    for (int i = 0; i < Blocks; ++i)
        if (i % 64 != 63) std::free(blocks[std::size_t(i)]), blocks[std::size_t(i)] = nullptr;
    const long kept = ResidentBytes();
    platform::ReturnFreedMemory();
    EXPECT_GT(kept - ResidentBytes(), 24L << 20) << "of 31.5 MB freed";
    for (char* block : blocks) std::free(block);
}
