#pragma once

#include "engine/core/mBitmap.h"
#include "engine/core/mFile.h"
#include "engine/sprites/mImage.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The frame source: reads a picture stream through its mFile base, keeps one
// current frame, publishes what it knows and draws the frame into a target
// bitmap.
class mRenderer : public virtual mObject, public virtual mFile, public virtual mImage {
public:
    struct RendererInfo {
        std::int32_t frameCount = 0;
        std::uint32_t formatTag = 0;
        std::uint32_t size = 0;
        std::int32_t width = 0;
        std::int32_t height = 0;
        std::int32_t extra = 0;
    };
    struct FrameInfo {
        std::int32_t currentFrame = -1;
        std::uint32_t frameSize = 0;
        std::uint32_t framePeriod = 0;
        std::int32_t width = 0;
        std::int32_t height = 0;
        std::int32_t depth = 0;
        std::int32_t planes = 0;
        std::int32_t originX = 0;
        std::int32_t originY = 0;
        mRect changed;
        std::int32_t transparent = 0;
        std::uint32_t transparentColour = 0;
        std::uint32_t* colours = nullptr;
        std::int32_t paletteChanged = 0;
        std::int32_t remap = 0;
        std::int32_t autoAdvance = 0;
    };

    ~mRenderer() override;

    virtual int ReadHeader() = 0;
    virtual int WriteHeader() = 0;
    virtual int Draw(int x, int y, const mRect* clip) = 0;
    virtual int WriteFrame() = 0;
    virtual int SeekFrame(int n, int origin) = 0;
    virtual void MatchPalette() = 0;
    virtual mBitmap* MakeBitmap(bool ownDepth);
    virtual int SetTarget(mBitmap* bitmap);
    virtual void SetAutoAdvance(bool on);
    virtual void SetTransparent(bool on);
    virtual void SetTransparentColor(std::uint32_t index);
    virtual void SetRemap(bool on);

    // A new, unopened source for the file name's extension, or none.
    static std::unique_ptr<mRenderer> ForFileName(const std::string& fileName);
    // Whether ForFileName has a source for the name, without a report.
    static bool HasSourceFor(const std::string& fileName);
    static std::string Extension(const std::string& fileName);

    void BuildConversion();
    // For each colour with 4 bits per component (red * 256 + green * 16 +
    // blue), the nearest colour of the bitmap's table.
    static std::vector<std::uint8_t> ConversionTable(const mBitmap& to);
    void ConvertLine(const std::uint8_t* source, std::uint8_t* destination, int count, int bytesPerPlane) const;

    RendererInfo* rendererInfo = &rendererInfo_;
    FrameInfo* frameInfo = &frameInfo_;
    BitmapDesc* targetDesc = nullptr;
    mBitmap* target = nullptr;
    std::int32_t translationNeeded = 0;
    // What the last MakeBitmap's drawing gave: the frame, or -1 when the
    // frame could not be drawn (the bitmap is then only a blank copy).
    std::int32_t madeFrom = -1;

protected:
    mRenderer() = default;

    // The part of the target a draw may write: the clip rectangle cut to
    // the target, or the whole target without one.
    mRect ClipToTarget(const mRect* clip) const;

    RendererInfo rendererInfo_;
    FrameInfo frameInfo_;
    std::vector<std::uint8_t> conversion_;
    const mBitmap* conversionTarget_ = nullptr;
    std::uint32_t conversionVersion_ = 0;
};
