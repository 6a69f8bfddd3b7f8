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
    // The range saturates instead of wrapping: a far element must not come
    // near because of an overflow.
    const std::int64_t half = depth / 2;
    const std::int64_t high = std::int64_t(z) + half, low = std::int64_t(z) - half;
    zHigh = high > std::numeric_limits<std::int32_t>::max() || high < std::numeric_limits<std::int32_t>::min()
                ? 32767
                : std::int32_t(high);
    zLow = low < std::numeric_limits<std::int32_t>::min() || low > std::numeric_limits<std::int32_t>::max()
               ? 0
               : std::int32_t(low);
}
