#include "platform/SdlSoundPlayer.h"

#include "platform/SdlMixer.h"

#include <SDL.h>

#include <vector>

namespace platform {

namespace {
constexpr int OutputFrequency = 44100;
constexpr Uint8 OutputChannels = 2;
// Longer files are not game sounds; refusing them keeps a bad name from
// filling memory.
constexpr Uint32 MaxSoundBytes = 64u << 20;

// The file converted to the device's format, or empty when it is no WAV
// file SDL can read.
std::vector<Uint8> LoadConverted(const std::string& path, const SDL_AudioSpec& out)
{
    SDL_AudioSpec spec;
    Uint8* data = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV(path.c_str(), &spec, &data, &length)) return {};
    std::vector<Uint8> result;
    SDL_AudioCVT cvt;
    const int built = SDL_BuildAudioCVT(&cvt, spec.format, spec.channels, spec.freq, out.format,
                                        out.channels, out.freq);
    if (built >= 0 && length <= MaxSoundBytes) {
        result.assign(static_cast<std::size_t>(length) * static_cast<std::size_t>(cvt.len_mult), 0);
        std::copy(data, data + length, result.begin());
        cvt.buf = result.data();
        cvt.len = static_cast<int>(length);
        if (built == 0 || SDL_ConvertAudio(&cvt) == 0)
            result.resize(static_cast<std::size_t>(built == 0 ? length : Uint32(cvt.len_cvt)));
        else
            result.clear();
    }
    SDL_FreeWAV(data);
    return result;
}
} // namespace

SdlSoundPlayer::SdlSoundPlayer() : mixer_(SdlMixer::Acquire())
{
    if (mixer_) voice_ = mixer_->AddVoice(AUDIO_S16SYS, OutputChannels, OutputFrequency, [](void*) {});
    if (voice_ == 0) mixer_.reset();
}

SdlSoundPlayer::~SdlSoundPlayer()
{
    if (mixer_) mixer_->RemoveVoice(voice_);
}

void SdlSoundPlayer::Play(const std::string& path, bool wait)
{
    if (!mixer_) return;
    SDL_AudioSpec out{};
    out.freq = OutputFrequency;
    out.format = AUDIO_S16SYS;
    out.channels = OutputChannels;
    std::vector<Uint8> samples = LoadConverted(path, out);
    // A new sound replaces the one still playing, even when it is silence.
    mixer_->Clear(voice_);
    samples_ = std::move(samples);
    if (!samples_.empty()) mixer_->Queue(voice_, {samples_.data(), std::uint32_t(samples_.size()), nullptr});
    if (wait) WaitUntilPlayed();
}

void SdlSoundPlayer::WaitUntilPlayed()
{
    while (mixer_->Pending(voice_) > 0) SDL_Delay(5);
    // The last block taken from the voice is still in the device's buffer.
    SDL_Delay(Uint32(2 * mixer_->LatencyMs() + 10));
}

} // namespace platform
