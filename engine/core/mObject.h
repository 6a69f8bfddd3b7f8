#pragma once

#include <cstdint>

namespace platform {
class MessageBoxes;
}

// Class ids name the reporting class in a report's caption.
enum ClassId : unsigned {
    CLASS_mObject = 0,
    CLASS_mBitmap = 1,
    CLASS_mDirector = 2,
    CLASS_mFile = 3,
    CLASS_mImage = 4,
    CLASS_mImageBitmap = 5,
    CLASS_mImageBMP = 6,
    CLASS_mImageFlic = 7,
    CLASS_mImageAVI = 8,
    CLASS_mRenderer = 9,
    CLASS_mRenderSolid = 10,
    CLASS_mRenderBMP = 11,
    CLASS_mRenderFlic = 12,
    CLASS_mSprite = 13,
    CLASS_mSpriteImage = 14,
    CLASS_mAudioWAV = 15,
    CLASS_mScript = 16,
    CLASS_mImagePCX = 17,
    CLASS_mImageDCX = 18,
    CLASS_mSpriteGroup = 19,
};

// Error codes name the failure in a report's text.
enum ErrorCode : unsigned {
    ERR_NONE = 0,
    ERR_OUT_OF_MEMORY = 1,
    ERR_MEM_LOCK = 2,
    ERR_NO_WING = 3,
    ERR_NO_DC = 4,
    ERR_FILE_OPEN = 5,
    ERR_FILE_READ = 6,
    ERR_FILE_WRITE = 7,
    ERR_FILE_SEEK = 8,
    ERR_FILE_TYPE = 9,
    ERR_FILE_NOT_CLOSED = 10,
    ERR_BITMAP = 11,
    ERR_BAD_FRAME_HEADER = 12,
    ERR_BAD_CHUNK_TYPE = 13,
    ERR_NOT_IMPLEMENTED = 14,
    ERR_NOT_TESTED = 15,
    ERR_BAD_RECTANGLE = 16,
    ERR_STILL_IN_USE = 17,
    ERR_NO_LABEL = 18,
    ERR_MISSING_PARAMETER = 19,
    ERR_OUT_OF_RANGE = 20,
    ERR_BAD_PROGINST = 21,
};

// The root of every engine class: a use count raised by the objects that
// hold this one, and the reporter that tells the player about a failure.
// Engine code reports once where it fails and returns a failure value.
class mObject {
public:
    enum ReportKind : int { KindError = 0, KindQuestion = 1, KindWarning = 2, KindInformation = 3 };

    virtual ~mObject();

    virtual int Error(unsigned classId, unsigned code, const char* detail = nullptr);
    virtual int Warning(unsigned classId, unsigned code, const char* detail = nullptr);
    virtual int Report(int kind, unsigned classId, unsigned code, const char* detail);

    // Where reports are shown: the message boxes of the active window. With
    // none set, reports are dropped (and their result is 0).
    static void SetReporter(platform::MessageBoxes* boxes);
    // The caption and text a report would show, for the given values.
    static void FormatReport(unsigned classId, unsigned code, const char* detail, char (&caption)[81],
                             char (&message)[85]);

    std::int32_t useCount = 0;

protected:
    mObject() = default;
    mObject(const mObject&) = delete;
    mObject& operator=(const mObject&) = delete;
};
