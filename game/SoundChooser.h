#pragma once

#include <vector>

namespace platform {
class Clock;
class Rand;
} // namespace platform

// Picks one of N numbered sound entries so that, in random cycles of N, no
// entry repeats within a cycle and a cycle never starts with the entry that
// ended the one before. One chooser per kind, kept across games.
class SoundChooser {
public:
    static constexpr int MaxEntries = 99;

    // The entry number, 1 … count.
    int Choose(int count, platform::Rand& rand, platform::Clock& clock);

private:
    std::vector<int> history_; // the plays of the current cycle, in order
    int historyCount_ = 0;     // the N the history was written for
    int last_ = 0;
};
