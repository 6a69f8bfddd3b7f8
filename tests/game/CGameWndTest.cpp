// The real main window on the offscreen platform, with doubles for message
// boxes, sounds and time, and small solid-colour pictures on disk.
#include "game/CAnimWnd.h"
#include "game/CGameApp.h"
#include "game/BoardView.h"
#include "game/CGameWnd.h"

#include "SmallGame.h"
#include "doubles/EventLoop.h"
#include "resources/CommandIds.h"
#include "shell/CAboutDlg.h"
#include "shell/CGridDlg.h"
#include "shell/CInstallCdDlg.h"
#include "shell/SettingsStore.h"

#include <QAbstractButton>
#include <QAction>
#include <QPushButton>
#include <QTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QCursor>
#include <QDir>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace {

// Runs posted work and the paints it asks for.
void Settle() { SettleEvents(); }

constexpr int Pictures = 8; // a 4 × 4 board of pairs

template <typename D> void WhenShown(std::function<void(D&)> act)
{
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
        if (!dialog) return WhenShown<D>(act);
        act(*dialog);
    });
}

class CGameWndTest : public ::testing::Test, public SmallGame {
public:
    void SetUp() override
    {
        savedFolder = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(folder.Path()));
        SetSettingsKey("Pairlet", CGameWnd::SettingsKey);
        WriteNumber("rows", 4);
        WriteNumber("columns", 4);
        WriteNumber("animation", 0);
        WriteContent(Pictures);
    }

    void TearDown() override { QDir::setCurrent(savedFolder); }

    CGameWnd& Start(int screenDepth = 32)
    {
        CGameWnd& w = app.InitInstance(Services(screenDepth));
        Settle();
        return w;
    }

    CGameWnd& Window() { return *app.MainWindow(); }
    CAnimWnd& AnimationWindow() { return *Window().AnimationWindow(); }

    // Completes the set of picture 1 with the animation on; act runs at the
    // pause of every pass. Returns the number of passes.
    int CompleteASet(const std::function<void(int pass)>& act)
    {
        clock.pauses = 0;
        clock.onPause = act;
        const std::vector<int> tiles = TilesByPicture()[1];
        Click(tiles[0]);
        Click(tiles[1]);
        clock.onPause = nullptr;
        return clock.pauses;
    }
    void PostToAnimation(QEvent* event) { QCoreApplication::postEvent(&AnimationWindow(), event); }
    void MovePointerBy(int dx, int dy)
    {
        QCursor::setPos(start + QPoint(dx, dy));
        PostToAnimation(new QMouseEvent(QEvent::MouseMove, QPointF(5, 5), QCursor::pos(), Qt::NoButton, Qt::NoButton,
                                        Qt::NoModifier));
    }
    int Coloured(QRgb colour)
    {
        const platform::RgbSurface& picture = AnimationWindow().Picture();
        return int(std::count(picture.Data(), picture.Data() + picture.Width() * picture.Height(), 0xFF000000u | colour));
    }
    QPoint start;
    const Board& GameBoard() { return Window().GameBoard(); }

    QPoint Centre(int tile) { return TileCentre(GameBoard().Layout(), tile); }
    // What the screen shows at the tile's centre: only what was painted and
    // flushed, not what waits for the next paint.
    QRgb Shown(int tile)
    {
        const QPoint at = Window().BoardWidget()->mapTo(&Window(), Centre(tile));
        return QGuiApplication::primaryScreen()->grabWindow(Window().winId()).toImage().pixel(at);
    }

    void Click(int tile, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(Window().BoardWidget(), button, {}, Centre(tile));
        Settle();
    }

    // The tiles of each picture, in number order.
    std::map<int, std::vector<int>> TilesByPicture()
    {
        std::map<int, std::vector<int>> by;
        for (int i = 0; i < GameBoard().Count(); ++i) by[GameBoard().TileAtIndex(i).picture].push_back(i);
        return by;
    }

    std::vector<std::string> SoundPaths() const
    {
        std::vector<std::string> played;
        for (const auto& c : sounds.calls) played.push_back(c.path);
        return played;
    }

    void Key(const char* sequence)
    {
        Window().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
        const QKeySequence keys = QKeySequence::fromString(sequence);
        QTest::keySequence(&Window(), keys);
        Settle();
    }

    void Press(Qt::Key key)
    {
        QTest::keyClick(&Window(), key);
        Settle();
    }
    // Moves the keyboard's tile to the given one with the arrow keys.
    void WalkTo(int tile)
    {
        const int columns = GameBoard().Layout().columns;
        while (std::max(Window().KeyboardTile(), 0) % columns != tile % columns) Press(Qt::Key_Right);
        while (Window().KeyboardTile() / columns != tile / columns) Press(Qt::Key_Down);
    }
    // The board as the screen shows it, frame included.
    QImage BoardShown() { return Window().BoardWidget()->grab().toImage(); }

    QString savedFolder;
    CGameApp app;
};

