#include "engine/core/mFile.h"

#include "TempFolder.h"
#include "doubles/EngineReports.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct Stream : mFile {};

class mFileTest : public ::testing::Test {
protected:
    EngineReports boxes;
    TempFolder folder;
};

std::string Counting(int n)
{
    std::string s;
    for (int i = 0; i < n; ++i) s.push_back(char(i % 251));
    return s;
}

TEST_F(mFileTest, SizesRoundUpAndDefault)
{
    Stream s;
    s.SetBufferSizes(0, 0);
    EXPECT_EQ(8192, s.bufferSize);
    EXPECT_EQ(2048, s.reserveSize);
    s.SetBufferSizes(10, 5);
    EXPECT_EQ(12, s.bufferSize);
    EXPECT_EQ(8, s.reserveSize);
}

TEST_F(mFileTest, FieldsStayWholeAcrossRefillsAndPositionsStayTrue)
{
    const std::string data = Counting(10000);
    Stream s;
    s.SetBufferSizes(64, 16);
    ASSERT_TRUE(s.OpenFile(folder.Write("data.bin", data).c_str()));
    EXPECT_EQ(10000, s.size);
    // Read fields of 13 bytes in place: each must be whole and at its offset.
    for (long at = 0; at + 13 <= 10000; at += 13) {
        ASSERT_TRUE(s.MakeAvailable(13)) << at;
        ASSERT_EQ(at, s.Tell());
        ASSERT_EQ(0, std::memcmp(s.readPtr, data.data() + at, 13)) << at;
        s.readPtr += 13;
    }
    EXPECT_FALSE(s.MakeAvailable(13));
    EXPECT_EQ(9997, s.FileSeek(-3, SEEK_END));
    char tail[8] = {};
    EXPECT_EQ(3, s.FileRead(tail, 8));
    EXPECT_EQ(-1, s.FileRead(tail, 8));
    EXPECT_EQ(100, s.FileSeek(100, SEEK_SET));
    EXPECT_EQ(8, s.FileRead(tail, 8));
    EXPECT_EQ(0, std::memcmp(tail, data.data() + 100, 8));
    s.CloseFile();
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(mFileTest, WritesGrowTheFileAndReadBack)
{
    const std::string path = folder / "new.bin";
    Stream s;
    ASSERT_TRUE(s.OpenFile(path.c_str(), mFile::OpenCreate));
    EXPECT_EQ(5, s.FileWrite("hello", 5));
    EXPECT_EQ(5, s.size);
    EXPECT_EQ(2, s.FileSeek(2, SEEK_SET));
    char three[3];
    EXPECT_EQ(3, s.FileRead(three, 3));
    EXPECT_EQ(0, std::memcmp(three, "llo", 3));
    s.CloseFile();
    EXPECT_EQ("hello", folder.Read("new.bin"));
    EXPECT_EQ(0, s.FileWrite("x", 1));
    EXPECT_EQ(1u, boxes.shown.size()) << "writing to a closed stream is reported";
}

TEST_F(mFileTest, ATailLongerThanTheReserveIsReportedAndLost)
{
    Stream s;
    ASSERT_TRUE(s.OpenFile(folder.Write("data.bin", Counting(20000)).c_str()));
    s.Refill(nullptr);
    s.readPtr = s.windowEnd - 2049;
    s.Refill(s.readPtr);
    ASSERT_EQ(1u, boxes.shown.size());
    EXPECT_EQ("Value out of range:Wrap Block", boxes.shown[0].text);
    EXPECT_EQ(8192, s.Tell()) << "the next buffer-full follows, without the tail";
    s.CloseFile();
}

TEST_F(mFileTest, OpenFailuresAndUnclosedStreamsAreReported)
{
    {
        Stream s;
        EXPECT_EQ(0, s.OpenFile((folder / "absent.flc").c_str()));
        EXPECT_FALSE(s.open);
        Stream unclosed;
        unclosed.OpenFile(folder.Write("x", "abc").c_str());
    }
    ASSERT_EQ(2u, boxes.shown.size());
    EXPECT_EQ("File open error:" + (folder / "absent.flc").substr(0, 40), boxes.shown[0].text);
    EXPECT_EQ("File not closed:" + (folder / "x").substr(0, 40), boxes.shown[1].text);
}

TEST_F(mFileTest, AMemoryStreamEndsWithoutReadingPastItsBlock)
{
    const std::string data = "0123456789";
    Stream s;
    s.OpenMemory(data.data(), long(data.size()));
    char buffer[16] = {};
    EXPECT_EQ(10, s.FileRead(buffer, 16));
    EXPECT_EQ(-1, s.FileRead(buffer, 4));
    const char* const keywords[] = {"FILE", ""};
    EXPECT_EQ(-1, s.ReadKeyword(keywords));
    EXPECT_EQ(4, s.FileSeek(4, SEEK_SET));
    EXPECT_FALSE(s.MakeAvailable(7));
    EXPECT_TRUE(s.MakeAvailable(6));
    s.CloseFile();

    s.OpenMemory(nullptr, 0);
    EXPECT_EQ(-1, s.FileRead(buffer, 4));
    EXPECT_FALSE(s.MakeAvailable(1));
    s.CloseFile();
}

std::string Chunk(const std::string& id, const std::string& body)
{
    std::string out = id;
    const auto n = std::uint32_t(body.size());
    for (int i = 0; i < 4; ++i) out.push_back(char(n >> (8 * i) & 0xFF));
    out += body;
    if (body.size() % 2) out.push_back('\0');
    return out;
}

TEST_F(mFileTest, RiffNavigationStaysInsideItsListsAndSkipsOtherOnes)
{
    const std::string inner = Chunk("LIST", "hdrl" + Chunk("avih", "abc") + Chunk("strh", "12345678"));
    const std::string other = Chunk("LIST", "INFO" + Chunk("data", "wrong"));
    const std::string file = Chunk("RIFF", "AVI " + other + inner + Chunk("data", "right"));
    Stream s;
    s.OpenMemory(file.data(), long(file.size()));
    EXPECT_EQ(0, s.CheckRiff(mFile::FourCC("WAVE")));
    ASSERT_EQ(1, s.CheckRiff(mFile::FourCC("AVI ")));
    ASSERT_EQ(1, s.FindList(mFile::FourCC("hdrl"))) << "found after the INFO list, not inside it";
    ASSERT_EQ(1, s.FindChunk(mFile::FourCC("avih")));
    EXPECT_EQ(3u, s.lastChunkSize);
    s.SkipChunk();
    EXPECT_EQ(1, s.NextChunk()) << "over strh, the last chunk of the list";
    EXPECT_EQ(0, s.NextChunk()) << "never out of the list";
    EXPECT_EQ(0, s.FindChunk(mFile::FourCC("data")));
    s.Ascend();
    ASSERT_EQ(1, s.FindChunk(mFile::FourCC("data")));
    EXPECT_EQ(0, std::memcmp(s.readPtr, "right", 5));
    s.CloseFile();
}

TEST_F(mFileTest, KeywordsMatchWholeWordsInAnyCaseAndSkipComments)
{
    const std::string text = "// RECT = 9 9 9 9 a comment\nRECTS = 1\n  rect = 10 20 30 40\r\n:LABEL here\nFILE=a.flc";
    Stream s;
    s.OpenMemory(text.data(), long(text.size()));
    const char* const keywords[] = {"FILE", "RECT", ":", ""};
    EXPECT_EQ(1, s.ReadKeyword(keywords));
    EXPECT_EQ("10 20 30 40", s.KeywordValue());
    EXPECT_EQ(2, s.ReadKeyword(keywords)) << "a keyword beginning with a colon needs no separator";
    EXPECT_EQ(0, s.ReadKeyword(keywords));
    EXPECT_EQ("a.flc", s.KeywordValue());
    EXPECT_EQ(-1, s.ReadKeyword(keywords));
    s.CloseFile();
}

} // namespace

