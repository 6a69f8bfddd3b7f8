#include "engine/sprites/mSpriteImage.h"

#include "engine/core/mDirector.h"
#include "engine/sprites/mImageBitmap.h"
#include "engine/sprites/mRenderer.h"
#include "engine/sprites/mScript.h"

#include <cstdio>

mSpriteImage::~mSpriteImage()
{
    ReleaseImage();
}

void mSpriteImage::ReleaseImage()
{
    mRenderer* old = image_;
    image_ = nullptr;
    if (old && --old->useCount == 0) delete static_cast<mImage*>(old);
}

void mSpriteImage::SetImage(mRenderer* source)
{
    // Held before the old one is let go: the two may be the same source,
    // and this sprite its only holder.
    if (source) ++source->useCount;
    ReleaseImage();
    image_ = source;
    if (!source) return;
    source->ReadHeader();
    source->SetAutoAdvance(false);
    delay = Scaled(source->frameInfo->framePeriod);
    if (director) source->SetTarget(director);
}

void mSpriteImage::Attach()
{
    if (!image_) return;
    image_->SetTarget(director);
    image_->ReadHeader();
    delay = Scaled(image_->frameInfo->framePeriod);
    OfferPalette();
    if (!(state & Paused)) PlayFrom(0);
}

void mSpriteImage::Detach()
{
    if (!image_) return;
    // A source shared with other sprites keeps drawing into their stage.
    if (image_->useCount == 1) image_->SetTarget(nullptr);
    image_->Stop();
}

void mSpriteImage::OfferPalette()
{
    const mRenderer::FrameInfo& info = *image_->frameInfo;
    if (director && info.paletteChanged && !info.remap && info.colours) director->SetPalette(info.colours, 0, 256);
}

mRect mSpriteImage::FrameRect() const
{
    const mRenderer::FrameInfo& info = *image_->frameInfo;
    const int left = x - originX - info.originX, top = y - originY - info.originY;
    return {left, top, left + info.width, top + info.height};
}

void mSpriteImage::Paint(const mRect* rects, int count)
{
    if ((state & Hidden) || !image_) return;
    if (image_->frameInfo->currentFrame != std::int32_t(frame)) image_->SeekFrame(int(frame), 0);
    const mRect area = FrameRect();
    for (int i = 0; i < count; ++i) {
        image_->Draw(area.left, area.top, &rects[i]);
        // A frame decoded by this draw may bring its colours: the stage
        // takes them now, so they reach the window in this tick with the
        // pixels that need them (the next draw would clear the flag).
        OfferPalette();
    }
}

void mSpriteImage::Step(std::uint32_t lateness)
{
    if ((state & Paused) || !image_) return;
    const std::uint32_t frames = std::uint32_t(image_->rendererInfo->frameCount);
    do {
        delay = 0;
        if (script) script->Run(*this);
        else ++frame;
        // A script that paused stays paused until it is resumed: no
        // further step makes up lateness.
        const bool paused = (state & Paused) != 0;
        if (frame >= frames) {
            if (!(state & LoopFrames)) {
                frame = frames == 0 ? 0 : frames - 1;
                image_->SeekFrame(int(frame), 0);
                break;
            }
            frame = 0;
        }
        image_->SeekFrame(int(frame), 0);
        // A script's DELAY stands; without one the frame's own period.
        if (delay == 0) delay = image_->frameInfo->framePeriod;
        if (speed != 100) delay = Scaled(delay);
        state &= ~std::uint32_t(StepAgain);
        if ((state & CatchUp) && !paused) {
            if (lateness >= delay && delay != 0) {
                lateness -= delay;
                state |= StepAgain;
            } else {
                delay -= std::min(delay, lateness);
            }
        }
    } while (state & StepAgain);
    MoveTo(x, y, z);
    OfferPalette();
}

void mSpriteImage::PaletteChanged()
{
    // Only a remapping source has anything to match; the picture sources
    // that cannot remap would report every change of the stage's colours.
    if (image_ && image_->frameInfo->remap) image_->MatchPalette();
}

void mSpriteImage::MoveTo(std::int32_t newX, std::int32_t newY, std::int32_t newZ)
{
    x = newX;
    y = newY;
    TakeDepth(newZ);
    if (!image_) return;
    const mRect area = FrameRect();
    if (!(state & Hidden) && director) {
        if (area == bounds) {
            // Same place and size: only what the frame changed is new.
            const mRect& changed = image_->frameInfo->changed;
            const mRect moved{changed.left + area.left, changed.top + area.top, changed.right + area.left,
                              changed.bottom + area.top};
            director->Invalidate(&moved, 1);
        } else {
            const mRect both[2] = {area, bounds};
            director->Invalidate(both, 2);
        }
    }
    bounds = hitRect = area;
}

void mSpriteImage::PlayFrom(std::int32_t instruction)
{
    mSprite::PlayFrom(instruction);
    if (image_) image_->Play(0, 0);
}

void mSpriteImage::Pause()
{
    mSprite::Pause();
    if (image_) image_->Pause();
}

void mSpriteImage::Resume()
{
    mSprite::Resume();
    if (image_) image_->Play(0, 1);
}

int mSpriteImage::LoadScript(mFile& file)
{
    // The description, which shares the text, is read from the same place.
    const long start = file.open ? file.Tell() : 0;
    mSprite::LoadScript(file);
    if (file.open) file.FileSeek(start, SEEK_SET);
    if (auto* composed = dynamic_cast<mImageBitmap*>(image_);
        composed && composed->rendererInfo->formatTag == mImageBitmap::TagBmap) {
        composed->ReadDescription(file);
        // The frames are new: the bounds follow them now, not at the first step.
        MoveTo(x, y, z);
    }
    return 1;
}
