#pragma once

// An FLC decoded by the engine as the game reads it, frame by frame, for the
// tests of the tools that make animations.
#include "engine/core/mImageFlic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

struct Decoded {
    int width = 0, height = 0, frames = 0, period = 0;
    std::vector<std::vector<std::uint8_t>> pixels; // top row first
    std::vector<std::array<std::uint32_t, 256>> colours;
};

inline Decoded Decode(const void* data, std::size_t size)
{
    Decoded d;
    mImageFlic image;
    if (!image.OpenMemory(data, long(size)) || !image.ReadHeader()) return d;
    d.width = image.frameInfo->width;
    d.height = image.frameInfo->height;
    d.frames = image.rendererInfo->frameCount;
    d.period = int(image.frameInfo->framePeriod);
    for (int f = 0; f < d.frames; ++f) {
        image.SeekFrame(f, 0);
        const mBitmap& frame = *image.FrameBitmap();
        std::vector<std::uint8_t> rows;
        for (int y = 0; y < d.height; ++y) rows.insert(rows.end(), frame.Row(y), frame.Row(y) + d.width);
        d.pixels.push_back(rows);
        std::array<std::uint32_t, 256> table{};
        std::copy(frame.desc.colours, frame.desc.colours + 256, table.begin());
        d.colours.push_back(table);
    }
    return d;
}

// The frame's corners and bottom-left pixel are the screen, index 0.
inline void ExpectClearCorners(const Decoded& d)
{
    for (int f = 0; f < d.frames; ++f) {
        const auto& px = d.pixels[std::size_t(f)];
        for (std::size_t at : {std::size_t(0), std::size_t(d.width - 1), std::size_t((d.height - 1) * d.width),
                               px.size() - 1})
            EXPECT_EQ(px[at], 0) << "frame " << f;
        EXPECT_EQ(d.colours[std::size_t(f)][0], 0u);
    }
}

