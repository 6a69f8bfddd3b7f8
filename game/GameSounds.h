#pragma once

#include "game/SoundChooser.h"

#include <string>

class ContentFile;
namespace platform {
class Clock;
class PathMap;
class Rand;
class SoundPlayer;
} // namespace platform

// The game's sounds: the chosen NOPE and YUP entries, the named sounds of
// the content file, and the pause after a wrong guess.
class GameSounds {
public:
    static constexpr unsigned MissPauseMs = 400;

    GameSounds(platform::SoundPlayer& player, const platform::PathMap& paths, const ContentFile& content,
               platform::Rand& rand, platform::Clock& clock);

    // A file named the game's way; wait blocks until it has finished.
    void Play(const std::string& name, bool wait);
    // Plays a NOPE entry when sound is on, then always waits out the pause.
    void PlayMissSound(bool soundOn, int nopeCount);
    void PlayMatchSound(bool soundOn, int yupCount);

private:
    void PlayChosen(SoundChooser& chooser, int count, const char* section, const char* prefix,
                    const char* fallback);

    platform::SoundPlayer& player_;
    const platform::PathMap& paths_;
    const ContentFile& content_;
    platform::Rand& rand_;
    platform::Clock& clock_;
    SoundChooser nope_;
    SoundChooser yup_;
};