TEST_F(CGameWndTest, OpensOverTheWholeScreenWithTheMenusAndCoveredTiles)
{
    CGameWnd& w = Start();
    EXPECT_EQ("Pairlet", w.windowTitle());
    EXPECT_FALSE(w.windowIcon().isNull());
    EXPECT_EQ(QGuiApplication::primaryScreen()->geometry(), w.frameGeometry());
    EXPECT_EQ(QPoint(20, 20), QCursor::pos());

    QStringList menus;
    for (QAction* popup : w.menuBar()->actions()) {
        menus << popup->text();
        for (QAction* item : popup->menu()->actions()) menus << "  " + (item->isSeparator() ? "-" : item->text());
    }
    EXPECT_EQ(QStringList({"&Options", "  &Restart Pairlet   Ctrl+R, F2", "  &Grid Settings", "  -",
                           "  Enable &Animation    Ctrl+A", "  Enable &Sound          Ctrl+S", "  -",
                           "  Install Animation CD", "  -", "  Quit Pairlet", "&About", "  &About Pairlet"}),
              menus);

    for (int i = 0; i < GameBoard().Count(); ++i) EXPECT_EQ(CoverColour, Shown(i)) << "tile " << i;
    EXPECT_EQ(std::vector<std::string>{"sounds/STARTSOUND.wav"}, SoundPaths());
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ("yes", winIni.GetString("AAPLAY Animation", "Int2fSwitch", ""));
}

TEST_F(CGameWndTest, WarnsOnPaletteScreensAfterTheSettingsAndKeepsOtherSwitchValues)
{
    winIni.Set("AAPLAY Animation", "Int2fSwitch", "no");
    WriteNumber("rows", 5); // 25 tiles do not make pairs
    WriteNumber("columns", 5);
    Start(8);
    // The default 6 × 6 grid needs more than the 8 pictures there are.
    ASSERT_EQ(3u, boxes.shown.size());
    EXPECT_EQ("Changing to Default Grid", boxes.shown[0].caption);
    EXPECT_EQ("Missing images in INI file!", boxes.shown[1].text);
    EXPECT_EQ("This program requires a minimum of 32K\ndesktop colors to function optimally.", boxes.shown[2].text);
    EXPECT_EQ("256 Color Desktop Detected", boxes.shown[2].caption);
    EXPECT_EQ(unsigned(platform::MB_ICONEXCLAMATION), boxes.shown[2].style);
    EXPECT_EQ("no", winIni.GetString("AAPLAY Animation", "Int2fSwitch", ""));
}

TEST_F(CGameWndTest, SixteenColoursWarnTooButDeepScreensDoNot)
{
    for (auto [depth, warnings] : {std::pair{4, 1u}, {16, 0u}, {24, 0u}}) {
        boxes.shown.clear();
        CGameApp other;
        other.InitInstance(Services(depth));
        EXPECT_EQ(warnings, boxes.shown.size()) << depth;
        if (warnings) {
            EXPECT_EQ("16 Color Desktop Detected", boxes.shown[0].caption);
        }
    }
}

