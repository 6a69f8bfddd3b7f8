#pragma once

#include "platform/Surface.h"

#include <cstdint>
#include <vector>

namespace platform {

// A true-colour picture (0xAARRGGBB, opaque) that engine bitmaps are shown
// in; a window displays it and repaints the rectangles it was told about.
class RgbSurface : public Surface {
public:
    RgbSurface(int width, int height) : width_(width), height_(height), pixels_(std::size_t(width * height)) {}

    void Present(const Pixels& pixels, int destLeft, int destTop, int width, int height, int sourceX,
                 int sourceY) override;

    void Fill(std::uint32_t colour) { pixels_.assign(pixels_.size(), colour); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    std::uint32_t At(int x, int y) const { return pixels_[std::size_t(y * width_ + x)]; }
    const std::uint32_t* Data() const { return pixels_.data(); }
    // The last presented rectangle, for the window to repaint.
    struct Area {
        int left, top, width, height;
    };
    const Area& LastArea() const { return last_; }

private:
    int width_, height_;
    std::vector<std::uint32_t> pixels_;
    Area last_{0, 0, 0, 0};
};

} // namespace platform
