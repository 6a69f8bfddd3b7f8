#include "engine/core/mObject.h"

#include "doubles/EngineReports.h"

#include <gtest/gtest.h>

namespace {

struct Thing : mObject {};

class ReporterTest : public ::testing::Test {
protected:
    EngineReports boxes;
};

TEST_F(ReporterTest, CaptionNamesTheClassAndTextJoinsErrorAndDetailWithAColon)
{
    Thing t;
    t.Error(CLASS_mFile, ERR_FILE_OPEN, "anim\\cat.flc");
    t.Warning(CLASS_mImageFlic, ERR_BAD_CHUNK_TYPE);
    t.Report(1, CLASS_mBitmap, ERR_NONE, "only the detail");
    t.Report(7, CLASS_mBitmap, ERR_NONE, nullptr);
    ASSERT_EQ(4u, boxes.shown.size());
    EXPECT_EQ("mFile", boxes.shown[0].caption);
    EXPECT_EQ("File open error:anim\\cat.flc", boxes.shown[0].text);
    EXPECT_EQ(unsigned(platform::MB_ICONERROR), boxes.shown[0].style);
    EXPECT_EQ("Bad chunk type", boxes.shown[1].text);
    EXPECT_EQ(unsigned(platform::MB_ICONEXCLAMATION), boxes.shown[1].style);
    EXPECT_EQ("only the detail", boxes.shown[2].text);
    EXPECT_EQ(unsigned(platform::MB_ICONQUESTION), boxes.shown[2].style);
    EXPECT_EQ("", boxes.shown[3].text);
    EXPECT_EQ(unsigned(platform::MB_ICONINFORMATION), boxes.shown[3].style);
}

TEST_F(ReporterTest, UnknownIdsAndLongDetails)
{
    Thing t;
    t.Error(20, 22, std::string(50, 'x').c_str());
    t.Error(unsigned(-1), unsigned(-3), nullptr);
    t.Error(CLASS_mSpriteGroup, ERR_BAD_PROGINST, nullptr);
    EXPECT_EQ("Unknown Object", boxes.shown[0].caption);
    EXPECT_EQ("Unknown Error:" + std::string(40, 'x'), boxes.shown[0].text);
    EXPECT_EQ("Unknown Object", boxes.shown[1].caption);
    EXPECT_EQ("Unknown Error", boxes.shown[1].text);
    EXPECT_EQ("mSpriteGroup", boxes.shown[2].caption);
    EXPECT_EQ("Bad ProgInst Value", boxes.shown[2].text);
}

TEST_F(ReporterTest, DestroyingAnObjectStillInUseWarnsOnce)
{
    {
        Thing held;
        held.useCount = 2;
    }
    {
        Thing free;
    }
    ASSERT_EQ(1u, boxes.shown.size());
    EXPECT_EQ("mObject", boxes.shown[0].caption);
    EXPECT_EQ("Still in use", boxes.shown[0].text);
}

} // namespace
