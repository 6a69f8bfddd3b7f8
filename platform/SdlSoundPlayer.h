#pragma once

#include "platform/SoundPlayer.h"

#include <cstdint>

namespace platform {

// SoundPlayer on SDL2 audio. One output device is opened for the life of the
// player; every file is converted to its format and queued. Without an audio
// device every call is silent.
class SdlSoundPlayer : public SoundPlayer {
public:
    SdlSoundPlayer();
    ~SdlSoundPlayer() override;
    SdlSoundPlayer(const SdlSoundPlayer&) = delete;
    SdlSoundPlayer& operator=(const SdlSoundPlayer&) = delete;

    void Play(const std::string& path, bool wait) override;
    bool HasDevice() const { return device_ != 0; }

private:
    void WaitUntilPlayed();

    std::uint32_t device_ = 0;
    int frequency_ = 0;
    int bytesPerFrame_ = 0;
    int deviceFrames_ = 0;
};

} // namespace platform
