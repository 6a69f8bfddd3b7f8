#include "platform/AvVideoCodecs.h"

#include "platform/AvVideoDecompressor.h"

namespace platform {

std::unique_ptr<VideoDecompressor> AvVideoCodecs::Open(std::uint32_t type, std::uint32_t handler, std::uint32_t)
{
    if (type != TypeVideo) return nullptr;
    return std::make_unique<AvVideoDecompressor>(handler);
}

} // namespace platform
