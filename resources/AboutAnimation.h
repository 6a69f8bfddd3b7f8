#pragma once

#include <cstddef>

// The About box's animation (FLC, 200 × 75, 30 frames, 30 ms a frame), part
// of the program.
extern const unsigned char AboutAnimationData[];
extern const std::size_t AboutAnimationDataSize;