TEST_F(CGameWndTest, AMissKeepsBothFacesInViewForThePauseThenCoversThem)
{
    Start();
    auto by = TilesByPicture();
    const int a = by[1][0], b = by[2][0];
    Click(a);
    EXPECT_EQ(PictureColour(1), Shown(a));

    std::vector<QRgb> duringPause;
    sounds.onPlay = [&](const std::string&, bool) { duringPause = {Shown(a), Shown(b)}; };
    Click(b);
    EXPECT_EQ((std::vector<QRgb>{PictureColour(1), PictureColour(2)}), duringPause);
    EXPECT_EQ(400u, clock.slept);
    EXPECT_EQ("sounds/nope.wav", sounds.calls.back().path);
    EXPECT_EQ(CoverColour, Shown(a));
    EXPECT_EQ(CoverColour, Shown(b));
    EXPECT_TRUE(GameBoard().Selection().empty());
}

TEST_F(CGameWndTest, EveryButtonTurnsTilesAndAPairIsMatched)
{
    Start();
    auto by = TilesByPicture();
    Click(by[3][0], Qt::RightButton);
    EXPECT_EQ(PictureColour(3), Shown(by[3][0]));
    Click(by[3][1], Qt::MiddleButton);
    EXPECT_EQ(MatchedColour, Shown(by[3][0]));
    EXPECT_EQ(MatchedColour, Shown(by[3][1]));
    EXPECT_EQ("sounds/yup.wav", sounds.calls.back().path);
    EXPECT_EQ(0u, clock.slept);
}

TEST_F(CGameWndTest, ClearingTheBoardAsksAndYesDealsANewCoveredBoard)
{
    Start();
    auto by = TilesByPicture();
    for (auto& [picture, tiles] : by) {
        Click(tiles[0]);
        Click(tiles[1]);
    }
    ASSERT_EQ(1u, boxes.shown.size());
    EXPECT_EQ("Game Over.  Play Again?", boxes.shown[0].text);
    EXPECT_EQ("Game Over", boxes.shown[0].caption);
    EXPECT_EQ(unsigned(platform::MB_YESNO), boxes.shown[0].style);

    // Yes posted the restart, whose first paint shows covers only.
    EXPECT_FALSE(GameBoard().GameOver());
    for (int i = 0; i < GameBoard().Count(); ++i) ASSERT_EQ(CoverColour, Shown(i)) << "tile " << i;
    const std::vector<std::string> played = SoundPaths();
    ASSERT_GE(played.size(), 2u);
    EXPECT_EQ("sounds/FINSOUND.wav", played[played.size() - 2]);
    EXPECT_EQ("sounds/STARTSOUND.wav", played.back());
    EXPECT_TRUE(Window().isVisible());
}

TEST_F(CGameWndTest, KeysAlonePlayAWholeGameWithAFrameThatHidesNoPicture)
{
    Start();
    Window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
    // The arrows wrap at the edges of the grid.
    Press(Qt::Key_Left);
    EXPECT_EQ(3, Window().KeyboardTile());
    Press(Qt::Key_Up);
    EXPECT_EQ(15, Window().KeyboardTile());
    Press(Qt::Key_Right);
    Press(Qt::Key_Down);
    EXPECT_EQ(0, Window().KeyboardTile());

    bool framed = false;
    for (auto& [picture, tiles] : TilesByPicture()) {
        WalkTo(tiles[0]);
        Press(Qt::Key_Return);
        WalkTo(tiles[1]);
        if (!framed) {
            // Face up and framed: the frame on the edge, the picture inside.
            const TileRect r = GameBoard().Layout().RectOf(tiles[0]);
            Press(Qt::Key_Space);
            const QImage shown = BoardShown();
            const TileRect f = GameBoard().Layout().RectOf(tiles[1]);
            EXPECT_EQ(BoardView::FocusColour, shown.pixel(f.x + 1, f.y + f.height / 2));
            EXPECT_EQ(0xFF000000u | MatchedColour, shown.pixel(f.x + BoardView::FocusWidth + 1, f.y + f.height / 2));
            EXPECT_EQ(0xFF000000u | MatchedColour, shown.pixel(r.x + 1, r.y + r.height / 2)); // no frame left behind
            framed = true;
            continue;
        }
        Press(Qt::Key_Space);
    }
    ASSERT_EQ(1u, boxes.shown.size());
    EXPECT_EQ("Game Over.  Play Again?", boxes.shown[0].text);
}

