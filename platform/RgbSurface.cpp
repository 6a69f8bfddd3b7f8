#include "platform/RgbSurface.h"

#include <algorithm>

namespace platform {

void RgbSurface::Present(const Pixels& pixels, int destLeft, int destTop, int width, int height, int sourceX,
                         int sourceY)
{
    // Only what lies inside both pictures is converted.
    const int left = std::max({destLeft, 0, destLeft - sourceX});
    const int top = std::max({destTop, 0, destTop - sourceY});
    const int right = std::min({destLeft + width, width_, destLeft - sourceX + pixels.width});
    const int bottom = std::min({destTop + height, height_, destTop - sourceY + pixels.height});
    last_ = {left, top, std::max(right - left, 0), std::max(bottom - top, 0)};
    if (right <= left || bottom <= top || !pixels.colours) return;
    for (int y = top; y < bottom; ++y) {
        const std::uint8_t* from = pixels.topRow + long(sourceY + y - destTop) * pixels.rowStep + (sourceX + left - destLeft);
        std::uint32_t* to = pixels_.data() + std::size_t(y * width_ + left);
        for (int x = 0; x < right - left; ++x) to[x] = 0xFF000000u | pixels.colours[from[x]];
    }
}

} // namespace platform
