// What an engine report tells the player: the class's own caption, the
// error's text, a colon and the detail, and the icon of the report's kind.
#include "engine/core/mObject.h"

#include "doubles/EngineReports.h"

#include <gtest/gtest.h>

namespace {

struct Reporter : mObject {};

TEST(mObjectTest, EveryClassAndErrorIsToldByItsOwnName)
{
    EngineReports boxes;
    Reporter r;
    const std::vector<std::pair<unsigned, std::string>> classes = {
        {CLASS_mObject, "mObject"},         {CLASS_mBitmap, "mBitmap"},         {CLASS_mDirector, "mDirector"},
        {CLASS_mFile, "mFile"},             {CLASS_mImage, "mImage"},           {CLASS_mImageBitmap, "mImageBitmap"},
        {CLASS_mImageBMP, "mImageBMP"},     {CLASS_mImageFlic, "mImageFlic"},   {CLASS_mImageAVI, "mImageAVI"},
        {CLASS_mRenderer, "mRenderer"},     {CLASS_mRenderSolid, "mRenderSolid"}, {CLASS_mRenderBMP, "mRenderBMP"},
        {CLASS_mRenderFlic, "mRenderFlic"}, {CLASS_mSprite, "mSprite"},         {CLASS_mSpriteImage, "mSpriteImage"},
        {CLASS_mAudioWAV, "mAudioWAV"},     {CLASS_mScript, "mScript"},         {CLASS_mImagePCX, "mImagePCX"},
        {CLASS_mImageDCX, "mImageDCX"},     {CLASS_mSpriteGroup, "mSpriteGroup"}, {20, "Unknown Object"},
        {unsigned(-1), "Unknown Object"},
    };
    for (const auto& [id, name] : classes) {
        r.Error(id, ERR_FILE_OPEN, "a.bmp");
        EXPECT_EQ(name, boxes.shown.back().caption) << id;
    }
    const std::vector<std::pair<unsigned, std::string>> errors = {
        {ERR_OUT_OF_MEMORY, "Out of memory"},      {ERR_MEM_LOCK, "Mem lock error"},
        {ERR_NO_WING, "No WinG support"},          {ERR_NO_DC, "Can't get a DC"},
        {ERR_FILE_OPEN, "File open error"},        {ERR_FILE_READ, "File read error"},
        {ERR_FILE_WRITE, "File write error"},      {ERR_FILE_SEEK, "File seek error"},
        {ERR_FILE_TYPE, "File type error"},        {ERR_FILE_NOT_CLOSED, "File not closed"},
        {ERR_BITMAP, "Bitmap error"},              {ERR_BAD_FRAME_HEADER, "Bad frame header"},
        {ERR_BAD_CHUNK_TYPE, "Bad chunk type"},    {ERR_NOT_IMPLEMENTED, "Not implemented"},
        {ERR_NOT_TESTED, "Not tested"},            {ERR_BAD_RECTANGLE, "Bad rectangle"},
        {ERR_STILL_IN_USE, "Still in use"},        {ERR_NO_LABEL, "Label doesn't exist"},
        {ERR_MISSING_PARAMETER, "Missing parameter"}, {ERR_OUT_OF_RANGE, "Value out of range"},
        {ERR_BAD_PROGINST, "Bad ProgInst Value"},  {22, "Unknown Error"},
    };
    for (const auto& [code, text] : errors) {
        r.Warning(CLASS_mFile, code);
        EXPECT_EQ(text, boxes.shown.back().text) << code;
    }
    EXPECT_EQ(unsigned(platform::MB_ICONEXCLAMATION | platform::MB_OK), boxes.shown.back().style);

    // The detail follows a colon, at most 40 characters of it; with no
    // error text it stands alone.
    boxes.shown.clear();
    r.Error(CLASS_mFile, ERR_FILE_OPEN, "pictures/fox.bmp");
    r.Error(CLASS_mFile, ERR_BAD_RECTANGLE, std::string(50, 'x').c_str());
    r.Report(mObject::KindInformation, CLASS_mFile, ERR_NONE, "only this");
    r.Report(mObject::KindQuestion, CLASS_mFile, ERR_NONE, nullptr);
    EXPECT_EQ((std::vector<std::string>{"File open error:pictures/fox.bmp", "Bad rectangle:" + std::string(40, 'x'),
                                        "only this", ""}),
              boxes.Texts());
    EXPECT_EQ(unsigned(platform::MB_ICONERROR | platform::MB_OK), boxes.shown[0].style);
    EXPECT_EQ(unsigned(platform::MB_ICONINFORMATION | platform::MB_OK), boxes.shown[2].style);
    EXPECT_EQ(unsigned(platform::MB_ICONQUESTION | platform::MB_OK), boxes.shown[3].style);
}

} // namespace
