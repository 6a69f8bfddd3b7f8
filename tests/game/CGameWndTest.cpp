// The real main window on the offscreen platform, with doubles for message
// boxes, sounds and time, and small solid-colour pictures on disk.
#include "game/CAnimWnd.h"
#include "game/CGameApp.h"
#include "game/CGameWnd.h"

#include "SmallGame.h"
#include "doubles/EventLoop.h"
#include "resources/CommandIds.h"
#include "shell/CAboutDlg.h"
#include "shell/CGridDlg.h"
#include "shell/SettingsStore.h"

#include <QPushButton>
#include <QTimer>
#include <QKeyEvent>
#include <QCursor>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QAccessible>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace {

constexpr int Pictures = 8; // a 4 × 4 board of pairs

// Acts on the dialog of type D once it is up.
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

    void Start()
    {
        app.InitInstance(Services());
        SettleEvents();
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

    void Click(int tile)
    {
        QTest::mouseClick(Window().BoardWidget(), Qt::LeftButton, {}, Centre(tile));
        SettleEvents();
    }

    // The tiles of each picture, in number order.
    std::map<int, std::vector<int>> TilesByPicture()
    {
        std::map<int, std::vector<int>> by;
        for (int i = 0; i < GameBoard().Count(); ++i) by[GameBoard().TileAtIndex(i).picture].push_back(i);
        return by;
    }

    // Completes every set, picture by picture; the game then asks the one
    // question it always asked.
    void CompleteEverySet()
    {
        for (auto& [picture, tiles] : TilesByPicture()) {
            Click(tiles[0]);
            Click(tiles[1]);
        }
        ASSERT_EQ(1u, boxes.shown.size());
        EXPECT_EQ("Game Over.  Play Again?", boxes.shown[0].text);
        EXPECT_EQ("Game Over", boxes.shown[0].caption);
        EXPECT_EQ(unsigned(platform::MB_YESNO), boxes.shown[0].style);
    }

    void Press(Qt::Key key)
    {
        QTest::keyClick(&Window(), key);
        SettleEvents();
    }
    // Moves the keyboard's tile to the given one with the arrow keys.
    void WalkTo(int tile)
    {
        const int columns = GameBoard().Layout().columns;
        while (std::max(Window().KeyboardTile(), 0) % columns != tile % columns) Press(Qt::Key_Right);
        while (Window().KeyboardTile() / columns != tile / columns) Press(Qt::Key_Down);
    }

    QString savedFolder;
    CGameApp app;
};

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

TEST_F(CGameWndTest, ClearingTheBoardAsksAndYesDealsANewCoveredBoard)
{
    Start();
    CompleteEverySet();

    // Yes posted the restart, whose first paint shows covers only.
    EXPECT_FALSE(GameBoard().GameOver());
    for (int i = 0; i < GameBoard().Count(); ++i) ASSERT_EQ(CoverColour, Shown(i)) << "tile " << i;
    ASSERT_GE(sounds.calls.size(), 2u);
    EXPECT_EQ("sounds/FINSOUND.wav", sounds.calls.end()[-2].path);
    EXPECT_EQ("sounds/STARTSOUND.wav", sounds.calls.back().path);
    EXPECT_TRUE(Window().isVisible());
}

TEST_F(CGameWndTest, KeysAlonePlayAWholeGameAndTheArrowsWrapAtTheEdges)
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

    for (auto& [picture, tiles] : TilesByPicture()) {
        WalkTo(tiles[0]);
        Press(Qt::Key_Return);
        WalkTo(tiles[1]);
        Press(Qt::Key_Space);
    }
    ASSERT_EQ(1u, boxes.shown.size());
    EXPECT_EQ("Game Over.  Play Again?", boxes.shown[0].text);
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
    EXPECT_EQ(GetParam().cover, Window().Canvas().Picture().pixel(Centre(tile)));
    QTest::mouseClick(Window().BoardWidget(), Qt::LeftButton, {}, Centre(tile));
    EXPECT_EQ(GetParam().messages, boxes.Texts());
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

