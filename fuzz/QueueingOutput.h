#pragma once

#include "platform/WaveOut.h"

#include <cstdint>
#include <deque>
#include <map>
#include <utility>

// A wave output that hands buffers back when the fuzz target says, reading
// every byte it is given: a buffer pointing outside its samples shows.
class QueueingOutput : public platform::WaveOut {
public:
    unsigned DeviceCount() override { return 1; }
    bool Capabilities(int, platform::WaveOutCaps& caps) override
    {
        caps = {0xFFF, platform::WAVECAPS_VOLUME | platform::WAVECAPS_LRVOLUME};
        return true;
    }
    Handle Open(int, const platform::WaveFormat&, DoneNotice notice) override
    {
        notices[next] = std::move(notice);
        return next++;
    }
    bool Write(Handle output, platform::WaveBuffer& buffer) override
    {
        // Reading every byte shows a buffer that points outside its samples.
        for (std::uint32_t i = 0; i < buffer.length; ++i) sum += buffer.data[i];
        queued.push_back({output, &buffer});
        return true;
    }
    void Finish(int n)
    {
        for (; n > 0 && !queued.empty(); --n) {
            auto [output, buffer] = queued.front();
            queued.pop_front();
            buffer->flags = platform::WHDR_DONE;
            if (notices.count(output)) notices[output](output, *buffer);
        }
    }
    bool Pause(Handle) override { return true; }
    bool Restart(Handle) override { return true; }
    bool Reset(Handle output) override
    {
        for (auto& q : queued) q.second->flags = platform::WHDR_DONE;
        queued.clear();
        return notices.count(output) != 0;
    }
    bool Close(Handle output) override { return notices.erase(output) != 0; }
    bool SetVolume(Handle, std::uint32_t) override { return true; }

    std::map<Handle, DoneNotice> notices;
    std::deque<std::pair<Handle, platform::WaveBuffer*>> queued;
    Handle next = 1;
    unsigned sum = 0;
};
