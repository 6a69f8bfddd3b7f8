#include "engine/core/mObject.h"

#include "platform/MessageBoxes.h"
#include "platform/Texts.h"

#include <cstring>
#include <string>

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
    platform::TrNoop("Engine", "Out of memory"),
    platform::TrNoop("Engine", "Mem lock error"),
    platform::TrNoop("Engine", "No WinG support"),
    platform::TrNoop("Engine", "Can't get a DC"),
    platform::TrNoop("Engine", "File open error"),
    platform::TrNoop("Engine", "File read error"),
    platform::TrNoop("Engine", "File write error"),
    platform::TrNoop("Engine", "File seek error"),
    platform::TrNoop("Engine", "File type error"),
    platform::TrNoop("Engine", "File not closed"),
    platform::TrNoop("Engine", "Bitmap error"),
    platform::TrNoop("Engine", "Bad frame header"),
    platform::TrNoop("Engine", "Bad chunk type"),
    platform::TrNoop("Engine", "Not implemented"),
    platform::TrNoop("Engine", "Not tested"),
    platform::TrNoop("Engine", "Bad rectangle"),
    platform::TrNoop("Engine", "Still in use"),
    platform::TrNoop("Engine", "Label doesn't exist"),
    platform::TrNoop("Engine", "Missing parameter"),
    platform::TrNoop("Engine", "Value out of range"),
    platform::TrNoop("Engine", "Bad ProgInst Value"),
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
    // The error's name in the player's language; the detail is a name or a number.
    const std::string error =
        code < ErrorCount ? platform::Tr("Engine", ErrorTexts[code]) : platform::Tr("Engine", "Unknown Error");
    Append(message, error.c_str(), PieceLength);
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
