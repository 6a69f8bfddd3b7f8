// The buffered file on disk: reads across many refills, spans kept whole
// across a window's end, seeks inside and outside the window, and a read
// that fails told apart from the end of the file.
#include "engine/core/mFile.h"

#include "TempFolder.h"
#include "doubles/EngineReports.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <unistd.h>

#include <string>
#include <vector>

namespace {

// Every byte tells its offset apart from its neighbours'.
std::string Pattern(std::size_t n)
{
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i) s[i] = char((i * 131 + i / 256) & 0xFF);
    return s;
}

TEST(mFileTest, ReadsFromDiskAsTheFileHoldsAcrossRefillsAndSeeks)
{
    TempFolder folder;
    const std::string bytes = Pattern(50000);
    mFile file;
    // Buffers made small for one file are the usual size again for the next.
    file.SetBufferSizes(256, 256);
    ASSERT_EQ(1, file.OpenFile(folder.Write("data", bytes).c_str()));
    EXPECT_FALSE(file.MakeAvailable(2048));
    file.CloseFile();
    ASSERT_EQ(1, file.OpenFile((folder.Path() + "/data").c_str()));
    EXPECT_EQ(50000, file.Length());
    // Pieces of odd sizes, several larger than the buffer of 8192.
    std::string read;
    for (long piece : {1L, 7L, 8190L, 3L, 9000L, 17000L, 500L}) {
        std::string chunk(std::size_t(piece), '\0');
        ASSERT_EQ(piece, file.FileRead(chunk.data(), piece));
        read += chunk;
        ASSERT_EQ(long(read.size()), file.Tell());
    }
    EXPECT_EQ(bytes.substr(0, read.size()), read);
    // A span that runs over the window's end stays whole (the wrap reserve).
    for (long at : {8190L, 16380L, 24570L - 2000L}) {
        ASSERT_EQ(at, file.FileSeek(at, SEEK_SET));
        ASSERT_TRUE(file.MakeAvailable(2048)) << at;
        EXPECT_EQ(bytes.substr(std::size_t(at), 2048), std::string(reinterpret_cast<char*>(file.readPtr), 2048)) << at;
    }
    // Inside the window, back before it, relative and from the end.
    file.FileSeek(30000, SEEK_SET);
    ASSERT_TRUE(file.MakeAvailable(16));
    EXPECT_EQ(29990, file.FileSeek(-10, SEEK_CUR));
    EXPECT_EQ(bytes[29990], char(*file.readPtr));
    EXPECT_EQ(100, file.FileSeek(100, SEEK_SET));
    ASSERT_TRUE(file.MakeAvailable(1));
    EXPECT_EQ(bytes[100], char(*file.readPtr));
    // Straight into a block larger than the window from where the window
    // stands, twice from the same place; then on from its end, and back into
    // it (its first byte past the window it started in is 12000 + 8192).
    for (int pass = 0; pass < 2; ++pass) {
        ASSERT_EQ(12000, file.FileSeek(12000, SEEK_SET));
        ASSERT_TRUE(file.MakeAvailable(8));
        std::string block(10000, '\0');
        ASSERT_EQ(10000, file.ReadStraight(reinterpret_cast<std::uint8_t*>(block.data()), 10000));
        EXPECT_EQ(bytes.substr(12000, 10000), block) << pass;
        file.SetBuffer(nullptr, 0, 0);
        for (long at : pass == 0 ? std::vector<long>{22000} : std::vector<long>{20192, 12000, 21999}) {
            ASSERT_EQ(at, file.FileSeek(at, SEEK_SET));
            ASSERT_TRUE(file.MakeAvailable(1));
            EXPECT_EQ(bytes[std::size_t(at)], char(*file.readPtr)) << at;
        }
    }
    EXPECT_EQ(49995, file.FileSeek(-5, SEEK_END));
    char tail[10] = {};
    EXPECT_EQ(5, file.FileRead(tail, 10)) << "a read past the end gives what is there";
    EXPECT_EQ(bytes.substr(49995), std::string(tail, 5));
    EXPECT_EQ(-1, file.FileRead(tail, 1)) << "and then nothing";
    EXPECT_EQ(-1, file.FileSeek(-1, SEEK_SET));
    file.CloseFile();
    EXPECT_EQ(nullptr, file.readPtr) << "a closed file has no window left to read in";
    EXPECT_EQ(nullptr, file.windowEnd);
}

