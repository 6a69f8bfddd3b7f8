#pragma once

#include <cstdint>
#include <functional>

namespace platform {

// The format header of PCM wave data, as a WAV file carries it.
struct WaveFormat {
    std::uint16_t formatTag = 0;
    std::uint16_t channels = 0;
    std::uint32_t samplesPerSec = 0;
    std::uint32_t avgBytesPerSec = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;
};
enum WaveFormatTag : std::uint16_t { WAVE_FORMAT_PCM = 1, WAVE_FORMAT_IEEE_FLOAT = 3, WAVE_FORMAT_EXTENSIBLE = 0xFFFE };

// What every output plays: whole sample frames of 8-, 16- or 32-bit
// integers or 32-bit floats, one to eight channels. Anything else (ADPCM,
// an extensible header whose sub-format was not recognised) would be noise.
inline bool IsPlayable(const WaveFormat& f)
{
    const bool integer = f.formatTag == WAVE_FORMAT_PCM &&
                         (f.bitsPerSample == 8 || f.bitsPerSample == 16 || f.bitsPerSample == 32);
    const bool floats = f.formatTag == WAVE_FORMAT_IEEE_FLOAT && f.bitsPerSample == 32;
    return (integer || floats) && f.channels >= 1 && f.channels <= 8 && f.samplesPerSec > 0 &&
           f.blockAlign == f.channels * f.bitsPerSample / 8;
}

// One buffer on its way through an output. The player owns the samples;
// they must stay put until the buffer comes back marked done.
struct WaveBuffer {
    const std::uint8_t* data = nullptr;
    std::uint32_t length = 0;
    std::uint32_t flags = 0;
    void* user = nullptr;
};
enum WaveBufferFlags : std::uint32_t { WHDR_DONE = 0x1, WHDR_PREPARED = 0x2, WHDR_INQUEUE = 0x10 };

// The formats an output plays, one bit each: 11025, 22050 and 44100 Hz,
// mono and stereo, 8 and 16 bits; and what it offers besides.
enum WaveFormatBits : std::uint32_t {
    WAVE_FORMAT_1M08 = 0x1, WAVE_FORMAT_1S08 = 0x2, WAVE_FORMAT_1M16 = 0x4, WAVE_FORMAT_1S16 = 0x8,
    WAVE_FORMAT_2M08 = 0x10, WAVE_FORMAT_2S08 = 0x20, WAVE_FORMAT_2M16 = 0x40, WAVE_FORMAT_2S16 = 0x80,
    WAVE_FORMAT_4M08 = 0x100, WAVE_FORMAT_4S08 = 0x200, WAVE_FORMAT_4M16 = 0x400, WAVE_FORMAT_4S16 = 0x800,
};
enum WaveSupport : std::uint32_t { WAVECAPS_VOLUME = 0x4, WAVECAPS_LRVOLUME = 0x8 };
struct WaveOutCaps {
    std::uint32_t formats = 0;
    std::uint32_t support = 0;
};

// Wave output devices. An open output plays the buffers written to it one
// after the other and hands each back through the done notice, which runs
// on the user-interface thread, in order, and only while the output is
// still open: a notice for an output closed since is dropped.
class WaveOut {
public:
    // 0 is no output; a number is never given to two outputs.
    using Handle = std::uint32_t;
    using DoneNotice = std::function<void(Handle, WaveBuffer&)>;
    static constexpr int Mapper = -1;

    virtual ~WaveOut() = default;
    virtual unsigned DeviceCount() = 0;
    virtual bool Capabilities(int device, WaveOutCaps& caps) = 0;
    // 0 when the device cannot play the format.
    virtual Handle Open(int device, const WaveFormat& format, DoneNotice notice) = 0;
    virtual bool Write(Handle output, WaveBuffer& buffer) = 0;
    virtual bool Pause(Handle output) = 0;
    virtual bool Restart(Handle output) = 0;
    // Every buffer not yet played comes back marked done, without notices.
    virtual bool Reset(Handle output) = 0;
    virtual bool Close(Handle output) = 0;
    // Left level in the low 16 bits, right in the high; full is 0xFFFF.
    virtual bool SetVolume(Handle output, std::uint32_t volume) = 0;
};

} // namespace platform
