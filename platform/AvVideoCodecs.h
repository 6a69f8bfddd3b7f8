#pragma once

#include "platform/VideoCodecs.h"

namespace platform {

// The video decompressors of FFmpeg's libavcodec. Which decoder serves a
// stream is settled when its format is known (AvVideoDecompressor::Begin):
// a handler code that names none still opens, and Begin refuses the stream.
class AvVideoCodecs : public VideoCodecs {
public:
    std::unique_ptr<VideoDecompressor> Open(std::uint32_t type, std::uint32_t handler, std::uint32_t mode) override;
};

} // namespace platform
