#include "game/Board.h"

#include "BoardRules.h"
#include "doubles/FakeClock.h"
#include "doubles/MemoryProfile.h"
#include "doubles/RecordingGameActions.h"
#include "doubles/ScriptedMessageBoxes.h"
#include "platform/CrtRand.h"
#include "shell/SettingsStore.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr int ScreenW = 1920, ScreenH = 1080;

class BoardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetSettingsKey("CGameWnd", "Software\\Quillory\\Pairlet");
        content.Set("Other Sounds", "STARTSOUND", "start.wav");
        content.Set("Other Sounds", "FINSOUND", "fin.wav");
        content.Set("Cover Tiles", "NEWTILE", "bmp\\cover.bmp");
        content.Set("Cover Tiles", "MATCHTILE", "bmp\\match.bmp");
        Grid(4, 4, 2); // a 4 × 4 board of pairs unless a test says otherwise
        Pictures(8);
    }

    void Grid(int rows, int columns, int match, int split = 0)
    {
        WriteNumber("rows", rows);
        WriteNumber("columns", columns);
        WriteNumber("match", match);
        WriteNumber("split", split);
    }
    void Pictures(int n)
    {
        for (int i = 1; i <= n; ++i) content.Set("Tiles", ContentFile::NumberedKey("TILE", i), "p" + std::to_string(i));
    }
    // A new game, painted once so that clicks find their tiles.
    void Start()
    {
        board.NewGame();
        board.Paint(ScreenW, ScreenH);
        actions.log.clear();
    }
    void ClickTile(int tile)
    {
        const TileRect r = board.Layout().RectOf(tile);
        board.Click(r.x + r.width / 2, r.y + r.height / 2);
    }
    // Tiles showing picture p, in number order.
    std::vector<int> TilesOf(int picture) const
    {
        std::vector<int> out;
        for (int i = 0; i < board.Count(); ++i)
            if (board.TileAtIndex(i).picture == picture) out.push_back(i);
        return out;
    }

    TempConfigHome home;
    MemoryProfile content;
    ScriptedMessageBoxes boxes;
    RecordingGameActions actions;
    platform::CrtRand rand;
    FakeClock clock;
    Board board{actions, boxes, content, rand, clock};
};

} // namespace

// Pinned deals, checked against a separate model of the deal written apart
// from this code; a change here changes every player's boards.
TEST_F(BoardTest, SeededDealsArePinned)
{
    clock.seconds = 1;
    board.NewGame();
    std::vector<int> deal;
    for (int i = 0; i < 16; ++i) deal.push_back(board.TileAtIndex(i).picture);
    EXPECT_EQ(deal, (std::vector<int>{1, 5, 8, 4, 2, 7, 8, 6, 4, 2, 5, 7, 3, 3, 1, 6}));

    Grid(4, 4, 4, 1);
    Pictures(8); // more than needed: four are chosen
    clock.seconds = 24;
    board.NewGame();
    std::vector<int> split;
    for (int i = 0; i < 16; ++i) split.push_back(board.TileAtIndex(i).picture * 10 + board.TileAtIndex(i).quarter);
    // picture × 10 + quarter: pictures 2, 3, 5 and 6 chosen out of eight
    EXPECT_EQ(split, (std::vector<int>{61, 60, 63, 53, 52, 32, 33, 20, 50, 30, 62, 21, 31, 23, 22, 51}));
}

TEST_F(BoardTest, ClicksThatSelectNothingChangeNothing)
{
    board.NewGame();
    board.Click(100, 100);
    EXPECT_TRUE(board.Selection().empty()) << "no tile is known before the first paint";
    board.Paint(3, 3); // smaller than the grid: nothing to paint or click
    board.Paint(3, 3);
    board.Click(0, 0);
    EXPECT_TRUE(board.Selection().empty());
    EXPECT_EQ(actions.Only("sound start").size(), 1u);
    EXPECT_TRUE(actions.Only("draw").empty());
    EXPECT_TRUE(actions.Only("allcovers").empty());

    board.Paint(1003, 1082); // tiles of 250 x 270 with one pixel of margin before them
    actions.log.clear();
    const std::vector<int> pair = TilesOf(3);
    board.Click(0, 100);
    board.Click(100, 0);
    board.Click(100, 1 + 4 * 270);
    board.Click(1 + 4 * 250, 100);
    board.Click(-1, -1);
    EXPECT_TRUE(actions.log.empty());

    ClickTile(pair[0]);
    actions.log.clear();
    ClickTile(pair[0]);
    EXPECT_TRUE(actions.log.empty()) << "a tile already selected";
    EXPECT_EQ(board.Selection().size(), 1u);
    ClickTile(pair[1]);
    actions.log.clear();
    ClickTile(pair[1]);
    EXPECT_TRUE(actions.log.empty()) << "a matched tile";
    EXPECT_TRUE(board.Selection().empty());
}

class GameOverTest : public BoardTest {
protected:
    void ClearBoard()
    {
        std::set<int> pictures;
        for (int i = 0; i < board.Count(); ++i) pictures.insert(board.TileAtIndex(i).picture);
        for (int p : pictures)
            for (int t : TilesOf(p)) ClickTile(t);
    }
};

