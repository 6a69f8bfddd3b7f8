// Turns, time, best results and two players, with time that moves only when
// the test says so.
#include "game/ScoreKeeper.h"

#include "doubles/FakeClock.h"
#include "shell/SettingsStore.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

class ScoreKeeperTest : public ::testing::Test {
protected:
    void SetUp() override { SetSettingsKey("CGameWnd", "Software\\Quillory\\Pairlet"); }

    // A one-player game of the given attempts (true: a set), each taking
    // a second and a half; the result of its end.
    GameResult Play(const BoardKind& kind, std::initializer_list<bool> attempts, bool reveal = false)
    {
        score.NewGame(kind, 1);
        for (const bool set : attempts) {
            score.TileTurned();
            clock.ms += 1500;
            score.AttemptEnded(set);
        }
        if (reveal) score.RevealUsed();
        return score.GameEnded();
    }

    TempConfigHome home;
    FakeClock clock;
    ScoreKeeper score{clock};
    const BoardKind sixBySix{6, 6, 2, false};
};

TEST_F(ScoreKeeperTest, CountsEveryAttemptAndTheTimeTheBoardIsInView)
{
    clock.ms = 0xFFFFF000u; // the tick count wraps during the game
    score.NewGame(sixBySix, 1);
    clock.ms += 5000;
    EXPECT_EQ(0, score.Seconds()) << "the time starts with the first tile";
    score.TileTurned();
    clock.ms += 2500;
    score.AttemptEnded(false);
    score.TileTurned();
    EXPECT_EQ(1, score.Turns());
    EXPECT_EQ(2, score.Seconds());
    score.Pause(); // an animation, with a box over it
    score.Pause();
    clock.ms += 60000;
    score.Resume();
    clock.ms += 60000;
    score.Resume();
    EXPECT_EQ(2, score.Seconds()) << "stood still while anything was over the board";
    clock.ms += 1000;
    score.AttemptEnded(true);
    EXPECT_EQ(2, score.Turns()) << "a miss and a set are a turn each";
    EXPECT_EQ(3, score.Seconds());
    score.GameEnded();
    clock.ms += 9000;
    EXPECT_EQ(3, score.Seconds()) << "stopped at the end";
    score.AttemptEnded(true);
    EXPECT_EQ(2, score.Turns());
}

TEST_F(ScoreKeeperTest, ABestIsReplacedOnlyWhenBeatenByACleanGameOfTheSameBoard)
{
    GameResult r = Play(sixBySix, {false, true, true}); // 3 turns, 4 s
    EXPECT_TRUE(r.newBestTurns && r.newBestSeconds) << "the first game sets both";
    EXPECT_EQ(3, ScoreKeeper::BestOf(sixBySix).turns);
    EXPECT_EQ(4, ScoreKeeper::BestOf(sixBySix).seconds);

    r = Play(sixBySix, {true, true, true}); // as many turns: no new best
    EXPECT_FALSE(r.newBestTurns);
    EXPECT_FALSE(r.newBestSeconds);
    r = Play(sixBySix, {true, true}, true); // better, but every tile was shown
    EXPECT_FALSE(r.newBestTurns);
    EXPECT_EQ(3, ScoreKeeper::BestOf(sixBySix).turns);
    score.NewGame(sixBySix, 1); // ended by a restart
    score.TileTurned();
    score.AttemptEnded(true);
    score.NewGame(sixBySix, 1);
    EXPECT_EQ(3, ScoreKeeper::BestOf(sixBySix).turns);
    r = Play(sixBySix, {true, true});
    EXPECT_TRUE(r.newBestTurns && r.newBestSeconds);
    EXPECT_EQ(2, ScoreKeeper::BestOf(sixBySix).turns);

    // Every grid and match kind has its own; the store keeps them.
    const BoardKind others[] = {{6, 6, 3, false}, {6, 7, 2, false}, {4, 4, 4, false}, {4, 4, 4, true}};
    for (const BoardKind& kind : others) EXPECT_EQ(0, ScoreKeeper::BestOf(kind).turns) << kind.TurnsName();
    Play(others[3], {true, true, true, true, false});
    EXPECT_EQ(5, ScoreKeeper::BestOf(others[3]).turns);
    EXPECT_EQ(0, ScoreKeeper::BestOf(others[2]).turns) << "Match 4 and Match 4 Corners apart";
    EXPECT_EQ(5, ReadNumber("best_turns_4x4_corners", 0));

    score.ClearBests();
    EXPECT_EQ(0, score.Best().turns);
    EXPECT_EQ(0, ScoreKeeper::BestOf(sixBySix).turns);
    EXPECT_EQ(0, ScoreKeeper::BestOf(sixBySix).seconds);
    EXPECT_EQ(0, ScoreKeeper::BestOf(others[3]).turns);
}

TEST_F(ScoreKeeperTest, TwoPlayersTakeTurnsAfterAMissAndTheMoreSetsWin)
{
    struct Case {
        std::vector<bool> attempts;
        int winner;
    };
    const Case cases[] = {
        {{true, false, true, true, false, false, true}, 1}, // sets: player 0 one, player 1 three
        {{true, true, false, false}, 0},
        {{true, false, true}, -1}, // a draw
    };
    for (const Case& c : cases) {
        score.NewGame(sixBySix, 2);
        int expectedPlayer = 0;
        for (const bool set : c.attempts) {
            EXPECT_EQ(expectedPlayer, score.CurrentPlayer());
            score.TileTurned();
            score.AttemptEnded(set);
            if (!set) expectedPlayer = 1 - expectedPlayer;
        }
        EXPECT_EQ(c.winner, score.GameEnded().winner);
    }
    EXPECT_EQ(1, score.Sets(0));
    EXPECT_EQ(1, score.Sets(1));
    EXPECT_EQ(0, ScoreKeeper::BestOf(sixBySix).turns) << "bests are for one player";
}

} // namespace
