// Any bytes as an AVI movie read from memory: headers, streams, index,
// records, palette changes and sound chunks, drawn frame by frame, with
// jumps, while its sound plays through an output that hands buffers back
// now and then. The decompressor is libavcodec's for some inputs and one
// that copies the frame's bytes for the rest, so that frames of any size
// reach the picture. Never out of bounds, never a hang.
#include "engine/media/mImageAVI.h"
#include "platform/AvVideoCodecs.h"
#include "platform/AvVideoDecompressor.h"

#include "QueueingOutput.h"

extern "C" {
#include <libavutil/log.h>
}

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

class CopyingCodecs : public platform::VideoCodecs {
public:
    class Copier : public platform::VideoDecompressor {
    public:
        explicit Copier(bool indexed) : indexed_(indexed) {}
        bool Begin(const std::uint8_t* format, std::size_t bytes) override { return format && bytes >= 4 && format[0] != 0xFF; }
        bool IndexedOutput() const override { return indexed_; }
        // A true-colour decompressor brings its pictures into the platform's
        // one fixed palette: only indexed output changes it.
        void GetPalette(std::uint32_t* colours) const override
        {
            for (std::size_t i = 0; i < 256; ++i)
                colours[i] = (indexed_ ? colours_[i] : platform::AvVideoDecompressor::TrueColourPalette()[i]) & 0xFFFFFF;
        }
        void ChangePalette(int first, int count, const std::uint8_t* entries) override
        {
            for (int i = 0; i < count && first + i < 256; ++i)
                colours_[first + i] = std::uint32_t(entries[4 * i] << 16 | entries[4 * i + 1] << 8 | entries[4 * i + 2]);
        }
        bool Decompress(const std::uint8_t* data, std::size_t bytes, const platform::IndexedPicture& picture,
                        bool& paletteChanged) override
        {
            paletteChanged = indexed_ && bytes % 3 == 0;
            const std::size_t width = std::size_t(picture.width);
            for (std::size_t i = 0; i < bytes && i / width < std::size_t(picture.height); ++i) {
                std::uint8_t v = data[i];
                if (!indexed_) v = picture.trueColourTable[v * 16];
                picture.topRow[std::ptrdiff_t(i / width) * picture.rowStep + std::ptrdiff_t(i % width)] = v;
            }
            return bytes > 0;
        }
        void End() override {}

    private:
        bool indexed_;
        std::uint32_t colours_[256] = {};
    };

    std::unique_ptr<platform::VideoDecompressor> Open(std::uint32_t type, std::uint32_t handler, std::uint32_t) override
    {
        if (type != TypeVideo || handler == 0xFFFFFFFFu) return nullptr;
        return std::make_unique<Copier>((handler & 1) == 0);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 4) return 0;
    av_log_set_level(AV_LOG_QUIET);
    // The first bytes steer the calls, the rest is the movie.
    const std::uint8_t steer[4] = {data[0], data[1], data[2], data[3]};
    std::vector<std::uint8_t> bytes(data + 4, data + size);
    QueueingOutput output;
    CopyingCodecs copying;
    platform::AvVideoCodecs real;
    mAudioWAV::SetWaveOut(&output);
    mImageAVI::SetVideoCodecs(steer[0] & 0x80 ? static_cast<platform::VideoCodecs*>(&real) : &copying);
    {
        mBitmap target(64, 48, 8); // outlives the movie that draws into it
        mImageAVI movie;
        movie.OpenMemory(bytes.data(), long(bytes.size()));
        movie.SetTarget(&target);
        movie.SetTransparent(steer[0] & 1);
        movie.SetRemap(steer[0] & 2);
        movie.SetAutoAdvance(steer[0] & 4);
        if (steer[0] & 8) movie.SetPosition(steer[1] % 4);
        if (movie.ReadHeader()) {
            movie.Play(0, steer[0] & 16 ? 0 : 1);
            const int frames = std::min(movie.rendererInfo->frameCount, 200);
            for (int i = 0; i < frames; ++i) {
                const mRect clip{steer[1] % 16 - 8, 0, 64, steer[2] % 48};
                movie.Draw(steer[2] % 32 - 16, steer[3] % 32 - 16, i % 2 ? &clip : nullptr);
                if (i % 3 == 0) output.Finish(steer[3] % 4);
                if (i == steer[2] % 8) movie.SeekFrame(steer[3] % 64, steer[1] % 3);
                if (i == steer[1] % 16) movie.SeekFrame(steer[2] % 32, 0);
            }
            movie.MatchPalette();
            movie.Stop();
        }
    }
    mImageAVI::SetVideoCodecs(nullptr);
    mAudioWAV::SetWaveOut(nullptr);
    return int(output.sum & 0);
}