TEST_F(GameOverTest, WithAnimationOffTheLastSetGetsNoYupButTheFinishAndTheQuestion)
{
    WriteNumber("animation", 0);
    Start();
    boxes.answers = {platform::IDYES};
    ClearBoard();

    EXPECT_TRUE(board.GameOver());
    EXPECT_EQ(actions.Only("yup").size(), 7u) << "every set but the last";
    EXPECT_TRUE(actions.Only("animation").empty());
    const auto& log = actions.log;
    const auto fin = std::find(log.begin(), log.end(), "sound fin.wav");
    ASSERT_NE(fin, log.end());
    EXPECT_EQ(log.back(), "restart");
    EXPECT_LT(fin - log.begin(), static_cast<long>(log.size()) - 1);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Game Over.  Play Again?");
    EXPECT_EQ(boxes.shown[0].caption, "Game Over");
    EXPECT_EQ(boxes.shown[0].style, static_cast<unsigned>(platform::MB_YESNO));

    // The restart deals a new board that is first painted with covers.
    board.NewGame();
    actions.log.clear();
    board.Paint(ScreenW, ScreenH);
    EXPECT_EQ(actions.log, (std::vector<std::string>{"sound start.wav", "allcovers 4x4"}));
    EXPECT_FALSE(board.GameOver());
}

TEST_F(GameOverTest, WithAnimationOnTheLastSetPlaysItThenFinishesAndNoCloses)
{
    Start();
    boxes.answers = {platform::IDNO};
    ClearBoard();

    EXPECT_EQ(actions.Only("yup").size(), 8u);
    EXPECT_EQ(actions.Only("animation").size(), 8u);
    const auto& log = actions.log;
    const auto lastAnimation = std::find(log.rbegin(), log.rend(), "animation " + std::to_string(board.SelectionPicture()));
    const auto fin = std::find(log.begin(), log.end(), "sound fin.wav");
    ASSERT_NE(fin, log.end());
    EXPECT_LT(log.rend() - lastAnimation - 1, fin - log.begin());
    EXPECT_EQ(log.back(), "close");
}

TEST_F(GameOverTest, NoQuestionDuringAnAnimationOrWhenTheLastTilesFailToLoad)
{
    Start();
    board.SetAnimationShowing(true);
    for (int i = 0; i < board.Count(); ++i) {
        actions.missingFiles.insert(board.Content().TilePicturePath(board.TileAtIndex(i).picture));
        board.TurnUp(i);
    }
    board.CheckGameOver();
    EXPECT_FALSE(board.GameOver()) << "an animation on screen holds the end back";

    board.SetAnimationShowing(false);
    board.Paint(ScreenW, ScreenH);
    EXPECT_TRUE(board.GameOver());
    EXPECT_EQ(actions.Only("sound fin.wav").size(), 1u);
    EXPECT_TRUE(boxes.shown.empty());
    board.Paint(ScreenW, ScreenH);
    EXPECT_EQ(actions.Only("sound fin.wav").size(), 1u) << "the end is announced once";
}

// An unreadable picture takes its tile out of play, but the set it belongs
// to completes as any other: sound, animation, the end and its question.
TEST_F(GameOverTest, TheLastSetWithAnUnreadablePictureEndsWithTheQuestion)
{
    Start();
    boxes.answers = {platform::IDYES};
    for (int p = 1; p <= 7; ++p)
        for (int tile : TilesOf(p)) ClickTile(tile);
    actions.missingFiles.insert(board.Content().TilePicturePath(8));
    ClickTile(TilesOf(8)[0]);
    EXPECT_FALSE(board.GameOver());
    ClickTile(TilesOf(8)[1]);
    EXPECT_TRUE(board.GameOver());
    EXPECT_EQ(actions.Only("yup").size(), 8u);
    EXPECT_EQ(actions.Only("animation 8").size(), 1u);
    EXPECT_EQ(actions.Only("sound fin.wav").size(), 1u);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Game Over.  Play Again?"});
    EXPECT_EQ(actions.log.back(), "restart");
}

namespace {

// Besides the board's rules, only the tiles of the open attempt are face up.
void ExpectBoardInvariants(const Board& board)
{
    ASSERT_EQ(BrokenBoardRule(board), "");
    const auto& selection = board.Selection();
    for (int i = 0; i < board.Count(); ++i)
        if (board.TileAtIndex(i).state == FaceUp) {
            ASSERT_NE(std::find(selection.begin(), selection.end(), i), selection.end()) << "tile " << i;
        }
}

} // namespace

TEST_F(BoardTest, RandomPlayKeepsTheBoardConsistent)
{
    struct Grid3 {
        int rows, columns, match, split;
    };
    const Grid3 grids[] = {{4, 4, 2, 0}, {4, 5, 2, 0}, {5, 6, 3, 0}, {6, 6, 4, 1}, {6, 7, 2, 0},
                           {7, 8, 4, 0}, {8, 8, 4, 1}, {8, 9, 3, 0}, {4, 4, 3, 0}, {8, 9, 4, 1}};
    platform::CrtRand dice(12345);
    int restarts = 0, finished = 0;
    for (const Grid3& g : grids) {
        Grid(g.rows, g.columns, g.match, g.split);
        content.Clear();
        Pictures(10 + dice.Next() % 30); // sometimes too few, sometimes more than needed
        actions.missingFiles = {"bmp\\p3.bmp", "bmp\\NO INI FILE ENTRY.bmp"};
        bool restart = false;
        actions.onAnimation = [] {};
        boxes.answers.clear();
        Start();
        for (int n = 0; n < 4000; ++n) {
            board.Click(dice.Next() % (ScreenW + 40) - 20, dice.Next() % (ScreenH + 40) - 20);
            ExpectBoardInvariants(board);
            if (HasFatalFailure()) return;
            if (!actions.log.empty() && actions.log.back() == "restart") restart = true, ++finished;
            if (restart || dice.Next() % 500 == 0) {
                Start();
                restart = false;
                ++restarts;
            }
            if (dice.Next() % 97 == 0) board.Paint(ScreenW, ScreenH);
        }
    }
    EXPECT_GT(finished, 10) << "random play finishes boards";
    EXPECT_GT(restarts, 10);
}