TEST_F(CGameWndTest, ACompletedSetPlaysItsAnimationUntilAKeyOrALongMoveEndsIt)
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
    ASSERT_EQ(-1, Window().KeyboardTile());
    const int byKey = CompleteASet([&](int pass) {
        look();
        // The board waits for its key until the animation has ended.
        if (pass == 3) QCoreApplication::postEvent(&Window(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Right, {}));
        if (pass == 4) {
            EXPECT_EQ(-1, Window().KeyboardTile());
        }
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
    SettleEvents();
    EXPECT_FALSE(AnimationWindow().testAttribute(Qt::WA_WState_Created)) << "its screen-sized buffer kept";
    EXPECT_EQ(1, Window().KeyboardTile()) << "the held key arrived once";

    // 100 right and 100 down is not far enough; 150 right and 60 down is.
    Window().OnCommand(ID_RESTART);
    SettleEvents();
    start = QCursor::pos();
    seen.clear();
    const int byMove = CompleteASet([&](int pass) {
        look();
        if (pass == 2) MovePointerBy(100, 100);
        if (pass == 4) MovePointerBy(150, 60);
    });
    EXPECT_EQ(byMove, 5);
    // Shown again, and nothing of the last animation is left on the screen.
    for (const Seen& s : seen) {
        EXPECT_TRUE(s.visible);
        EXPECT_LE(s.coloured, 8 * 30 * 20);
    }
}

// A set whose animation cannot be read is told, and stays completed.
TEST_F(CGameWndTest, AMissingAnimationIsToldAndTheSetStaysCompleted)
{
    WriteNumber("animation", 1);
    Start();
    EXPECT_EQ(0, CompleteASet([](int) {})) << "no animation ran";
    // The engine's own report of the file, then the game's.
    EXPECT_EQ((std::vector<std::string>{"File open error:anim/P1.flc", "Error loading animation file: anim\\P1.flc"}),
              boxes.Texts());
    ASSERT_EQ(2u, boxes.shown.size());
    EXPECT_EQ("File Error", boxes.shown[1].caption);
    EXPECT_EQ(unsigned(platform::MB_ICONEXCLAMATION), boxes.shown[1].style);
    EXPECT_FALSE(AnimationWindow().isVisible());
    const std::vector<int> set = TilesByPicture()[1];
    for (int tile : set) EXPECT_EQ(Matched, GameBoard().TileAtIndex(tile).state);
}

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
    SettleEvents();
    EXPECT_EQ(GameBoard().Selection(), std::vector<int>{selected});
    EXPECT_EQ(ReadNumber("match", -1), -1);

    WhenShown<CGridDlg>([](CGridDlg& d) {
        d.Control(CGridDlg::IDC_4X4)->click();
        d.Control(CGridDlg::IDC_MATCH4)->click();
        d.Control(1)->click();
    });
    Window().OnCommand(ID_GRID_SETTINGS);
    SettleEvents();
    EXPECT_TRUE(GameBoard().Selection().empty());
    EXPECT_EQ(GameBoard().Settings().match, 4);
    for (int i = 0; i < GameBoard().Count(); ++i) ASSERT_EQ(CoverColour, Shown(i)) << "tile " << i;
}

// The old animation driver's switch is turned from "zip" to "yes" at start.
TEST_F(CGameWndTest, StartingTurnsTheAnimationDriversZipSwitchToYes)
{
    winIni.Set("AAPLAY Animation", "Int2fSwitch", "zip");
    Start();
    EXPECT_EQ("yes", winIni.GetString("AAPLAY Animation", "Int2fSwitch", ""));
}

// Animations just installed are switched on, with the animation itself,
// and stay so at the next start.
TEST_F(CGameWndTest, InstalledAnimationsAreSwitchedOnAndKept)
{
    Start();
    Window().OnCommand(ID_CD_ANIM_INSTALLED);
    EXPECT_NE(0, GameBoard().Settings().useCdAnim);
    EXPECT_EQ(1, ReadNumber("use_cd_anim", 0));
    EXPECT_EQ(1, ReadNumber("animation", 0));
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
    for (const std::string& text : boxes.Texts()) EXPECT_NE(text, "Game Over.  Play Again?") << "no question then";
}

