#include "game/GameSounds.h"

#include "game/ContentFile.h"
#include "platform/Clock.h"
#include "platform/PathMap.h"
#include "platform/SoundPlayer.h"

GameSounds::GameSounds(platform::SoundPlayer& player, const platform::PathMap& paths, const ContentFile& content,
                       platform::Rand& rand, platform::Clock& clock)
    : player_(player), paths_(paths), content_(content), rand_(rand), clock_(clock)
{
}

void GameSounds::Play(const std::string& name, bool wait)
{
    player_.Play(paths_.Resolve(name), wait);
}

void GameSounds::PlayChosen(SoundChooser& chooser, int count, const char* section, const char* prefix,
                            const char* fallback)
{
    const int n = chooser.Choose(count, rand_, clock_);
    Play(content_.NumberedValue(section, prefix, n, fallback), false);
}

void GameSounds::PlayMissSound(bool soundOn, int nopeCount)
{
    if (soundOn) PlayChosen(nope_, nopeCount, "Nopesounds", "NOPE", "FROG.WAV");
    // Nothing is handled meanwhile, so the wrongly turned faces stay in view.
    const std::uint32_t start = clock_.Milliseconds();
    while (clock_.Milliseconds() - start < MissPauseMs) clock_.Sleep(1);
}

void GameSounds::PlayMatchSound(bool soundOn, int yupCount)
{
    if (soundOn) PlayChosen(yup_, yupCount, "Yupsounds", "YUP", "YAY2.WAV");
}
