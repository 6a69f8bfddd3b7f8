#pragma once

#include "game/GameActions.h"

#include <cstdio>
#include <functional>

class ContentFile;
namespace platform {
class Clock;
}

// The board's outward actions for a terminal: pictures are shown by name when
// the board is printed, so loading always succeeds; sounds and animations are
// announced in words.
class TextGameActions : public GameActions {
public:
    TextGameActions(const ContentFile& content, platform::Clock& clock, std::FILE* out)
        : content_(content), clock_(clock), out_(out)
    {
    }

    bool LoadFace(const std::string&) override { return true; }
    bool LoadCover(const std::string&) override { return true; }
    bool LoadMatchTile(const std::string&) override { return true; }
    void DrawFace(const TileRect&) override {}
    void DrawFaceQuarter(int, const TileRect&) override {}
    void DrawCover(const TileRect&) override {}
    void DrawMatchTile(const TileRect&) override {}
    void PaintAllCovers(const BoardLayout&) override {}

    void PlaySound(const std::string& name, bool wait) override;
    void PlayMissSound(bool soundOn, int nopeCount) override;
    void PlayMatchSound(bool soundOn, int yupCount) override;
    void PlayMatchAnimation(int picture) override;
    void PostRestart() override { restartRequested = true; }
    void CloseGame() override { closeRequested = true; }
    void DesktopSize(int& width, int& height) override;

    // Shows the board as it stands, for the moments the player must see it.
    std::function<void()> showBoard;
    bool restartRequested = false;
    bool closeRequested = false;

private:
    const ContentFile& content_;
    platform::Clock& clock_;
    std::FILE* out_;
};
