#pragma once

#include "engine/core/mElement.h"

// A rectangle of one colour; every director has one as its background.
class mSolidElement : public mElement {
public:
    explicit mSolidElement(const mRect& area);

    void Paint(const mRect* rects, int count) override;
    void PaletteChanged() override;
    // colour: blue, green, red, 0.
    void SetColor(std::uint32_t colour);

    std::uint32_t colour = 0;
    int colourIndex = 0;
};
