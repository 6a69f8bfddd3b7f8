#include "engine/sprites/mSprite.h"

#include "engine/core/mDirector.h"
#include "engine/core/mFile.h"
#include "engine/sprites/mImage.h"
#include "engine/sprites/mScript.h"

mSprite::~mSprite()
{
    for (std::unique_ptr<SoundNode> node = std::move(sounds_); node; node = std::move(node->next))
        if (--node->stream->useCount == 0) delete node->stream;
    ReleaseScript();
    if (director) director->RemoveElement(this);
}

void mSprite::Attach()
{
    if (!(state & Paused)) PlayFrom(0);
}

void mSprite::Step(std::uint32_t lateness)
{
    if (state & Paused) return;
    do {
        if (script) script->Run(*this);
        else ++frame;
        state &= ~std::uint32_t(StepAgain);
        // A script that paused stays paused until it is resumed.
        if ((state & CatchUp) && !(state & Paused) && delay != 0 && lateness >= delay) {
            lateness -= delay;
            state |= StepAgain;
        }
    } while (state & StepAgain);
    MoveTo(x, y, z);
}

void mSprite::Hit(mElement* other)
{
    state |= HitPending;
    hitBy = other->hitId;
}

void mSprite::TakeDepth(std::int32_t newZ)
{
    if (newZ <= 0 || newZ == z) return;
    z = newZ;
    if (director) director->Reorder(this);
}

void mSprite::MoveTo(std::int32_t newX, std::int32_t newY, std::int32_t newZ)
{
    const std::int32_t dx = newX - x, dy = newY - y;
    hitRect = {hitRect.left + dx, hitRect.top + dy, hitRect.right + dx, hitRect.bottom + dy};
    const mRect moved{bounds.left + dx, bounds.top + dy, bounds.right + dx, bounds.bottom + dy};
    x = newX;
    y = newY;
    TakeDepth(newZ);
    if (director) {
        const mRect both[2] = {moved, bounds};
        director->Invalidate(both, 2);
    }
    bounds = moved;
}

void mSprite::MoveBy(std::int32_t dx, std::int32_t dy, std::int32_t dz)
{
    MoveTo(x + dx, y + dy, z + dz);
}

void mSprite::SetOrigin(std::int32_t newOriginX, std::int32_t newOriginY)
{
    originX = newOriginX;
    originY = newOriginY;
    MoveTo(x, y, z);
}

void mSprite::Show()
{
    if (showCount >= 0) return;
    if (++showCount != 0) return;
    state &= ~std::uint32_t(Hidden);
    if (director) director->Invalidate(&bounds, 1);
}

void mSprite::Hide()
{
    if (showCount-- != 0) return;
    state |= Hidden;
    if (director) director->Invalidate(&bounds, 1);
}

void mSprite::PlayFrom(std::int32_t instruction)
{
    state &= ~std::uint32_t(Paused);
    pc = instruction;
}

void mSprite::Pause()
{
    state |= Paused;
}

void mSprite::Resume()
{
    state &= ~std::uint32_t(Paused);
}

void mSprite::SetSpeed(std::uint32_t percent)
{
    // A speed of 0 would stop the clock arithmetic; it counts as the slowest.
    speed = percent == 0 ? 1 : percent;
    delay = Scaled(delay);
}

void mSprite::SetCatchUp(bool on)
{
    state = on ? state | CatchUp : state & ~std::uint32_t(CatchUp);
}

void mSprite::SetLoop(bool on)
{
    state = on ? state | LoopFrames : state & ~std::uint32_t(LoopFrames);
}

void mSprite::AddSound(mImage* stream)
{
    if (!stream) return;
    ++stream->useCount;
    std::unique_ptr<SoundNode>* end = &sounds_;
    while (*end) end = &(*end)->next;
    *end = std::make_unique<SoundNode>(SoundNode{stream, nullptr});
}

int mSprite::PlaySound(int index, std::uint32_t length, std::uint32_t passes)
{
    SoundNode* node = sounds_.get();
    for (int i = 0; node && i < index; ++i) node = node->next.get();
    if (!node || index < 0) return 0;
    node->stream->Play(length, passes);
    return 1;
}

int mSprite::LoadScript(mFile& file)
{
    if (!file.open) return 0;
    if (!script) {
        script = new mScript;
        ++script->useCount;
    }
    script->Compile(file, *this);
    if (script->count > 0) return 1;
    ReleaseScript();
    return 0;
}

void mSprite::ReleaseScript()
{
    if (script && --script->useCount == 0) delete script;
    script = nullptr;
}
