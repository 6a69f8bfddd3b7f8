#pragma once

#include <string>

namespace platform {

// The simple sound call: plays one WAV file. Without wait the call returns at
// once and replaces whatever still plays; with wait it returns when the sound
// has finished. A name that is no playable file gives silence, never a
// default sound, and no message.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void Play(const std::string& path, bool wait) = 0;
};

} // namespace platform