TEST_F(CGameWndTest, MousePlayNeverShowsTheKeyboardFrame)
{
    Start();
    auto by = TilesByPicture();
    Click(by[1][0]);
    Click(by[2][0]);
    Click(by[3][0]);
    EXPECT_EQ(-1, Window().KeyboardTile());
    EXPECT_EQ(Window().Canvas().Image().convertToFormat(QImage::Format_RGB32),
              BoardShown().convertToFormat(QImage::Format_RGB32));
}

TEST_F(CGameWndTest, NoAfterTheLastSetSaysGoodbyeToTheEndAndCloses)
{
    boxes.answers = {platform::IDNO};
    Start();
    bool visibleDuringGoodbye = false;
    sounds.onPlay = [&](const std::string&, bool wait) {
        if (wait) visibleDuringGoodbye = Window().isVisible();
    };
    for (auto& [picture, tiles] : TilesByPicture()) {
        Click(tiles[0]);
        Click(tiles[1]);
    }
    ASSERT_FALSE(sounds.calls.empty());
    EXPECT_EQ("sounds/BYESOUND.wav", sounds.calls.back().path);
    EXPECT_TRUE(sounds.calls.back().wait);
    EXPECT_TRUE(visibleDuringGoodbye);
    EXPECT_FALSE(Window().isVisible());
}

TEST_F(CGameWndTest, QuitWithSoundOffClosesSilently)
{
    WriteNumber("sound", 0);
    Start();
    Window().OnCommand(ID_QUIT);
    EXPECT_TRUE(sounds.calls.empty());
    EXPECT_FALSE(Window().isVisible());
}

TEST_F(CGameWndTest, RevealAllThenHideCoversEveryTileAndKeepsTheSelection)
{
    Start();
    auto by = TilesByPicture();
    Click(by[4][0]);
    Click(by[4][1]); // matched
    Click(by[5][0]); // selected
    Key("Ctrl+Shift+Alt+P");
    for (int i = 0; i < GameBoard().Count(); ++i)
        ASSERT_EQ(PictureColour(GameBoard().TileAtIndex(i).picture), Shown(i)) << "tile " << i;
    EXPECT_EQ(std::vector<int>{by[5][0]}, GameBoard().Selection());

    Key("H");
    for (int i = 0; i < GameBoard().Count(); ++i) ASSERT_EQ(CoverColour, Shown(i)) << "tile " << i;
    EXPECT_EQ(std::vector<int>{by[5][0]}, GameBoard().Selection());
}

TEST_F(CGameWndTest, RestartKeysDealANewBoardAtOnce)
{
    Start();
    for (const char* key : {"F2", "Ctrl+R"}) {
        Click(TilesByPicture()[1][0]);
        const std::size_t before = sounds.calls.size();
        Key(key);
        EXPECT_TRUE(GameBoard().Selection().empty()) << key;
        for (int i = 0; i < GameBoard().Count(); ++i) ASSERT_EQ(CoverColour, Shown(i)) << key;
        ASSERT_EQ(before + 1, sounds.calls.size()) << key;
        EXPECT_EQ("sounds/STARTSOUND.wav", sounds.calls.back().path);
    }
    EXPECT_TRUE(boxes.shown.empty()) << "no question before a restart";
}

TEST_F(CGameWndTest, SwitchesWriteTheStoreAndShowTheirCheckMarks)
{
    Start();
    QMenu* options = Window().OptionsMenu();
    auto checks = [&] {
        emit options->aboutToShow();
        return std::pair{Window().CommandAction(ID_TOGGLE_ANIMATION)->isChecked(),
                         Window().CommandAction(ID_TOGGLE_SOUND)->isChecked()};
    };
    EXPECT_EQ(std::pair(false, true), checks());
    Key("Ctrl+A");
    EXPECT_EQ(1, ReadNumber("animation", -1));
    Key("Ctrl+S");
    EXPECT_EQ(0, ReadNumber("sound", -1));
    EXPECT_EQ(std::pair(true, false), checks());
    Key("Ctrl+A");
    EXPECT_EQ(0, ReadNumber("animation", -1));

    // Sound off takes effect at once: a miss is silent but still pauses.
    auto by = TilesByPicture();
    Click(by[1][0]);
    Click(by[2][0]);
    EXPECT_EQ(1u, sounds.calls.size()) << "only the start sound";
    EXPECT_EQ(400u, clock.slept);
}

