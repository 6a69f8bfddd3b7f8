#pragma once

#include "engine/core/mBitmap.h"
#include "engine/core/mSolidElement.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace platform {
class Clock;
class Surface;
} // namespace platform

// The stage: an 8-bit picture the size of a window that its elements are
// composed into, in depth order. Only the areas that changed since the last
// tick are recomposed and shown in the window.
class mDirector : public mBitmap {
public:
    mDirector(platform::Surface& window, int width, int height, platform::Clock& clock, int dirtyCapacity);
    ~mDirector() override;

    void SetDirtyCapacity(int capacity);
    void AddElement(mElement* element);
    void RemoveElement(mElement* element);
    void Reorder(mElement* element);
    void Invalidate(const mRect* rects, int count);
    std::uint32_t Tick();
    // entries: blue, green, red, 0.
    void SetPalette(const std::uint32_t* entries, int first, int count);

    // The dirty list in list order, for those who check the bookkeeping.
    std::vector<mRect> DirtyRects() const;
    int DirtyNodesInUse() const { return inUse_; }
    mElement* Head() const { return head_; }

    std::unique_ptr<mSolidElement> background;

private:
    struct Node {
        int left, top, right, bottom;
        int next;
    };

    int AddDirty(int left, int top, int right, int bottom);
    void InsertDirty(int left, int top, int right, int bottom);
    void Link(mElement* element);
    void Unlink(mElement* element);
    void StepElements();
    void Collide();
    void Compose();
    void Flush();
    void ResetDirtyList();
    template <typename Action> void ForEachElement(Action action)
    {
        if (!head_) return;
        mElement* element = head_;
        do {
            action(element);
            element = element->next;
        } while (element != head_);
    }

    platform::Surface& window_;
    platform::Clock& clock_;
    bool paletteMade_ = false;
    std::vector<Node> dirty_;
    int inUse_ = 0;
    mElement* head_ = nullptr;
    std::uint32_t nextDelay_ = 0;
};