// A whole game: the score line counts it, says a best was beaten while the
// unchanged game-over question is up, and shows the stored best in the next
// game; two players then take the line over.
TEST_F(CGameWndTest, AWholeGameSetsTheBoardsBestAndTheScoreLineShowsIt)
{
    Start();
    const QLabel& line = *Window().ScoreLine();
    std::string lineAtTheQuestion;
    boxes.onShow = [&] { lineAtTheQuestion = line.text().toStdString(); };
    auto byPicture = TilesByPicture();
    clock.ms += 5000; // before the first tile: not counted
    Click(byPicture[1][0]);
    clock.ms += 61000;
    Click(byPicture[2][0]); // a miss
    EXPECT_EQ(1, GameBoard().Score().Turns());
    CompleteEverySet();
    EXPECT_EQ(0u, lineAtTheQuestion.find("New best!   Turns: 9   Time: 1:01")) << lineAtTheQuestion;
    EXPECT_EQ(9, ReadNumber("best_turns_4x4_match2", 0));
    EXPECT_EQ(61, ReadNumber("best_seconds_4x4_match2", 0));

    SettleEvents(); // Yes: a new game
    const std::string next = line.text().toStdString();
    EXPECT_EQ(0u, next.find("Turns: 0   Time: 0:00   Best: 9 turns, ")) << next;
    EXPECT_EQ(line.text(), line.accessibleName());

    // Clearing the bests asks first; No keeps them.
    boxes.answers = {platform::IDNO, platform::IDYES};
    Window().OnCommand(ID_CLEAR_BESTS);
    EXPECT_EQ(9, ReadNumber("best_turns_4x4_match2", 0));
    Window().OnCommand(ID_CLEAR_BESTS);
    EXPECT_EQ(0, ReadNumber("best_turns_4x4_match2", 0));
    EXPECT_EQ(unsigned(platform::MB_YESNO | platform::MB_ICONQUESTION), boxes.shown.back().style);
    EXPECT_NE(std::string::npos, line.text().toStdString().find("Best: none yet"));

    Window().OnCommand(ID_TWO_PLAYERS);
    SettleEvents();
    EXPECT_EQ("Player 1: 0 sets   Player 2: 0 sets   Player 1's turn", line.text().toStdString());
}

// What a screen reader reads of the board: a table of cells named by place
// and what they show, whose action turns the tile, and whose size follows
// the grid.
TEST_F(CGameWndTest, TheBoardIsATableOfCellsNamedByPlaceAndPicture)
{
    Start();
    QAccessibleInterface* board = QAccessible::queryAccessibleInterface(Window().BoardWidget());
    ASSERT_TRUE(board && board->tableInterface());
    EXPECT_EQ(QAccessible::Table, board->role());
    EXPECT_EQ(4, board->tableInterface()->rowCount());
    ASSERT_EQ(16, board->childCount());
    const auto name = [board](int tile) { return board->child(tile)->text(QAccessible::Name).toStdString(); };
    EXPECT_EQ("Row 2, column 3, covered", name(6));
    EXPECT_EQ(board->child(6), board->tableInterface()->cellAt(1, 2));
    const QPoint at = Window().BoardWidget()->mapToGlobal(Centre(6));
    EXPECT_EQ(board->child(6), board->childAt(at.x(), at.y()));

    auto by = TilesByPicture();
    const int first = by[1][0];
    const std::string place =
        "Row " + std::to_string(first / 4 + 1) + ", column " + std::to_string(first % 4 + 1) + ", ";
    board->child(first)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    SettleEvents();
    EXPECT_EQ(place + "P1", name(first)) << "turned by its action";
    EXPECT_EQ(first, Window().KeyboardTile()) << "and the keyboard's frame went with it";
    Click(by[1][1]);
    EXPECT_EQ(place + "P1, matched", name(first));

    WriteNumber("columns", 6);
    WriteNumber("match", 3);
    Window().OnCommand(ID_RESTART);
    SettleEvents();
    EXPECT_EQ(24, board->childCount());
    EXPECT_EQ("Row 4, column 6, covered", board->tableInterface()->cellAt(3, 5)->text(QAccessible::Name).toStdString());
    EXPECT_TRUE(boxes.shown.empty());
}
