#pragma once

#include "platform/SoundPlayer.h"

#include <functional>
#include <string>
#include <vector>

// Records every sound call; onPlay lets a test look at the world meanwhile.
class RecordingSoundPlayer : public platform::SoundPlayer {
public:
    struct Call {
        std::string path;
        bool wait;
    };

    void Play(const std::string& path, bool wait) override
    {
        calls.push_back({path, wait});
        if (onPlay) onPlay(path, wait);
    }

    std::vector<Call> calls;
    std::function<void(const std::string&, bool)> onPlay;
};
