#include "engine/core/mObject.h"

#include "platform/MessageBoxes.h"

#include <cstring>

namespace {

constexpr const char* ClassNames[] = {
    "mObject",      "mBitmap",      "mDirector",    "mFile",        "mImage",
    "mImageBitmap", "mImageBMP",    "mImageFlic",   "mImageAVI",    "mRenderer",
    "mRenderSolid", "mRenderBMP",   "mRenderFlic",  "mSprite",      "mSpriteImage",
    "mAudioWAV",    "mScript",      "mImagePCX",    "mImageDCX",    "mSpriteGroup",
};
constexpr unsigned ClassCount = sizeof ClassNames / sizeof ClassNames[0];

constexpr const char* ErrorTexts[] = {
    "",
    "Out of memory",
    "Mem lock error",
    "No WinG support",
    "Can't get a DC",
    "File open error",
    "File read error",
    "File write error",
    "File seek error",
    "File type error",
    "File not closed",
    "Bitmap error",
    "Bad frame header",
    "Bad chunk type",
    "Not implemented",
    "Not tested",
    "Bad rectangle",
    "Still in use",
    "Label doesn't exist",
    "Missing parameter",
    "Value out of range",
    "Bad ProgInst Value",
};
constexpr unsigned ErrorCount = sizeof ErrorTexts / sizeof ErrorTexts[0];
static_assert(ClassCount == 20 && ErrorCount == 22);

constexpr std::size_t PieceLength = 40; // longest text taken from a table or a detail

platform::MessageBoxes* reporter = nullptr;

// Appends at most limit characters of text, staying inside the buffer.
template <std::size_t N> void Append(char (&to)[N], const char* text, std::size_t limit)
{
    std::size_t at = std::strlen(to);
    for (std::size_t i = 0; text[i] && i < limit && at + 1 < N; ++i) to[at++] = text[i];
    to[at] = '\0';
}

unsigned IconOf(int kind)
{
    switch (kind) {
    case mObject::KindError: return platform::MB_ICONERROR;
    case mObject::KindQuestion: return platform::MB_ICONQUESTION;
    case mObject::KindWarning: return platform::MB_ICONEXCLAMATION;
    default: return platform::MB_ICONINFORMATION;
    }
}

} // namespace

mObject::~mObject()
{
    if (useCount != 0) Warning(CLASS_mObject, ERR_STILL_IN_USE);
}

void mObject::SetReporter(platform::MessageBoxes* boxes)
{
    reporter = boxes;
}

int mObject::Error(unsigned classId, unsigned code, const char* detail)
{
    return Report(KindError, classId, code, detail);
}

int mObject::Warning(unsigned classId, unsigned code, const char* detail)
{
    return Report(KindWarning, classId, code, detail);
}

void mObject::FormatReport(unsigned classId, unsigned code, const char* detail, char (&caption)[81],
                           char (&message)[85])
{
    caption[0] = message[0] = '\0';
    Append(caption, classId < ClassCount ? ClassNames[classId] : "Unknown Object", 80);
    Append(message, code < ErrorCount ? ErrorTexts[code] : "Unknown Error", PieceLength);
    if (!detail) return;
    if (message[0]) Append(message, ":", 1);
    Append(message, detail, PieceLength);
}

int mObject::Report(int kind, unsigned classId, unsigned code, const char* detail)
{
    char caption[81], message[85];
    FormatReport(classId, code, detail, caption, message);
    if (!reporter) return 0;
    return reporter->Show(message, caption, IconOf(kind) | platform::MB_OK);
}