TEST_F(CGameWndTest, AnInstallSwitchesToTheInstalledAnimationsShownOnceInTheCentre)
{
    Start();
    QMenu* options = Window().OptionsMenu();
    emit options->aboutToShow();
    EXPECT_EQ(nullptr, Window().CommandAction(ID_USE_CD_ANIM));

    volumes.volumes = {{"/", ""}, {"/media/cd/", "LUMARIS_1"}};
    const std::string installed = folder / "Add-ons";
    shellFiles.onRun = [&] { folder.Write("Add-ons/p1.flc", BlockAnimation()); };
    WhenShown<CInstallCdDlg>([&](CInstallCdDlg& d) {
        static_cast<QLineEdit*>(d.Control(CInstallCdDlg::IDC_DESTINATION))->setText(QString::fromStdString(installed));
        static_cast<QPushButton*>(d.Control(CInstallCdDlg::IDC_COPY_FILES))->click();
    });
    Window().CommandAction(ID_INSTALL_CD)->trigger();
    Settle();
    ASSERT_EQ(2u, boxes.shown.size()) << "the space question, then the success";
    EXPECT_EQ("CD animation successfully installed.", boxes.shown[1].text);
    EXPECT_EQ(installed + "/", ReadString("cd_anim_dir", 300, ""));
    EXPECT_EQ(1, ReadNumber("use_cd_anim", 0));
    EXPECT_EQ(1, ReadNumber("animation", 0));
    emit options->aboutToShow();
    emit options->aboutToShow(); // the item is added once
    QStringList texts;
    for (QAction* a : options->actions()) texts << a->text();
    EXPECT_EQ(1, texts.count("Use Installed CD Animation"));
    EXPECT_EQ(texts.indexOf("Use Installed CD Animation") + 1, texts.indexOf("Install Animation CD"));
    QAction* useCd = Window().CommandAction(ID_USE_CD_ANIM);
    EXPECT_TRUE(useCd->isChecked());

    // The installed animation, not the game's own: one copy, whole.
    int coloured = 0;
    CompleteASet([&](int pass) {
        coloured = Coloured(AnimationColour);
        if (pass == 3) PostToAnimation(new QKeyEvent(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x"));
    });
    EXPECT_EQ(30 * 20 - 1, coloured) << "the block less its marker pixel";
    EXPECT_EQ(2u, boxes.shown.size());

    WriteNumber("animation", 0);
    useCd->trigger(); // off: animation is left alone
    EXPECT_EQ(0, ReadNumber("use_cd_anim", -1));
    EXPECT_EQ(0, ReadNumber("animation", -1));
    useCd->trigger(); // on: animation too
    EXPECT_EQ(1, ReadNumber("use_cd_anim", -1));
    EXPECT_EQ(1, ReadNumber("animation", -1));
}

TEST_F(CGameWndTest, AKeyOrButtonDuringAnAnimationStopsIt)
{
    Start();
    Window().GameBoard().SetAnimationShowing(true);
    QTest::keyClick(Window().BoardWidget(), Qt::Key_X);
    Settle();
    EXPECT_FALSE(GameBoard().AnimationShowing());

    Window().GameBoard().SetAnimationShowing(true);
    QTest::mousePress(Window().AnimationWindow(), Qt::LeftButton);
    Settle();
    EXPECT_FALSE(GameBoard().AnimationShowing());
}

TEST_F(CGameWndTest, ARestartDuringAnAnimationEndsItAndDealsAnew)
{
    WriteNumber("animation", 1);
    folder.Write("anim/p1.flc", BlockAnimation());
    Start();
    const int passes = CompleteASet([&](int pass) {
        if (pass == 2) Window().PostCommand(ID_RESTART);
        if (pass == 20) PostToAnimation(new QKeyEvent(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x"));
    });
    EXPECT_LE(passes, 3) << "the animation ends with the restart";
    EXPECT_FALSE(AnimationWindow().isVisible());
    for (int i = 0; i < GameBoard().Count(); ++i) EXPECT_EQ(FaceDown, GameBoard().TileAtIndex(i).state) << i;
}

// Bad content never stops the game: the player is told once and plays on.
struct BadContent {
    const char* name;
    std::function<void(CGameWndTest&)> damage;
    std::vector<std::string> messages; // at start and after turning one tile of picture 1
    QRgb cover;
    TileState turned;
};

const QRgb Blank = qRgb(40, 40, 48);

class BadContentTest : public CGameWndTest, public ::testing::WithParamInterface<BadContent> {};

TEST_P(BadContentTest, IsReportedAndTheGameGoesOn)
{
    GetParam().damage(*this);
    Start();
    const int tile = TilesByPicture()[1].front();
    EXPECT_EQ(GetParam().cover, Window().Canvas().Image().pixel(Centre(tile)));
    QTest::mouseClick(Window().BoardWidget(), Qt::LeftButton, {}, Centre(tile));
    std::vector<std::string> messages;
    for (const auto& box : boxes.shown) messages.push_back(box.text);
    EXPECT_EQ(GetParam().messages, messages);
    EXPECT_EQ(GetParam().turned, GameBoard().TileAtIndex(tile).state);
    EXPECT_TRUE(Window().isVisible());
}

void KeepOnlyTheCovers(CGameWndTest& t)
{
    t.content.Clear();
    t.content.Set("Cover Tiles", "NEWTILE", "bmp\\cover.bmp");
    t.content.Set("Cover Tiles", "MATCHTILE", "bmp\\matched.bmp");
}

INSTANTIATE_TEST_SUITE_P(
    CGameWndTest, BadContentTest,
    ::testing::Values(
        BadContent{"MissingPicture", [](CGameWndTest& game) { std::remove((game.folder / "bmp/p1.bmp").c_str()); },
                   {"Can't open file 'bmp\\P1.bmp'"}, CoverColour, Matched},
        BadContent{"DamagedPicture", [](CGameWndTest& game) { game.folder.Write("bmp/p1.bmp", "BM garbage"); }, {},
                   CoverColour, Matched},
        BadContent{"DamagedCover", [](CGameWndTest& game) { game.folder.Write("bmp/cover.bmp", std::string(100, 'x')); },
                   {}, Blank, FaceUp},
        BadContent{"EmptyTilesSection", KeepOnlyTheCovers,
                   {"Missing images in INI file!", "Can't open file 'bmp\\NO INI FILE ENTRY.bmp'"}, CoverColour,
                   Matched},
        BadContent{"MissingContentFile", [](CGameWndTest& game) { game.content.Clear(); },
                   {"Missing images in INI file!", "Can't open file 'NO INI FILE ENTRY'",
                    "Can't open file 'NO INI FILE ENTRY'", "Can't open file 'bmp\\NO INI FILE ENTRY.bmp'"},
                   Blank, Matched}),
    [](const ::testing::TestParamInfo<BadContent>& c) { return std::string(c.param.name); });

} // namespace

TEST_F(CGameWndTest, ACompletedSetPlaysItsAnimationUntilTheKeyButtonOrLongMoveEndsIt)
{
    WriteNumber("animation", 1);
    folder.Write("anim/p1.flc", BlockAnimation());
    Start();
    struct Seen {
        bool visible, pointerHidden;
        int coloured;
    };
    std::vector<Seen> seen;
    auto look = [&] {
        const QCursor* pointer = QGuiApplication::overrideCursor();
        seen.push_back({AnimationWindow().isVisible(), pointer && pointer->shape() == Qt::BlankCursor,
                        Coloured(AnimationColour)});
    };
    start = QCursor::pos();
    const int byKey = CompleteASet([&](int pass) {
        look();
        if (pass == 5) PostToAnimation(new QKeyEvent(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x"));
    });
    // The pass that took the key is the last one.
    EXPECT_EQ(byKey, 6);
    for (const Seen& s : seen) {
        EXPECT_TRUE(s.visible);
        EXPECT_TRUE(s.pointerHidden);
    }
    // Eight copies of the 30 × 20 block, some overlapping, over black.
    EXPECT_GT(seen.back().coloured, 2 * 30 * 20);
    EXPECT_LE(seen.back().coloured, 8 * 30 * 20);
    EXPECT_FALSE(AnimationWindow().isVisible());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(GameBoard().AnimationShowing());
    EXPECT_TRUE(boxes.shown.empty());

    // 100 right and 100 down is not far enough; 150 right and 60 down is.
    Window().OnCommand(ID_RESTART);
    Settle();
    start = QCursor::pos();
    seen.clear();
    const int byMove = CompleteASet([&](int pass) {
        look();
        if (pass == 2) MovePointerBy(100, 100);
        if (pass == 4) MovePointerBy(150, 60);
    });
    EXPECT_EQ(byMove, 5);
    // Nothing of the last animation is left on the screen.
    for (const Seen& s : seen) EXPECT_LE(s.coloured, 8 * 30 * 20);

    Window().OnCommand(ID_RESTART);
    Settle();
    const int byClick = CompleteASet([&](int pass) {
        if (pass == 3)
            PostToAnimation(new QMouseEvent(QEvent::MouseButtonPress, QPointF(5, 5), QCursor::pos(), Qt::RightButton,
                                            Qt::RightButton, Qt::NoModifier));
    });
    EXPECT_EQ(byClick, 4);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(GameBoard().TileAtIndex(TilesByPicture()[1][0]).state, Matched);
}

TEST_F(CGameWndTest, AMissingAnimationIsReportedByTheEngineAndTheGameAndTheGameGoesOn)
{
    WriteNumber("animation", 1);
    Start();
    const int passes = CompleteASet([](int) {});
    EXPECT_EQ(passes, 0);
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0].caption, "mFile");
    EXPECT_EQ(boxes.shown[0].text.rfind("File open error:", 0), 0u) << boxes.shown[0].text;
    EXPECT_EQ(boxes.shown[1].text, "Error loading animation file: anim\\P1.flc");
    EXPECT_EQ(boxes.shown[1].caption, "File Error");
    EXPECT_FALSE(AnimationWindow().isVisible());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    const std::vector<int> tiles = TilesByPicture()[1];
    EXPECT_EQ(GameBoard().TileAtIndex(tiles[0]).state, Matched);
    EXPECT_EQ(MatchedColour, Shown(tiles[1]));
    // A file that is no animation is reported the same way.
    folder.Write("anim/p2.flc", "not an animation");
    const std::vector<int> second = TilesByPicture()[2];
    Click(second[0]);
    Click(second[1]);
    ASSERT_EQ(boxes.shown.size(), 4u);
    EXPECT_EQ(boxes.shown[2].caption, "mImageFlic");
    EXPECT_EQ(boxes.shown[3].text, "Error loading animation file: anim\\P2.flc");
}

namespace {

// Acts on the dialog of type D once it is up.
std::string DamagedAfterTheFirstFrame(std::string flc)
{
    const std::size_t second = 128 + std::size_t(std::uint8_t(flc[128]) | std::uint8_t(flc[129]) << 8);
    flc[second + 4] = flc[second + 5] = 0;
    return flc;
}

} // namespace

TEST_F(CGameWndTest, GridSettingsDealsANewBoardOnOkAndKeepsThisOneOnCancel)
{
    Start();
    EXPECT_TRUE(Window().CommandAction(ID_GRID_SETTINGS)->isEnabled());
    EXPECT_TRUE(Window().CommandAction(ID_ABOUT)->isEnabled());
    EXPECT_TRUE(Window().CommandAction(ID_INSTALL_CD)->isEnabled());
    const int selected = TilesByPicture()[1][0];
    Click(selected);

    WhenShown<CGridDlg>([&](CGridDlg& d) {
        EXPECT_EQ(d.parentWidget(), &Window());
        d.reject();
    });
    Window().OnCommand(ID_GRID_SETTINGS);
    Settle();
    EXPECT_EQ(GameBoard().Selection(), std::vector<int>{selected});
    EXPECT_EQ(ReadNumber("match", -1), -1);

    WhenShown<CGridDlg>([](CGridDlg& d) {
        d.Control(CGridDlg::IDC_4X4)->click();
        d.Control(CGridDlg::IDC_MATCH4)->click();
        d.Control(1)->click();
    });
    Window().OnCommand(ID_GRID_SETTINGS);
    Settle();
    EXPECT_TRUE(GameBoard().Selection().empty());
    EXPECT_EQ(GameBoard().Settings().match, 4);
    for (int i = 0; i < GameBoard().Count(); ++i) ASSERT_EQ(CoverColour, Shown(i)) << "tile " << i;
}

TEST_F(CGameWndTest, TheAboutBoxOpensOverTheWindowAndClosesWithOk)
{
    Start();
    WhenShown<CAboutDlg>([&](CAboutDlg& d) {
        EXPECT_EQ(d.parentWidget(), &Window());
        d.Button(CAboutDlg::IDOK)->click();
    });
    Window().OnCommand(ID_ABOUT);
    EXPECT_GE(clock.pauses, 1) << "its loop ran on the game's clock";
}

TEST_F(CGameWndTest, SideButtonsTurnNoTileAndEndNoAnimation)
{
    WriteNumber("animation", 1);
    folder.Write("anim/p1.flc", BlockAnimation());
    Start();
    const int tile = TilesByPicture()[2][0];
    Click(tile, Qt::BackButton);
    EXPECT_EQ(GameBoard().TileAtIndex(tile).state, FaceDown);

    const int passes = CompleteASet([&](int pass) {
        if (pass == 2)
            PostToAnimation(new QMouseEvent(QEvent::MouseButtonPress, QPointF(5, 5), QCursor::pos(), Qt::BackButton,
                                            Qt::BackButton, Qt::NoModifier));
        if (pass == 4) PostToAnimation(new QKeyEvent(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x"));
    });
    EXPECT_EQ(passes, 5);
}

TEST_F(CGameWndTest, AClickOnTheBoardDuringAnAnimationTurnsItsTileAfterwards)
{
    WriteNumber("animation", 1);
    folder.Write("anim/p1.flc", BlockAnimation());
    Start();
    const int next = TilesByPicture()[2][0];
    const QPoint at = Centre(next);
    TileState during = Matched;
    CompleteASet([&](int pass) {
        if (pass == 2) {
            for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
                QCoreApplication::postEvent(Window().BoardWidget(),
                                            new QMouseEvent(type, QPointF(at), QPointF(at), Qt::LeftButton,
                                                            type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                                                            Qt::NoModifier));
        }
        if (pass == 4) {
            during = GameBoard().TileAtIndex(next).state;
            PostToAnimation(new QKeyEvent(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x"));
        }
    });
    EXPECT_EQ(during, FaceDown) << "the board is frozen while the animation plays";
    Settle();
    EXPECT_EQ(GameBoard().TileAtIndex(next).state, FaceUp);
    EXPECT_EQ(GameBoard().Selection(), std::vector<int>{next});
    EXPECT_EQ(PictureColour(2), Shown(next));
}

TEST_F(CGameWndTest, ADamagedAnimationIsReportedOnceAndEnds)
{
    WriteNumber("animation", 1);
    folder.Write("anim/p1.flc", DamagedAfterTheFirstFrame(BlockAnimation()));
    Start();
    const int passes = CompleteASet([&](int pass) {
        if (pass == 20) PostToAnimation(new QKeyEvent(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x"));
    });
    EXPECT_LT(passes, 5);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].caption, "mImageFlic");
    EXPECT_EQ(boxes.shown[0].text.rfind("Bad frame header", 0), 0u) << boxes.shown[0].text;
    EXPECT_FALSE(AnimationWindow().isVisible());
    EXPECT_EQ(GameBoard().TileAtIndex(TilesByPicture()[1][0]).state, Matched);
}

TEST_F(CGameWndTest, ABoardThatEndsInUnreadablePicturesEndsAtTheRepaintAfterTheMessage)
{
    Start();
    auto by = TilesByPicture();
    for (int picture = 1; picture <= 6; ++picture) {
        Click(by[picture][0]);
        Click(by[picture][1]);
    }
    // The last four tiles cannot be read: each is taken out of play, and
    // two different pictures in a row are a miss, which checks nothing.
    std::remove((folder / "bmp/p7.bmp").c_str());
    std::remove((folder / "bmp/p8.bmp").c_str());
    for (int tile : {by[7][0], by[8][0], by[7][1], by[8][1]}) Click(tile);
    EXPECT_EQ(boxes.shown.size(), 4u);
    EXPECT_TRUE(GameBoard().GameOver());
    EXPECT_EQ(sounds.calls.back().path, "sounds/FINSOUND.wav");
    for (const auto& box : boxes.shown) EXPECT_NE(box.text, "Game Over.  Play Again?") << "no question then";
}
