#pragma once

#include "platform/WaveOut.h"

#include <map>
#include <memory>

namespace platform {

class SdlMixer;
class UiQueue;

// Wave outputs as voices of the program's one SDL output. One device, the
// mapper or device 0, that plays every PCM format SDL converts (8-, 16- and
// 32-bit, any rate and channel count) and has a left and right volume of
// its own for every output, applied in software. Without an audio device
// there is no device.
class SdlWaveOut : public WaveOut {
public:
    explicit SdlWaveOut(UiQueue& queue);
    ~SdlWaveOut() override;
    SdlWaveOut(const SdlWaveOut&) = delete;
    SdlWaveOut& operator=(const SdlWaveOut&) = delete;

    unsigned DeviceCount() override;
    bool Capabilities(int device, WaveOutCaps& caps) override;
    Handle Open(int device, const WaveFormat& format, DoneNotice notice) override;
    bool Write(Handle output, WaveBuffer& buffer) override;
    bool Pause(Handle output) override;
    bool Restart(Handle output) override;
    bool Reset(Handle output) override;
    bool Close(Handle output) override;
    bool SetVolume(Handle output, std::uint32_t volume) override;

private:
    struct Output {
        int voice;
        DoneNotice notice;
    };
    Output* Find(Handle output);
    void Done(Handle output, WaveBuffer* buffer);

    UiQueue& queue_;
    std::shared_ptr<SdlMixer> mixer_;
    std::map<Handle, Output> outputs_;
    Handle nextHandle_ = 1;
    // Notices still queued when the object goes are dropped.
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

} // namespace platform
