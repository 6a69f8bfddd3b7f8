#pragma once

#include "platform/SoundPlayer.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace platform {

class SdlMixer;

// SoundPlayer on SDL2 audio: a voice of the program's one SDL output, held
// for the life of the player; every file is converted to the output's
// format and queued. Without an audio device every call is silent.
class SdlSoundPlayer : public SoundPlayer {
public:
    SdlSoundPlayer();
    ~SdlSoundPlayer() override;
    SdlSoundPlayer(const SdlSoundPlayer&) = delete;
    SdlSoundPlayer& operator=(const SdlSoundPlayer&) = delete;

    void Play(const std::string& path, bool wait) override;
    bool HasDevice() const { return mixer_ != nullptr; }

private:
    void WaitUntilPlayed();

    std::shared_ptr<SdlMixer> mixer_;
    int voice_ = 0;
    // What the voice plays; replaced only once the voice has let go of it.
    std::vector<std::uint8_t> samples_;
};

} // namespace platform
