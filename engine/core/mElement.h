#pragma once

#include "engine/core/mBitmap.h"

#include <cstdint>

class mDirector;

// Everything a director keeps on its stage: a depth, the area it occupies
// and repaints, an optional step timer and what it collides with.
class mElement : public virtual mObject {
public:
    ~mElement() override;

    virtual void Attach() {}
    virtual void Detach() {}
    virtual void Paint(const mRect* rects, int count) { (void)rects, (void)count; }
    virtual void Step(std::uint32_t lateness) { (void)lateness; }
    virtual void Hit(mElement* other) { (void)other; }
    virtual void PaletteChanged() {}
    virtual void SetZ(std::int32_t newZ);
    virtual void SetHitDepth(std::int32_t depth);

    mDirector* director = nullptr;
    mElement* next = nullptr;
    mElement* prev = nullptr;
    std::uint32_t lastStep = 0;
    std::uint32_t delay = 0;
    std::int32_t z = 0;
    mRect bounds;
    std::uint32_t hitId = 0;
    std::uint32_t hitMask = 0xFFFFFFFFu;
    mRect hitRect;
    std::int32_t hitDepth = 32767;
    std::int32_t zHigh = 32767 / 2;
    std::int32_t zLow = 0;

protected:
    mElement() { SetHitDepth(hitDepth); }
};
