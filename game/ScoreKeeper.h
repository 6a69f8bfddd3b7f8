#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {
class Clock;
}

// Which board a result belongs to: its grid and how its tiles are matched.
struct BoardKind {
    int rows = 6;
    int columns = 6;
    int match = 2;
    bool corners = false; // Match 4 Corners

    // The settings store's value names of this board's best results.
    std::string TurnsName() const;
    std::string SecondsName() const;
};

// A board's best result: the fewest turns and the shortest time, each on its
// own (they may come from different games); 0 where there is none yet.
struct BestResult {
    int turns = 0;
    int seconds = 0;
};

// How a game ended, for the score line.
struct GameResult {
    bool newBestTurns = false;
    bool newBestSeconds = false;
    int winner = -1; // with two players 0 or 1, -1 for a draw
};

// Turns, time, best results and whose turn it is. Knows no window: the game
// tells it what happens, the window shows what it says.
class ScoreKeeper {
public:
    explicit ScoreKeeper(platform::Clock& clock) : clock_(clock) {}

    // A game that was not ended (a restart) counts for nothing.
    void NewGame(const BoardKind& kind, int players);
    // The first tile turned starts the time.
    void TileTurned();
    // An attempt ends with a completed set or a miss, one turn either way. A
    // miss passes the turn to the other player; a set keeps it.
    void AttemptEnded(bool completedSet);
    // While an animation, a message box or a dialog is up the time stands;
    // pauses may nest.
    void Pause();
    void Resume();
    // A game in which every tile was shown counts for nothing.
    void RevealUsed() { clean_ = false; }
    // Stops the time; a clean one-player game's results are stored where
    // they beat the board's best.
    GameResult GameEnded();

    int Turns() const { return turns_; }
    int Seconds() const;
    int Players() const { return players_; }
    int CurrentPlayer() const { return current_; }
    int Sets(int player) const { return sets_[std::size_t(player & 1)]; }
    bool Ended() const { return ended_; }
    const BoardKind& Kind() const { return kind_; }

    // What the score line says: turns, time and best, or with two players
    // each one's sets and whose turn it is; at the end, a best beaten or the
    // winner.
    std::string Line(const GameResult& end) const;
    // The longest lines there can be, in the player's language: the line is
    // made as wide as these.
    static std::vector<std::string> WidestLines();

    // This board's best as read at the start of the game (the line shows it
    // every second without reading the store each time) and as stored since.
    const BestResult& Best() const { return best_; }
    static BestResult BestOf(const BoardKind& kind);
    // Forgets the best results of every board.
    void ClearBests();

private:
    bool Running() const { return started_ && !ended_ && pauses_ == 0; }
    void StopTime();

    platform::Clock& clock_;
    BoardKind kind_;
    int players_ = 1;
    int current_ = 0;
    std::array<int, 2> sets_{};
    int turns_ = 0;
    bool clean_ = true;
    bool started_ = false;
    bool ended_ = false;
    int pauses_ = 0;
    std::uint32_t runningSince_ = 0;
    std::uint64_t countedMs_ = 0;
    BestResult best_;
};
