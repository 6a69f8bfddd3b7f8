#include "platform/SdlWaveOut.h"

#include "platform/SdlMixer.h"
#include "platform/UiQueue.h"

namespace platform {

namespace {

constexpr std::uint32_t EveryFormat = 0xFFF;

// The SDL sample format of a playable format header, or 0 for none.
SDL_AudioFormat SampleFormat(const WaveFormat& format)
{
    if (!IsPlayable(format)) return 0;
    if (format.formatTag == WAVE_FORMAT_IEEE_FLOAT) return AUDIO_F32LSB;
    switch (format.bitsPerSample) {
    case 8: return AUDIO_U8;
    case 16: return AUDIO_S16LSB;
    default: return AUDIO_S32LSB;
    }
}

} // namespace

SdlWaveOut::SdlWaveOut(UiQueue& queue) : queue_(queue), mixer_(SdlMixer::Acquire()) {}

SdlWaveOut::~SdlWaveOut()
{
    while (!outputs_.empty()) Close(outputs_.begin()->first);
}

unsigned SdlWaveOut::DeviceCount()
{
    return mixer_ ? 1 : 0;
}

bool SdlWaveOut::Capabilities(int device, WaveOutCaps& caps)
{
    if (!mixer_ || (device != Mapper && device != 0)) return false;
    caps.formats = EveryFormat;
    caps.support = WAVECAPS_VOLUME | WAVECAPS_LRVOLUME;
    return true;
}

WaveOut::Handle SdlWaveOut::Open(int device, const WaveFormat& format, DoneNotice notice)
{
    const SDL_AudioFormat sdlFormat = SampleFormat(format);
    if (!mixer_ || (device != Mapper && device != 0) || sdlFormat == 0) return 0;
    const Handle handle = nextHandle_++;
    // Played on the audio thread; handed back on the user-interface thread.
    const std::weak_ptr<int> alive = alive_;
    const int voice = mixer_->AddVoice(sdlFormat, format.channels, int(format.samplesPerSec), [this, alive, handle](void* tag) {
        queue_.Post([this, alive, handle, tag] {
            if (!alive.expired()) Done(handle, static_cast<WaveBuffer*>(tag));
        });
    });
    if (voice == 0) return 0;
    outputs_[handle] = {voice, std::move(notice)};
    return handle;
}

SdlWaveOut::Output* SdlWaveOut::Find(Handle output)
{
    auto it = outputs_.find(output);
    return it == outputs_.end() ? nullptr : &it->second;
}

// The output may have been closed since the buffer was played, and the
// buffer freed with it: then there is nobody to tell.
void SdlWaveOut::Done(Handle output, WaveBuffer* buffer)
{
    Output* open = Find(output);
    if (!open) return;
    buffer->flags = (buffer->flags & ~WHDR_INQUEUE) | WHDR_DONE;
    const DoneNotice notice = open->notice;
    notice(output, *buffer);
}

bool SdlWaveOut::Write(Handle output, WaveBuffer& buffer)
{
    Output* open = Find(output);
    if (!open) return false;
    buffer.flags = (buffer.flags & ~WHDR_DONE) | WHDR_INQUEUE;
    mixer_->Queue(open->voice, {buffer.data, buffer.length, &buffer});
    return true;
}

bool SdlWaveOut::Pause(Handle output)
{
    Output* open = Find(output);
    if (open) mixer_->SetPaused(open->voice, true);
    return open != nullptr;
}

bool SdlWaveOut::Restart(Handle output)
{
    Output* open = Find(output);
    if (open) mixer_->SetPaused(open->voice, false);
    return open != nullptr;
}

bool SdlWaveOut::Reset(Handle output)
{
    Output* open = Find(output);
    if (!open) return false;
    for (void* tag : mixer_->Clear(open->voice)) {
        auto* buffer = static_cast<WaveBuffer*>(tag);
        buffer->flags = (buffer->flags & ~WHDR_INQUEUE) | WHDR_DONE;
    }
    return true;
}

bool SdlWaveOut::Close(Handle output)
{
    Output* open = Find(output);
    if (!open) return false;
    mixer_->RemoveVoice(open->voice);
    outputs_.erase(output);
    return true;
}

bool SdlWaveOut::SetVolume(Handle output, std::uint32_t volume)
{
    Output* open = Find(output);
    if (open) mixer_->SetVolume(open->voice, std::uint16_t(volume & 0xFFFF), std::uint16_t(volume >> 16));
    return open != nullptr;
}

} // namespace platform