TEST(mFileTest, AFailedReadIsReportedOnceNotTakenForTheEnd)
{
    EngineReports reports;
    TempFolder folder;
    mFile file;
    // A folder opens for reading, and every read of it fails.
    ASSERT_EQ(1, file.OpenFile(folder.Path().c_str()));
    char buffer[16];
    EXPECT_LE(file.FileRead(buffer, 16), 0);
    EXPECT_FALSE(file.MakeAvailable(4));
    EXPECT_FALSE(file.MakeAvailable(4));
    ASSERT_EQ(1u, reports.shown.size());
    EXPECT_EQ(0u, reports.shown[0].text.rfind("File read error", 0)) << reports.shown[0].text;
    file.CloseFile();
}

// A pipe cannot seek: a seek outside what was read is told and fails.
TEST(mFileTest, ASeekTheSystemRefusesIsToldAndFails)
{
    EngineReports reports;
    int ends[2];
    ASSERT_EQ(0, pipe(ends));
    ASSERT_EQ(3, write(ends[1], "abc", 3));
    mFile file;
    if (file.OpenFile(("/proc/self/fd/" + std::to_string(ends[0])).c_str()) == 1) {
        reports.shown.clear();
        EXPECT_EQ(-1, file.FileSeek(100000, SEEK_SET));
        ASSERT_EQ(1u, reports.shown.size());
        EXPECT_EQ(0u, reports.shown[0].text.rfind("File seek error", 0)) << reports.shown[0].text;
        file.CloseFile();
    } else {
        ADD_FAILURE() << "the pipe did not open";
    }
    close(ends[0]);
    close(ends[1]);
}

// A file left open is told of and closed all the same.
TEST(mFileTest, AFileLeftOpenIsToldOfAndClosed)
{
    EngineReports reports;
    TempFolder folder;
    const std::string path = folder.Write("left.bin", "abc");
    const auto openFiles = [] {
        return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), std::filesystem::directory_iterator());
    };
    const auto before = openFiles();
    {
        mFile file;
        ASSERT_EQ(1, file.OpenFile(path.c_str()));
    }
    EXPECT_EQ(before, openFiles());
    ASSERT_EQ(1u, reports.shown.size());
    EXPECT_EQ(0u, reports.shown[0].text.rfind("File not closed", 0)) << reports.shown[0].text;
}

// Written bytes are read back where they were written; a block of memory
// and a file not open refuse a write with a report.
TEST(mFileTest, WritesLandWhereTheFileStandsOrAreRefusedAloud)
{
    EngineReports reports;
    TempFolder folder;
    const std::string bytes = Pattern(20000);
    mFile file;
    ASSERT_EQ(1, file.OpenFile(folder.Write("data", bytes).c_str(), mFile::OpenReadWrite));
    file.FileSeek(10000, SEEK_SET);
    ASSERT_TRUE(file.MakeAvailable(16)); // a window that the write must not leave stale
    EXPECT_EQ(4, file.FileWrite("abcd", 4));
    EXPECT_EQ(10004, file.Tell());
    for (long at : {10000L, 9998L}) {
        file.FileSeek(at, SEEK_SET);
        char around[8] = {};
        EXPECT_EQ(8, file.FileRead(around, 8));
        EXPECT_EQ((bytes.substr(0, 10000) + "abcd" + bytes.substr(10004)).substr(std::size_t(at), 8),
                  std::string(around, 8));
    }
    file.CloseFile();
    EXPECT_TRUE(reports.shown.empty());

    mFile memory;
    memory.OpenMemory(bytes.data(), long(bytes.size()));
    EXPECT_EQ(0, memory.FileWrite("x", 1));
    memory.CloseFile();
    mFile closed;
    EXPECT_EQ(0, closed.FileWrite("x", 1));
    ASSERT_EQ(2u, reports.shown.size());
    EXPECT_EQ("File write error", reports.shown[0].text);
    EXPECT_EQ("File write error", reports.shown[1].text);
}

} // namespace
