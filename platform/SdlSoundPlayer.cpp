#include "platform/SdlSoundPlayer.h"

#include <SDL.h>

#include <vector>

namespace platform {

namespace {
constexpr int OutputFrequency = 44100;
constexpr Uint8 OutputChannels = 2;
constexpr Uint16 OutputSamples = 1024;
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

SdlSoundPlayer::SdlSoundPlayer()
{
    // SDL would turn SIGINT and SIGTERM into events nobody reads here, and
    // the game could no longer be stopped.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;
    SDL_AudioSpec want{};
    want.freq = OutputFrequency;
    want.format = AUDIO_S16SYS;
    want.channels = OutputChannels;
    want.samples = OutputSamples;
    SDL_AudioSpec have{};
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device_ == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return;
    }
    frequency_ = have.freq;
    bytesPerFrame_ = have.channels * int(SDL_AUDIO_BITSIZE(have.format) / 8);
    deviceFrames_ = have.samples;
    SDL_PauseAudioDevice(device_, 0);
}

SdlSoundPlayer::~SdlSoundPlayer()
{
    if (device_ == 0) return;
    SDL_CloseAudioDevice(device_);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlSoundPlayer::Play(const std::string& path, bool wait)
{
    if (device_ == 0) return;
    SDL_AudioSpec out{};
    out.freq = frequency_;
    out.format = AUDIO_S16SYS;
    out.channels = static_cast<Uint8>(bytesPerFrame_ / 2);
    const std::vector<Uint8> samples = LoadConverted(path, out);
    // A new sound replaces the one still playing, even when it is silence.
    SDL_LockAudioDevice(device_);
    SDL_ClearQueuedAudio(device_);
    if (!samples.empty()) SDL_QueueAudio(device_, samples.data(), Uint32(samples.size()));
    SDL_UnlockAudioDevice(device_);
    if (wait) WaitUntilPlayed();
}

void SdlSoundPlayer::WaitUntilPlayed()
{
    while (SDL_GetQueuedAudioSize(device_) > 0) SDL_Delay(5);
    // The last block taken from the queue is still in the device's buffer.
    const Uint32 bufferMs = Uint32(1000 * deviceFrames_ / frequency_);
    SDL_Delay(2 * bufferMs + 10);
}

} // namespace platform
