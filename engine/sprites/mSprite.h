#pragma once

#include "engine/core/mElement.h"

#include <algorithm>
#include <cstdint>
#include <memory>

class mFile;
class mImage;
class mScript;

// A stage element with a position, a hot spot, a visibility, a frame count
// and a step timer. On its own it draws nothing; mSpriteImage shows frames.
class mSprite : public mElement {
public:
    enum StateBit : std::uint32_t {
        Hidden = 1,
        Paused = 2,
        HitPending = 4,
        CatchUp = 8,
        LoopFrames = 16,
        StepAgain = 32,
    };

    mSprite() = default;
    ~mSprite() override;

    void Attach() override;
    void Step(std::uint32_t lateness) override;
    void Hit(mElement* other) override;

    virtual void MoveTo(std::int32_t newX, std::int32_t newY, std::int32_t newZ);
    virtual void MoveBy(std::int32_t dx, std::int32_t dy, std::int32_t dz);
    virtual void SetOrigin(std::int32_t newOriginX, std::int32_t newOriginY);
    virtual void Show();
    virtual void Hide();
    virtual void PlayFrom(std::int32_t instruction);
    virtual void Pause();
    virtual void Resume();
    virtual void SetSpeed(std::uint32_t percent);
    virtual void SetCatchUp(bool on);
    virtual void SetLoop(bool on);
    virtual void AddSound(mImage* stream);
    virtual int PlaySound(int index, std::uint32_t length, std::uint32_t passes);
    virtual int LoadScript(mFile& file);

    bool Visible() const { return (state & Hidden) == 0; }

    std::uint32_t userFlags = 0;
    std::uint32_t hitBy = 0;
    std::int32_t x = 0, y = 0;
    std::int32_t originX = 0, originY = 0;
    std::int32_t showCount = 0;
    std::uint32_t speed = 100;
    mScript* script = nullptr; // held: its use count is raised
    std::int32_t pc = 0;
    std::uint32_t frame = 0;
    std::uint32_t state = 0;

protected:
    // z > 0 that differs takes the sprite to that depth.
    void TakeDepth(std::int32_t newZ);
    // A speed of 0 (never set by SetSpeed or a script) counts as 1 %.
    std::uint32_t Scaled(std::uint32_t ms) const
    {
        return std::uint32_t(std::min<std::uint64_t>(std::uint64_t(ms) * 100 / std::max(speed, 1u), UINT32_MAX));
    }
    void ReleaseScript();

private:
    struct SoundNode {
        mImage* stream;
        std::unique_ptr<SoundNode> next;
    };
    std::unique_ptr<SoundNode> sounds_;
};
