#pragma once

#include "engine/core/mDirector.h"
#include "engine/sprites/mRenderer.h"
#include "engine/sprites/mSpriteImage.h"
#include "platform/RgbSurface.h"

#include <cstdint>
#include <vector>

// The stage as it must look: the background, then every visible sprite's
// current frame in depth order, drawn without any dirty bookkeeping.
inline std::vector<std::uint32_t> Recomposed(mDirector& director)
{
    mBitmap reference;
    reference.CreateSection(director.desc.width, director.desc.height, 8);
    const mRect all{0, 0, director.desc.width, director.desc.height};
    reference.FillRects(director.background->colourIndex, &all, 1);
    for (mElement* e = director.Head()->next; e != director.Head(); e = e->next) {
        auto* sprite = dynamic_cast<mSpriteImage*>(e);
        if (!sprite || !sprite->Visible()) continue;
        mRenderer* image = sprite->Image();
        image->SetTarget(&reference);
        image->SeekFrame(int(sprite->frame), 0);
        image->Draw(sprite->bounds.left, sprite->bounds.top, nullptr);
        image->SetTarget(&director);
    }
    std::vector<std::uint32_t> rgb;
    for (int y = 0; y < all.bottom; ++y)
        for (int x = 0; x < all.right; ++x) rgb.push_back(0xFF000000u | director.desc.colours[reference.Row(y)[x]]);
    return rgb;
}

inline std::vector<std::uint32_t> Shown(const platform::RgbSurface& window)
{
    return {window.Data(), window.Data() + window.Width() * window.Height()};
}
