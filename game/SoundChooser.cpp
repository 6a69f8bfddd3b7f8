#include "game/SoundChooser.h"

#include "platform/Clock.h"
#include "platform/Rand.h"

#include <algorithm>

int SoundChooser::Choose(int count, platform::Rand& rand, platform::Clock& clock)
{
    count = std::clamp(count, 1, MaxEntries);
    // A history written for another count could exclude every entry: a
    // changed content file starts a new cycle.
    if (count != historyCount_) {
        history_.clear();
        historyCount_ = count;
    }
    rand.Seed(clock.Seconds());
    int n = rand.Next() % count + 1;
    if (count > 1) {
        bool changed = true;
        while (changed) {
            changed = false;
            if (n == last_) {
                n = rand.Next() % count + 1;
                changed = true;
            }
            if (std::find(history_.begin(), history_.end(), n) != history_.end()) {
                n = rand.Next() % count + 1;
                changed = true;
            }
        }
    }
    last_ = n;
    history_.push_back(n);
    if (static_cast<int>(history_.size()) == count) history_.clear();
    return n;
}
