#include "engine/core/mSolidElement.h"

#include "engine/core/mDirector.h"

mSolidElement::mSolidElement(const mRect& area)
{
    bounds = area;
    hitRect = area;
}

void mSolidElement::Paint(const mRect* rects, int count)
{
    if (director) director->FillRects(colourIndex, rects, count);
}

void mSolidElement::SetColor(std::uint32_t newColour)
{
    colour = newColour;
    if (director) PaletteChanged();
}

void mSolidElement::PaletteChanged()
{
    if (!director) return;
    colourIndex = director->NearestColor(colour);
    director->Invalidate(&bounds, 1);
}
