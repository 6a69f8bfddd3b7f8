// The wave player's share of one core while it plays a CD-quality sound
// through SDL (the disk driver into /dev/null unless SDL_AUDIODRIVER names
// another), against the same output left idle for as long: the process's
// CPU time over the wall time.
#include "engine/media/mAudioWAV.h"
#include "platform/SdlWaveOut.h"
#include "platform/UiQueue.h"

#include "../tests/TempFolder.h"
#include "../tests/engine/WavBuilder.h"

#include <SDL.h>

#include <sys/resource.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <string>

namespace {

// An event loop that sleeps until a task is posted.
class WaitingQueue : public platform::UiQueue {
public:
    void Post(std::function<void()> task) override
    {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            tasks_.push_back(std::move(task));
        }
        posted_.notify_one();
    }
    void RunFor(std::chrono::milliseconds most)
    {
        std::unique_lock<std::mutex> lock(mutex_);
        if (!posted_.wait_for(lock, most, [this] { return !tasks_.empty(); })) return;
        std::function<void()> task = std::move(tasks_.front());
        tasks_.pop_front();
        lock.unlock();
        task();
    }

private:
    std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<std::function<void()>> tasks_;
};

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

std::string CdWav(double seconds)
{
    WavBuilder cd;
    cd.channels = 2, cd.bits = 16, cd.blockAlign = 4, cd.rate = 44100;
    return cd.File(WavBuilder::Samples(std::size_t(seconds * 44100) * 4));
}

// CPU share while run lasts; run returns when done.
template <typename Body> double Share(Body run)
{
    const double cpu = CpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    run();
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return (CpuSeconds() - cpu) / wall;
}

} // namespace

int main()
{
    setenv("SDL_AUDIODRIVER", "disk", 0);
    setenv("SDL_DISKAUDIOFILE", "/dev/null", 0);
    const TempFolder folder;
    const std::string path = folder.Write("cd.wav", CdWav(4.0));
    WaitingQueue queue;
    platform::SdlWaveOut out(queue);
    if (out.DeviceCount() == 0) {
        std::printf("wave player: no audio output\n");
        return 0;
    }
    mAudioWAV::SetWaveOut(&out);
    const double idle = Share([&] {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(4);
        while (std::chrono::steady_clock::now() < end) queue.RunFor(std::chrono::milliseconds(50));
    });
    double playing = 0;
    {
        mAudioWAV player;
        player.OpenFile(path.c_str());
        playing = Share([&] {
            if (!player.Play(0, 1)) return;
            while (player.streamInfo->playing) queue.RunFor(std::chrono::milliseconds(50));
        });
    }
    mAudioWAV::SetWaveOut(nullptr);
    std::printf("wave player: %.2f %% of a core while playing 44.1 kHz stereo, %.2f %% with the output idle;"
                " the player's own share %.2f %% (goal < 1 %%)\n",
                100 * playing, 100 * idle, 100 * (playing - idle));
    return 0;
}
