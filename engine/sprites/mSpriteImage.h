#pragma once

#include "engine/sprites/mSprite.h"

class mRenderer;

// A sprite that shows a frame source: its bounds follow the current frame,
// each step advances the frame, and painting draws the frame into the stage.
class mSpriteImage : public mSprite {
public:
    mSpriteImage() { state |= LoopFrames; }
    ~mSpriteImage() override;

    void Attach() override;
    void Detach() override;
    void Paint(const mRect* rects, int count) override;
    void Step(std::uint32_t lateness) override;
    void PaletteChanged() override;
    void MoveTo(std::int32_t newX, std::int32_t newY, std::int32_t newZ) override;
    void PlayFrom(std::int32_t instruction) override;
    void Pause() override;
    void Resume() override;
    int LoadScript(mFile& file) override;

    // The frame source shown, or none; the sprite holds it.
    void SetImage(mRenderer* source);
    mRenderer* Image() const { return image_; }

private:
    mRect FrameRect() const;
    void OfferPalette();
    void ReleaseImage();

    mRenderer* image_ = nullptr;
};
