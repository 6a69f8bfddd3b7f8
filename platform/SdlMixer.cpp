#include "platform/SdlMixer.h"

#include <algorithm>

namespace platform {

namespace {
constexpr int OutputRate = 44100;
constexpr int OutputChannels = 2;
constexpr Uint16 OutputSamples = 1024;

// Holds the device's lock for a scope: the callback sees either the old or
// the new state of a voice, never half of it.
class DeviceLock {
public:
    explicit DeviceLock(SDL_AudioDeviceID device) : device_(device) { SDL_LockAudioDevice(device_); }
    ~DeviceLock() { SDL_UnlockAudioDevice(device_); }
    DeviceLock(const DeviceLock&) = delete;
    DeviceLock& operator=(const DeviceLock&) = delete;

private:
    SDL_AudioDeviceID device_;
};
} // namespace

std::shared_ptr<SdlMixer> SdlMixer::Acquire()
{
    static std::weak_ptr<SdlMixer> current;
    if (std::shared_ptr<SdlMixer> open = current.lock()) return open;
    // SDL would turn SIGINT and SIGTERM into events nobody reads here, and
    // the program could no longer be stopped.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return nullptr;
    SDL_AudioSpec want{};
    want.freq = OutputRate;
    want.format = AUDIO_S16SYS;
    want.channels = OutputChannels;
    want.samples = OutputSamples;
    want.callback = &SdlMixer::Callback;
    std::shared_ptr<SdlMixer> mixer(new SdlMixer);
    want.userdata = mixer.get();
    // The device starts paused: the callback does not run before it is set up.
    mixer->device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &mixer->spec_, 0);
    if (mixer->device_ == 0) return nullptr;
    SDL_PauseAudioDevice(mixer->device_, 0);
    current = mixer;
    return mixer;
}

