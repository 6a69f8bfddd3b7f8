#pragma once

#include <SDL.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace platform {

// The program's one SDL audio output: 44100 Hz, 16-bit stereo. Every sound
// source is a voice with its own format, converted on the way and mixed
// with its own volume, so any number of players share one device (SDL's
// disk driver has a single file; exclusive ALSA devices open once).
class SdlMixer {
public:
    struct Buffer {
        const std::uint8_t* data;
        std::uint32_t length;
        void* tag;
    };
    // Runs on the audio thread when a buffer has been played: it may only
    // hand the news on, not call back into the mixer.
    using Finished = std::function<void(void* tag)>;

    // The open output, shared by all who hold it and closed when the last
    // lets go; null without an audio device.
    static std::shared_ptr<SdlMixer> Acquire();
    ~SdlMixer();

    // 0 when SDL cannot convert the format.
    int AddVoice(SDL_AudioFormat format, int channels, int rate, Finished finished);
    void RemoveVoice(int voice);
    void Queue(int voice, const Buffer& buffer);
    void SetPaused(int voice, bool paused);
    void SetVolume(int voice, std::uint16_t left, std::uint16_t right);
    // Drops what the voice has not played; the tags of those buffers.
    std::vector<void*> Clear(int voice);
    // Bytes of samples the voice still has to play.
    std::uint32_t Pending(int voice);
    // How long the device's own buffer holds a sample before it is heard.
    int LatencyMs() const { return 1000 * spec_.samples / spec_.freq; }

    SdlMixer(const SdlMixer&) = delete;
    SdlMixer& operator=(const SdlMixer&) = delete;

private:
    struct Voice {
        SDL_AudioStream* stream = nullptr;
        Finished finished;
        std::deque<Buffer> waiting, converting;
        // The converter takes whole sample frames only: the bytes of a
        // frame that a buffer ends in wait here for the next buffer.
        int frameBytes = 1;
        std::vector<Uint8> partial;
        bool paused = false, flushed = false;
        std::uint16_t left = 0xFFFF, right = 0xFFFF;
    };
    SdlMixer() = default;
    static void Callback(void* mixer, Uint8* out, int length);
    void Mix(Sint16* out, int samples);
    int Produce(Voice& voice, Sint16* into, int samples);
    static void FinishConverted(Voice& voice);
    static bool PutWholeFrames(Voice& voice, const Uint8* data, std::uint32_t length);

    SDL_AudioDeviceID device_ = 0;
    SDL_AudioSpec spec_{};
    std::map<int, Voice> voices_;
    int nextVoice_ = 1;
    std::vector<Sint16> scratch_;
};

} // namespace platform
