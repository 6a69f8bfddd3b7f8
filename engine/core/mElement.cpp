#include "engine/core/mElement.h"

#include "engine/core/mDirector.h"

#include <limits>

mElement::~mElement()
{
    if (director) director->RemoveElement(this);
}

void mElement::SetZ(std::int32_t newZ)
{
    z = newZ;
    if (!director) return;
    director->Reorder(this);
    director->Invalidate(&bounds, 1);
}

void mElement::SetHitDepth(std::int32_t depth)
{
    hitDepth = depth;
    // An overflowing end takes a fixed value instead of wrapping: a far
    // element must not come near.
    const auto fits = [](std::int64_t v) {
        return v >= std::numeric_limits<std::int32_t>::min() && v <= std::numeric_limits<std::int32_t>::max();
    };
    const std::int64_t high = std::int64_t(z) + depth / 2, low = std::int64_t(z) - depth / 2;
    zHigh = fits(high) ? std::int32_t(high) : 32767;
    zLow = fits(low) ? std::int32_t(low) : 0;
}
