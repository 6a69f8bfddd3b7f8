#pragma once

#include "game/Board.h"
#include "game/GameActions.h"
#include "game/GameServices.h"
#include "game/GameSounds.h"
#include "game/TileBitmap.h"
#include "game/TileCanvas.h"
#include "game/WindowMessageBoxes.h"
#include "shell/CInstallCdDlg.h"

#include <QMainWindow>

#include <map>
#include <memory>
#include <vector>

class BoardView;
class CAnimWnd;
class QAction;
class QLabel;
struct MenuItem;
class QMenu;

// The main window: holds the game's state for the life of the program, turns
// paints, button presses and commands into the board's rules, and carries
// out the board's outward actions.
class CGameWnd : public QMainWindow, private GameActions {
    Q_OBJECT
public:
    static constexpr const char* SettingsKey = "Software\\Quillory\\Pairlet";

    explicit CGameWnd(const GameServices& services);
    ~CGameWnd() override;

    // Places the window with its frame over the whole screen; the frame is
    // known only once the window is shown.
    void CoverTheScreen();

    void OnCommand(int id);
    // Queued like a posted message: runs after the current event.
    void PostCommand(int id);
    void ButtonDown(int x, int y);
    // Points the keyboard at the tile and turns it, as Enter does.
    void TurnTile(int tile);

    // Brings the board picture up to date when it was invalidated.
    void PaintBoard();
    void InvalidateBoard();

    const Board& GameBoard() const { return board_; }
    Board& GameBoard() { return board_; }
    const TileCanvas& Canvas() const { return canvas_; }
    QWidget* BoardWidget() const;
    CAnimWnd* AnimationWindow() const { return animWnd_.get(); }
    QAction* CommandAction(int id) const;
    QMenu* OptionsMenu() const { return options_; }
    QLabel* ScoreLine() const { return scoreLine_; }
    // True from the start of the close sequence on.
    bool Closing() const { return closing_; }
    // The tile the keyboard points at, or -1 while only the mouse was used.
    int KeyboardTile() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    // A key that reaches the window itself, such as one held back during an
    // animation and handed on afterwards, still finds its hotkey.
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Arrow keys move the keyboard's tile, wrapping at the edges; Enter or
    // Space turns it as a click on it would. False for other keys.
    bool BoardKey(int key);
    void PointAt(int tile);
    void CreateMenus();
    void AddCommand(QMenu& menu, const MenuItem& item);
    void CreateScoreLine();
    void ToggleTwoPlayers();
    void ClearBests();
    void CreateHotkeys();
    void AdjustWinIni();
    void CheckColourDepth();
    void PrepareOptionsMenu();
    void ToggleSetting(int id);
    // A dialog over the board; the game's time stands meanwhile.
    void RunDialog(int id);
    void RunGridSettings();
    void RunAbout();
    void RunInstallCd();
    void StopAnimation();
    void CloseSteps();
    void Changed(const QRect& area);

    // GameActions
    bool LoadFace(const std::string& path) override;
    bool LoadCover(const std::string& path) override;
    bool LoadMatchTile(const std::string& path) override;
    void DrawFace(const TileRect& rect) override;
    void DrawFaceQuarter(int quarter, const TileRect& rect) override;
    void DrawCover(const TileRect& rect) override;
    void DrawMatchTile(const TileRect& rect) override;
    void PaintAllCovers(const BoardLayout& layout) override;
    void PlaySound(const std::string& name, bool wait) override;
    void PlayMissSound(bool soundOn, int nopeCount) override;
    void PlayMatchSound(bool soundOn, int yupCount) override;
    void PlayMatchAnimation(int picture) override;
    void PostRestart() override;
    void CloseGame() override;
    void DesktopSize(int& width, int& height) override;
    void ScoreChanged() override;

    GameServices services_;
    WindowMessageBoxes boxes_;
    // The installer's values live as long as the program.
    CInstallCdDlg::Memory installMemory_;
    Board board_;
    GameSounds sounds_;
    TileCanvas canvas_;
    TileBitmap cover_, matchTile_, face_;
    BoardView* view_ = nullptr;
    int keyboardTile_ = 0;
    bool keyboardUsed_ = false;
    QMenu* options_ = nullptr;
    QLabel* scoreLine_ = nullptr;
    std::map<int, QAction*> actions_;
    std::vector<QAction*> hotkeys_;
    std::unique_ptr<CAnimWnd> animWnd_;
    QRect desktop_;
    bool boardInvalid_ = true;
    bool paintQueued_ = false;
    bool closing_ = false;
    bool endTold_ = false; // the end of this game was announced
};
