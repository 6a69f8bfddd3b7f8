#pragma once

#include "game/BoardLayout.h"
#include "game/ContentFile.h"
#include "game/GameSettings.h"
#include "game/ScoreKeeper.h"
#include "game/Tile.h"

#include <array>
#include <string>
#include <vector>

class GameActions;
namespace platform {
class Clock;
class MessageBoxes;
class Profile;
class Rand;
} // namespace platform

// The game itself: dealing, painting order, clicks, matching and the end of a
// game. Knows no window; every outward action goes through GameActions.
class Board {
public:
    static constexpr int MaxTiles = 72;

    Board(GameActions& actions, platform::MessageBoxes& boxes, const platform::Profile& content,
          platform::Rand& rand, platform::Clock& clock);

    void NewGame();
    void Shuffle();
    void Paint(int clientWidth, int clientHeight);
    void Click(int x, int y);
    void TurnUp(int tile);
    void CoverAgain(int tile);
    void CheckGameOver();
    // Keyboard commands: every tile turned up, matched ones included; every
    // face-up tile covered. Neither touches the current selection.
    void RevealAll();
    void HideFaceUp();
    // The switches take effect at once, before the next game reads them back.
    void SetAnimation(int on) { settings_.animation = on; }
    void SetSound(int on) { settings_.sound = on; }
    void SetUseCdAnim(int on) { settings_.useCdAnim = on; }
    // The animation switch of a player who never set it, from the next game on.
    void SetAnimationDefault(int on) { animationDefault_ = on; }

    const GameSettings& Settings() const { return settings_; }
    const Tile& TileAtIndex(int tile) const { return tiles_[static_cast<std::size_t>(tile)]; }
    int Count() const { return settings_.count; }
    const BoardLayout& Layout() const { return layout_; }
    const std::vector<int>& Selection() const { return selection_; }
    int SelectionPicture() const { return selectionPicture_; }
    bool GameOver() const { return gameOver_; }
    bool FirstPaintPending() const { return firstPaint_; }
    bool AnimationShowing() const { return animationShowing_; }
    void SetAnimationShowing(bool showing) { animationShowing_ = showing; }
    int NopeCount() const { return nopeCount_; }
    int YupCount() const { return yupCount_; }
    const std::string& ByeSound() const { return byeSound_; }
    int DesktopWidth() const { return desktopWidth_; }
    int DesktopHeight() const { return desktopHeight_; }
    const ContentFile& Content() const { return content_; }
    // Turns, time and players of this game; the window pauses its time.
    const ScoreKeeper& Score() const { return score_; }
    ScoreKeeper& Score() { return score_; }
    // How the last game ended; meaningful once Score().Ended().
    const GameResult& LastResult() const { return lastResult_; }

private:
    std::vector<int> ChoosePictures(int available);
    void FillTiles(const std::vector<int>& choices);
    void LoadContent();
    void CompleteSet();
    void MissAttempt();
    void AskPlayAgain();
    void DrawMatchTile(int tile);
    void DrawCover(int tile);
    int CountAtLeastOne(const std::string& section, const std::string& prefix) const;
    Tile& At(int tile) { return tiles_[static_cast<std::size_t>(tile)]; }

    GameActions& actions_;
    platform::MessageBoxes& boxes_;
    ContentFile content_;
    int animationDefault_ = 1;
    platform::Rand& rand_;
    platform::Clock& clock_;
    ScoreKeeper score_{clock_};
    GameResult lastResult_;

    GameSettings settings_;
    std::array<Tile, MaxTiles> tiles_{};
    BoardLayout layout_;
    std::vector<int> selection_;
    int selectionPicture_ = 0;
    bool gameOver_ = false;
    bool firstPaint_ = false;
    bool animationShowing_ = false;

    std::string startSound_, finSound_, byeSound_;
    int nopeCount_ = 1;
    int yupCount_ = 1;
    int desktopWidth_ = 0;
    int desktopHeight_ = 0;
};
