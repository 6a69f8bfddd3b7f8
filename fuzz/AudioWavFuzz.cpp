// Any bytes as a wave file read from memory, played through an output that
// hands buffers back when told: parts, passes, endless play, seeks, pause
// and stop. Never out of bounds, never a hang, never a division by zero.
#include "engine/media/mAudioWAV.h"

#include "QueueingOutput.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 4) return 0;
    // The first bytes steer the calls, the rest is the file.
    const std::uint8_t steer[4] = {data[0], data[1], data[2], data[3]};
    std::vector<std::uint8_t> bytes(data + 4, data + size);
    QueueingOutput output;
    mAudioWAV::SetWaveOut(&output);
    {
        mAudioWAV player;
        player.OpenMemory(bytes.data(), long(bytes.size()));
        player.SetTimeFormat(steer[0] % 3);
        player.SetBuffering(std::uint32_t(steer[1]) * 64, steer[1] % 5);
        if (player.Open(steer[2] % 2 ? 0 : 16 + steer[2])) {
            player.Seek(std::int32_t(steer[3]) * 97, steer[3] % 3);
            player.Play(std::uint32_t(steer[2]) * 31, std::uint32_t(steer[0] % 4));
            output.Finish(3);
            player.Pause();
            player.Play(0, 1);
            output.Finish(64);
            player.Stop();
            player.Seek(0, 0);
            player.Play(0, 2);
            output.Finish(8);
        }
    }
    mAudioWAV::SetWaveOut(nullptr);
    return int(output.sum & 0);
}
