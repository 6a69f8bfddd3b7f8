#pragma once

#include <array>
#include <memory>
#include <string>

class mBitmap;
class mDirector;
class mSpriteImage;

namespace platform {
class Clock;
class PathMap;
class Rand;
class Surface;
} // namespace platform

// One motion record: a sprite's top-left corner and its direction on each
// axis (-1, 0 or +1).
struct SpriteMotion {
    double x = 0, y = 0;
    double dx = 0, dy = 0;
    mSpriteImage* sprite = nullptr;
};

// What plays when a set is completed: the stage of the animation window,
// the picture's animation shared by up to eight sprites, and the way the
// copies bounce off the screen's edges. The window and the loop around it
// belong to the caller.
class MatchAnimation {
public:
    static constexpr int Records = 8;

    MatchAnimation(platform::Surface& window, int width, int height, platform::Clock& clock, platform::Rand& rand,
                   const platform::PathMap& paths);
    ~MatchAnimation();

    // path: the game's name ("anim\cat.flc"). The copies are placed at
    // random within the given screen size. False when the file cannot be
    // played.
    bool Load(const std::string& path, bool stillCopyOnly, int screenWidth, int screenHeight);
    // One pass of the bouncing, within the given bounds.
    void MoveAll(int boundsWidth, int boundsHeight);
    void Tick();

    SpriteMotion& Record(int k) { return records_[std::size_t(k)]; }
    bool Transparent() const { return transparent_; }
    mDirector& Director() const { return *director_; }

private:
    void AddCopy(int k, int screenWidth, int screenHeight);
    void RandomDirection(SpriteMotion& record);
    int Draw(int discard);
    void Move(SpriteMotion& record, int boundsWidth, int boundsHeight);
    // The next position on one axis; turns the record at an edge.
    double StepAxis(SpriteMotion& record, double SpriteMotion::*position, double SpriteMotion::*direction,
                    double limit);

    platform::Rand& rand_;
    const platform::PathMap& paths_;
    std::unique_ptr<mDirector> director_;
    std::unique_ptr<mBitmap> firstFrame_;
    std::array<SpriteMotion, Records> records_{};
    bool transparent_ = false;
};