SdlMixer::~SdlMixer()
{
    if (device_ != 0) SDL_CloseAudioDevice(device_);
    for (auto& [id, voice] : voices_) SDL_FreeAudioStream(voice.stream);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlMixer::Callback(void* mixer, Uint8* out, int length)
{
    std::fill(out, out + length, Uint8(0));
    static_cast<SdlMixer*>(mixer)->Mix(reinterpret_cast<Sint16*>(out), length / int(sizeof(Sint16)));
}

int SdlMixer::AddVoice(SDL_AudioFormat format, int channels, int rate, Finished finished)
{
    SDL_AudioStream* stream = SDL_NewAudioStream(format, Uint8(channels), rate, AUDIO_S16SYS, OutputChannels, spec_.freq);
    if (!stream) return 0;
    const DeviceLock lock(device_);
    const int id = nextVoice_++;
    Voice& voice = voices_[id];
    voice.stream = stream;
    voice.frameBytes = std::max(1, int(SDL_AUDIO_BITSIZE(format)) / 8 * channels);
    voice.partial.reserve(std::size_t(voice.frameBytes));
    voice.finished = std::move(finished);
    return id;
}

void SdlMixer::RemoveVoice(int voice)
{
    SDL_AudioStream* stream = nullptr;
    {
        const DeviceLock lock(device_);
        auto it = voices_.find(voice);
        if (it == voices_.end()) return;
        stream = it->second.stream;
        voices_.erase(it);
    }
    SDL_FreeAudioStream(stream);
}

void SdlMixer::Queue(int voice, const Buffer& buffer)
{
    const DeviceLock lock(device_);
    auto it = voices_.find(voice);
    if (it != voices_.end()) it->second.waiting.push_back(buffer);
}

void SdlMixer::SetPaused(int voice, bool paused)
{
    const DeviceLock lock(device_);
    auto it = voices_.find(voice);
    if (it != voices_.end()) it->second.paused = paused;
}

void SdlMixer::SetVolume(int voice, std::uint16_t left, std::uint16_t right)
{
    const DeviceLock lock(device_);
    auto it = voices_.find(voice);
    if (it == voices_.end()) return;
    it->second.left = left;
    it->second.right = right;
}

std::vector<void*> SdlMixer::Clear(int voice)
{
    const DeviceLock lock(device_);
    std::vector<void*> tags;
    auto it = voices_.find(voice);
    if (it == voices_.end()) return tags;
    Voice& v = it->second;
    for (const Buffer& b : v.converting) tags.push_back(b.tag);
    for (const Buffer& b : v.waiting) tags.push_back(b.tag);
    v.converting.clear();
    v.waiting.clear();
    SDL_AudioStreamClear(v.stream);
    v.partial.clear();
    v.flushed = false;
    return tags;
}

std::uint32_t SdlMixer::Pending(int voice)
{
    const DeviceLock lock(device_);
    auto it = voices_.find(voice);
    if (it == voices_.end()) return 0;
    std::uint32_t bytes = std::uint32_t(SDL_AudioStreamAvailable(it->second.stream));
    for (const Buffer& b : it->second.waiting) bytes += b.length;
    return bytes;
}

// Everything handed to the converter so far has been heard.
void SdlMixer::FinishConverted(Voice& voice)
{
    while (!voice.converting.empty()) {
        void* tag = voice.converting.front().tag;
        voice.converting.pop_front();
        voice.finished(tag);
    }
}

// Fills up to samples output samples from the voice's buffers, feeding the
// converter one buffer at a time; the number of samples made.
int SdlMixer::Produce(Voice& voice, Sint16* into, int samples)
{
    int made = 0;
    while (made < samples) {
        if (SDL_AudioStreamAvailable(voice.stream) == 0) {
            if (!voice.waiting.empty()) {
                FinishConverted(voice);
                const Buffer next = voice.waiting.front();
                voice.waiting.pop_front();
                voice.converting.push_back(next);
                voice.flushed = false;
                if (!PutWholeFrames(voice, next.data, next.length)) break;
                continue;
            }
            // The last samples wait in the converter until it is told that no more come.
            if (!voice.flushed && !voice.converting.empty()) {
                voice.flushed = true;
                SDL_AudioStreamFlush(voice.stream);
                continue;
            }
            FinishConverted(voice);
            break;
        }
        const int got = SDL_AudioStreamGet(voice.stream, into + made, int(sizeof(Sint16)) * (samples - made));
        if (got <= 0) break;
        made += got / int(sizeof(Sint16));
    }
    return made;
}

// Hands the converter the whole frames of the buffer, completing the
// frame the last buffer ended in first.
bool SdlMixer::PutWholeFrames(Voice& voice, const Uint8* data, std::uint32_t length)
{
    const std::uint32_t frame = std::uint32_t(voice.frameBytes);
    if (!voice.partial.empty()) {
        const std::uint32_t take = std::min<std::uint32_t>(length, frame - std::uint32_t(voice.partial.size()));
        voice.partial.insert(voice.partial.end(), data, data + take);
        data += take;
        length -= take;
        if (voice.partial.size() < frame) return true;
        const bool put = SDL_AudioStreamPut(voice.stream, voice.partial.data(), int(frame)) == 0;
        voice.partial.clear();
        if (!put) return false;
    }
    const std::uint32_t whole = length / frame * frame;
    if (whole > 0 && SDL_AudioStreamPut(voice.stream, data, int(whole)) != 0) return false;
    voice.partial.assign(data + whole, data + length);
    return true;
}

void SdlMixer::Mix(Sint16* out, int samples)
{
    scratch_.resize(std::size_t(samples));
    for (auto& [id, voice] : voices_) {
        if (voice.paused) continue;
        const int made = Produce(voice, scratch_.data(), samples);
        for (int i = 0; i < made; ++i) {
            const std::int32_t level = (i % OutputChannels) == 0 ? voice.left : voice.right;
            const std::int32_t scaled = level == 0xFFFF ? scratch_[std::size_t(i)] : scratch_[std::size_t(i)] * level / 0xFFFF;
            out[i] = Sint16(std::clamp<std::int32_t>(out[i] + scaled, -32768, 32767));
        }
    }
}

} // namespace platform
