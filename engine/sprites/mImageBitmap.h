#pragma once

#include "engine/sprites/mRenderer.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A frame source whose frames are cut from the frames of other pictures,
// as a sprite description lists them: each frame is a rectangle of an
// 8-bit picture, with its own hot spot, display time and changed
// rectangle. The frames form a ring in the order added.
class mImageBitmap : public mRenderer {
public:
    static constexpr std::uint32_t TagBmap = 'B' | 'M' << 8 | 'A' << 16 | 'P' << 24;
    enum Keyword { KeyFile, KeyRect, KeyTile, KeySourceFrame, KeyOrigin, KeyTime, KeyDelta, KeyEnd };
    static const char* const Keywords[];
    // All pictures of one image together.
    static constexpr std::int64_t MaxPictureBytes = std::int64_t(64) << 20;
    // More frames than any animation shows: a TILE of 1 by 1 over a large
    // picture stops here instead of taking all the memory there is.
    static constexpr std::size_t MaxFrames = 16384;

    struct Frame {
        mBitmap* picture = nullptr; // held: its use count is raised
        mRect cut;
        mRect changed; // in frame coordinates
        std::int32_t originX = 0, originY = 0;
        std::uint32_t time = 0;
        std::int32_t reserved = 0;
    };

    mImageBitmap();
    ~mImageBitmap() override;

    // Reads a description from the file's position: 1 when read to its end,
    // 0 when the file is not open or the reading was abandoned.
    int ReadDescription(mFile& file);
    // False when the frame was refused (reported); at the frame limit
    // further frames are refused too.
    bool AddFrame(mBitmap* picture, const mRect* cut, std::int32_t originX, std::int32_t originY, std::uint32_t time,
                  const mRect* changed);

    int ReadHeader() override;
    int WriteHeader() override;
    int Draw(int x, int y, const mRect* clip) override;
    int WriteFrame() override;
    int SeekFrame(int n, int origin) override;
    void MatchPalette() override;
    void SetTransparent(bool on) override;
    void SetTransparentColor(std::uint32_t index) override;
    void SetRemap(bool on) override;

    const std::vector<Frame>& Frames() const { return frames_; }
    bool AtFrameLimit() const { return frames_.size() >= MaxFrames; }

    // Up to four numbers separated by commas, as the description writes
    // them; those missing count as 0, each is kept within 32 bits.
    static std::vector<std::int32_t> Numbers(const std::string& text, int count);

private:
    class Reading;

    void Publish();
    void ForEachPicture(void (*apply)(mBitmap&, mImageBitmap&));

    std::vector<Frame> frames_;
    int current_ = 0;
};
