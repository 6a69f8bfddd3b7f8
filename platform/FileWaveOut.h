#pragma once

#include "platform/WaveOut.h"

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace platform {

class UiQueue;

// A wave output that writes instead of playing: every buffer written to it
// is appended to a WAV file as it is and handed back at once, through the
// queue like a device's. The file takes the format of the first output;
// outputs of another format are refused. No volume of its own.
class FileWaveOut : public WaveOut {
public:
    FileWaveOut(UiQueue& queue, std::string path);
    ~FileWaveOut() override;
    FileWaveOut(const FileWaveOut&) = delete;
    FileWaveOut& operator=(const FileWaveOut&) = delete;

    // False once the file could not be made or written.
    bool Good() const { return good_; }
    // Sample bytes written so far.
    std::uint32_t DataBytes() const { return dataBytes_; }

    unsigned DeviceCount() override { return 1; }
    bool Capabilities(int device, WaveOutCaps& caps) override;
    Handle Open(int device, const WaveFormat& format, DoneNotice notice) override;
    bool Write(Handle output, WaveBuffer& buffer) override;
    bool Pause(Handle output) override { return outputs_.count(output) != 0; }
    bool Restart(Handle output) override { return outputs_.count(output) != 0; }
    bool Reset(Handle output) override;
    bool Close(Handle output) override;
    bool SetVolume(Handle, std::uint32_t) override { return false; }

private:
    struct Output {
        DoneNotice notice;
        std::vector<WaveBuffer*> queued;
    };
    bool StartFile(const WaveFormat& format);
    void UpdateSizes();
    void Done(Handle output, WaveBuffer* buffer);

    UiQueue& queue_;
    std::string path_;
    std::FILE* file_ = nullptr;
    bool good_ = true;
    WaveFormat format_;
    std::uint32_t dataBytes_ = 0;
    std::map<Handle, Output> outputs_;
    Handle nextHandle_ = 1;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

} // namespace platform
