#include "game/ScoreKeeper.h"

#include "platform/Texts.h"

#include "game/BoardSizes.h"
#include "platform/Clock.h"
#include "shell/SettingsStore.h"

#include <algorithm>

namespace {

std::string BoardName(const BoardKind& kind)
{
    return std::to_string(kind.rows) + "x" + std::to_string(kind.columns) +
           (kind.corners ? "_corners" : "_match" + std::to_string(kind.match));
}

// A stored best replaced only by a better one; none counts as beaten.
bool Beats(int result, int best) { return best <= 0 || result < best; }

} // namespace

std::string BoardKind::TurnsName() const { return "best_turns_" + BoardName(*this); }
std::string BoardKind::SecondsName() const { return "best_seconds_" + BoardName(*this); }

void ScoreKeeper::NewGame(const BoardKind& kind, int players)
{
    kind_ = kind;
    players_ = players == 2 ? 2 : 1;
    current_ = 0;
    sets_ = {};
    turns_ = 0;
    clean_ = true;
    started_ = false;
    ended_ = false;
    countedMs_ = 0;
    best_ = BestOf(kind_);
    // A pause of the last game (a box still up) holds for this one too.
}

void ScoreKeeper::TileTurned()
{
    if (started_ || ended_) return;
    started_ = true;
    runningSince_ = clock_.Milliseconds();
}

void ScoreKeeper::AttemptEnded(bool completedSet)
{
    if (ended_) return;
    ++turns_;
    if (completedSet) ++sets_[std::size_t(current_)];
    else if (players_ == 2) current_ = 1 - current_;
}

void ScoreKeeper::StopTime()
{
    // Milliseconds wrap; the difference of two readings does not.
    if (Running()) countedMs_ += std::uint32_t(clock_.Milliseconds() - runningSince_);
}

void ScoreKeeper::Pause()
{
    StopTime();
    ++pauses_;
}

void ScoreKeeper::Resume()
{
    if (pauses_ == 0) return;
    --pauses_;
    if (Running()) runningSince_ = clock_.Milliseconds();
}

int ScoreKeeper::Seconds() const
{
    std::uint64_t ms = countedMs_;
    if (Running()) ms += std::uint32_t(clock_.Milliseconds() - runningSince_);
    return int(ms / 1000);
}

GameResult ScoreKeeper::GameEnded()
{
    GameResult result;
    if (ended_) return result;
    StopTime();
    ended_ = true;
    if (players_ == 2) {
        result.winner = sets_[0] == sets_[1] ? -1 : sets_[0] > sets_[1] ? 0 : 1;
        return result;
    }
    if (!clean_ || turns_ == 0) return result;
    // Read again: another game may have stored a better one meanwhile.
    best_ = BestOf(kind_);
    const int seconds = std::max(Seconds(), 1); // 0 means none
    result.newBestTurns = Beats(turns_, best_.turns);
    result.newBestSeconds = Beats(seconds, best_.seconds);
    if (result.newBestTurns && WriteNumber(kind_.TurnsName(), turns_)) best_.turns = turns_;
    if (result.newBestSeconds && WriteNumber(kind_.SecondsName(), seconds)) best_.seconds = seconds;
    return result;
}

namespace {

std::string Clock(int seconds)
{
    const int s = seconds % 60;
    return std::to_string(seconds / 60) + (s < 10 ? ":0" : ":") + std::to_string(s);
}

std::string SetCount(int n)
{
    return platform::TrCount("Score", "%n set(s)", nullptr, n);
}

std::string TwoPlayerLine(int sets0, int sets1, int current)
{
    return platform::Arg(platform::Tr("Score", "Player 1: %1   Player 2: %2   Player %3's turn"),
                         {SetCount(sets0), SetCount(sets1), std::to_string(current + 1)});
}

std::string OnePlayerLine(bool beaten, int turns, int seconds, const BestResult& best)
{
    const std::string now =
        platform::Arg(platform::Tr("Score", "Turns: %1   Time: %2"), {std::to_string(turns), Clock(seconds)});
    const std::string bestText =
        best.turns == 0 ? platform::Tr("Score", "Best: none yet")
                        : platform::Arg(platform::Tr("Score", "Best: %1 turns, %2"),
                                        {std::to_string(best.turns), Clock(best.seconds)});
    return (beaten ? platform::Tr("Score", "New best!") + "   " : std::string()) + now + "   " + bestText;
}

} // namespace

std::string ScoreKeeper::Line(const GameResult& end) const
{
    if (players_ == 2) {
        if (ended_ && end.winner < 0)
            return platform::Arg(platform::Tr("Score", "A draw: %1 each"), {SetCount(sets_[0])});
        if (ended_) {
            const std::size_t winner = std::size_t(end.winner);
            return platform::Arg(platform::Tr("Score", "Player %1 wins, %2 to %3"),
                                 {std::to_string(end.winner + 1), std::to_string(sets_[winner]),
                                  std::to_string(sets_[1 - winner])});
        }
        return TwoPlayerLine(sets_[0], sets_[1], current_);
    }
    const bool beaten = ended_ && (end.newBestTurns || end.newBestSeconds);
    return OnePlayerLine(beaten, turns_, Seconds(), best_);
}

std::vector<std::string> ScoreKeeper::WidestLines()
{
    return {OnePlayerLine(true, 999, 99 * 60 + 59, {999, 99 * 60 + 59}), TwoPlayerLine(36, 36, 1)};
}

BestResult ScoreKeeper::BestOf(const BoardKind& kind)
{
    return {ReadNumber(kind.TurnsName(), 0), ReadNumber(kind.SecondsName(), 0)};
}

void ScoreKeeper::ClearBests()
{
    for (const BoardSize& size : BoardSizes::All())
        for (const bool corners : {false, true}) {
            if (corners && size.match != 4) continue;
            const BoardKind kind{size.rows, size.columns, size.match, corners};
            const BestResult best = BestOf(kind);
            if (best.turns != 0) WriteNumber(kind.TurnsName(), 0);
            if (best.seconds != 0) WriteNumber(kind.SecondsName(), 0);
        }
    best_ = {};
}
