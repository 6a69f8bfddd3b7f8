#pragma once

#include "platform/WaveOut.h"

#include <deque>
#include <map>
#include <string>
#include <vector>

// A wave output that plays when the test says: it records every buffer
// written and hands the oldest back on Finish.
class RecordingWaveOut : public platform::WaveOut {
public:
    struct Queued {
        Handle output;
        platform::WaveBuffer* buffer;
    };

    unsigned DeviceCount() override { return devices; }
    bool Capabilities(int, platform::WaveOutCaps& out) override
    {
        out = caps;
        return devices > 0;
    }
    Handle Open(int, const platform::WaveFormat&, DoneNotice notice) override
    {
        notices[next] = std::move(notice);
        return next++;
    }
    bool Write(Handle output, platform::WaveBuffer& buffer) override
    {
        if (!notices.count(output)) return false;
        buffer.flags = platform::WHDR_INQUEUE;
        played += std::string(reinterpret_cast<const char*>(buffer.data), buffer.length);
        lengths.push_back(buffer.length);
        written.push_back(&buffer);
        queued.push_back({output, &buffer});
        // A device that has played the buffer before the call returns.
        if (finishOnWrite) Finish();
        return true;
    }
    // Hands back the oldest n buffers, as the device does once played.
    void Finish(int n = 1)
    {
        for (; n > 0 && !queued.empty(); --n) {
            const Queued q = queued.front();
            queued.pop_front();
            q.buffer->flags = platform::WHDR_DONE;
            if (notices.count(q.output)) notices[q.output](q.output, *q.buffer);
        }
    }
    bool Pause(Handle) override { return true; }
    bool Restart(Handle) override { return true; }
    bool Reset(Handle output) override
    {
        for (auto it = queued.begin(); it != queued.end();)
            if (it->output == output) it->buffer->flags = platform::WHDR_DONE, it = queued.erase(it);
            else ++it;
        return true;
    }
    bool Close(Handle output) override { return notices.erase(output) != 0; }
    bool SetVolume(Handle, std::uint32_t) override { return true; }

    unsigned devices = 1;
    bool finishOnWrite = false;
    platform::WaveOutCaps caps{0xFFF, platform::WAVECAPS_VOLUME | platform::WAVECAPS_LRVOLUME};
    std::map<Handle, DoneNotice> notices; // the open outputs
    std::deque<Queued> queued;
    std::string played;
    std::vector<std::uint32_t> lengths;
    std::vector<const platform::WaveBuffer*> written;
    Handle next = 1;
};
