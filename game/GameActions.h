#pragma once

#include "game/BoardLayout.h"

#include <string>

// Everything the board does outside itself: pictures, sounds, the match
// animation and what follows the game-over question. The window implements
// it; tests record it.
class GameActions {
public:
    virtual ~GameActions() = default;

    // Loads a picture file into the face, cover or matched-tile picture;
    // false when it cannot be loaded (the loader reports why).
    virtual bool LoadFace(const std::string& path) = 0;
    virtual bool LoadCover(const std::string& path) = 0;
    virtual bool LoadMatchTile(const std::string& path) = 0;

    virtual void DrawFace(const TileRect& rect) = 0;
    virtual void DrawFaceQuarter(int quarter, const TileRect& rect) = 0;
    virtual void DrawCover(const TileRect& rect) = 0;
    virtual void DrawMatchTile(const TileRect& rect) = 0;
    virtual void PaintAllCovers(const BoardLayout& layout) = 0;

    // A sound file by name; wait blocks until it has finished.
    virtual void PlaySound(const std::string& name, bool wait) = 0;
    // The chosen sounds of a wrong guess and of a completed set. The miss
    // also keeps the turned faces on screen for its pause, sound or not.
    virtual void PlayMissSound(bool soundOn, int nopeCount) = 0;
    virtual void PlayMatchSound(bool soundOn, int yupCount) = 0;
    // Returns when the player has ended the animation.
    virtual void PlayMatchAnimation(int picture) = 0;

    virtual void PostRestart() = 0;
    virtual void CloseGame() = 0;

    virtual void DesktopSize(int& width, int& height) = 0;
    // Turns, sets, whose turn it is or the end of the game changed.
    virtual void ScoreChanged() {}
};