TEST_F(mFileTest, ACallersBlockAndBackKeepTheStreamsOwnSizes)
{
    const std::string data = Counting(5000);
    Stream s;
    s.SetBufferSizes(64, 16);
    ASSERT_TRUE(s.OpenFile(folder.Write("data.bin", data).c_str()));
    std::vector<std::uint8_t> theirs(4096 + 1024);
    s.SetBuffer(theirs.data(), 4096, 1024);
    char head[100];
    ASSERT_EQ(100, s.FileRead(head, 100));
    s.SetBuffer(nullptr, 0, 0);
    EXPECT_EQ(64, s.bufferSize);
    EXPECT_EQ(16, s.reserveSize);
    // Refills into the stream's own block stay inside it (the sanitizer build checks).
    std::string rest(4900, '\0');
    ASSERT_EQ(4900, s.FileRead(rest.data(), 4900));
    EXPECT_EQ(data.substr(100), rest);
}

TEST_F(mFileTest, AReopenedStreamIsNotBoundByTheLastForm)
{
    std::string small = "RIFF" + std::string("\x04\0\0\0", 4) + "WAVE";
    std::string big = "RIFF" + std::string("\x20\0\0\0", 4) + "WAVE" + "pad1" + std::string("\x08\0\0\0", 4) +
                      std::string(8, '\0') + "data" + std::string("\x04\0\0\0", 4) + "abcd";
    Stream s;
    ASSERT_TRUE(s.OpenMemory(small.data(), long(small.size())));
    ASSERT_TRUE(s.CheckRiff(mFile::FourCC("WAVE")));
    s.CloseFile();
    ASSERT_TRUE(s.OpenMemory(big.data(), long(big.size())));
    s.FileSeek(12, SEEK_SET);
    EXPECT_TRUE(s.FindChunk(mFile::FourCC("data"))) << "the data chunk lies beyond the first form's end";
}
