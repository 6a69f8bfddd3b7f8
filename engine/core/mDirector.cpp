#include "engine/core/mDirector.h"

#include "platform/Clock.h"
#include "platform/Surface.h"

#include <algorithm>
#include <new>

namespace {
// The sentinel's coordinates lie below and right of any stage.
constexpr int SentinelCoordinate = 32000;

bool Overlap(const mRect& a, const mRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}
} // namespace

mDirector::mDirector(platform::Surface& window, int width, int height, platform::Clock& clock, int dirtyCapacity)
    : window_(window), clock_(clock)
{
    CreateSection(width, height, 8);
    const std::uint32_t black[256] = {};
    SetPalette(black, 0, 256);
    SetDirtyCapacity(dirtyCapacity);
    background = std::make_unique<mSolidElement>(mRect{0, 0, width, height});
    background->hitMask = 0;
    AddElement(background.get());
}

mDirector::~mDirector()
{
    dirty_.clear();
    inUse_ = 0;
    mElement* element = head_;
    while (element) {
        mElement* following = element->next == head_ ? nullptr : element->next;
        --element->useCount;
        element->Detach();
        element->director = nullptr;
        element->next = element->prev = nullptr;
        element = following;
    }
    head_ = nullptr;
    background.reset();
}

void mDirector::SetDirtyCapacity(int capacity)
{
    dirty_.clear();
    inUse_ = 0;
    if (capacity < 1) return;
    try {
        dirty_.assign(std::size_t(capacity), Node{0, 0, 0, 0, 0});
    } catch (const std::bad_alloc&) {
        dirty_.clear();
        return;
    }
    ResetDirtyList();
}

void mDirector::ResetDirtyList()
{
    dirty_[0] = {SentinelCoordinate, SentinelCoordinate, SentinelCoordinate, SentinelCoordinate, 0};
    inUse_ = 1;
}

void mDirector::Link(mElement* element)
{
    if (!head_) {
        head_ = element->next = element->prev = element;
        return;
    }
    // Before the first element deeper in front; equal depths keep their order.
    mElement* before = head_;
    do {
        if (before->z > element->z) break;
        before = before->next;
    } while (before != head_);
    element->next = before;
    element->prev = before->prev;
    before->prev->next = element;
    before->prev = element;
    if (element->z < head_->z) head_ = element;
}

void mDirector::Unlink(mElement* element)
{
    if (element->next == element) {
        head_ = nullptr;
    } else {
        element->prev->next = element->next;
        element->next->prev = element->prev;
        if (head_ == element) head_ = element->next;
    }
    element->next = element->prev = nullptr;
}

void mDirector::AddElement(mElement* element)
{
    if (!element || element->director) return;
    element->director = this;
    ++element->useCount;
    Link(element);
    element->lastStep = clock_.Milliseconds();
    element->Attach();
    element->PaletteChanged();
    Invalidate(&element->bounds, 1);
    Compose();
}

void mDirector::RemoveElement(mElement* element)
{
    if (!element || element->director != this) return;
    --element->useCount;
    element->Detach();
    element->director = nullptr;
    const bool alone = element->next == element;
    Unlink(element);
    if (alone) return;
    Invalidate(&element->bounds, 1);
    Compose();
}

void mDirector::Reorder(mElement* element)
{
    if (!element || element->director != this || element->next == element) return;
    Unlink(element);
    Link(element);
    Invalidate(&element->bounds, 1);
    element->SetHitDepth(element->hitDepth);
}

void mDirector::Invalidate(const mRect* rects, int count)
{
    if (!rects) return;
    for (int i = 0; i < count; ++i) {
        const int left = std::max(rects[i].left, 0), top = std::max(rects[i].top, 0);
        const int right = std::min(rects[i].right, int(desc.width)), bottom = std::min(rects[i].bottom, int(desc.height));
        if (right <= left || bottom <= top) continue;
        // Whole 32-bit words, so fills and copies run on aligned stores.
        AddDirty(left & ~3, top, (right + 3) & ~3, bottom);
    }
}

int mDirector::AddDirty(int left, int top, int right, int bottom)
{
    if (dirty_.empty() || inUse_ >= int(dirty_.size())) return 0;
    int previous = 0;
    for (int n = dirty_[0].next; n != 0;) {
        const Node node = dirty_[std::size_t(n)];
        const bool touches = right >= node.left && left <= node.right && bottom >= node.top && top <= node.bottom;
        if (!touches) {
            previous = n;
            n = node.next;
            continue;
        }
        if (left <= node.left && top <= node.top && right >= node.right && bottom >= node.bottom) {
            dirty_[std::size_t(previous)].next = node.next; // swallowed by the new one
            n = node.next;
            continue;
        }
        if (left == node.left && right == node.right) {
            dirty_[std::size_t(previous)].next = node.next;
            return AddDirty(left, std::min(top, node.top), right, std::max(bottom, node.bottom));
        }
        if (top == node.top && bottom == node.bottom) {
            dirty_[std::size_t(previous)].next = node.next;
            return AddDirty(std::min(left, node.left), top, std::max(right, node.right), bottom);
        }
        if (right > node.left && left < node.right && bottom > node.top && top < node.bottom) {
            // Only what lies outside the node is new.
            const int rowsTop = std::max(top, node.top), rowsBottom = std::min(bottom, node.bottom);
            if (left < node.left) AddDirty(left, rowsTop, node.left, rowsBottom);
            if (right > node.right) AddDirty(node.right, rowsTop, right, rowsBottom);
            if (top < node.top) AddDirty(left, top, right, node.top);
            if (bottom > node.bottom) AddDirty(left, node.bottom, right, bottom);
            return 1;
        }
        previous = n;
        n = node.next;
    }
    InsertDirty(left, top, right, bottom);
    return 1;
}

void mDirector::InsertDirty(int left, int top, int right, int bottom)
{
    // Sorted by top, then left; the sentinel ends every walk.
    int previous = 0;
    for (int n = dirty_[0].next; n != 0; n = dirty_[std::size_t(n)].next) {
        const Node& node = dirty_[std::size_t(n)];
        if (node.top > top || (node.top == top && node.left >= left)) break;
        previous = n;
    }
    const int slot = inUse_++;
    dirty_[std::size_t(slot)] = {left, top, right, bottom, dirty_[std::size_t(previous)].next};
    dirty_[std::size_t(previous)].next = slot;
}

std::vector<mRect> mDirector::DirtyRects() const
{
    std::vector<mRect> rects;
    if (dirty_.empty()) return rects;
    for (int n = dirty_[0].next; n != 0; n = dirty_[std::size_t(n)].next) {
        const Node& node = dirty_[std::size_t(n)];
        rects.push_back({node.left, node.top, node.right, node.bottom});
    }
    return rects;
}

std::uint32_t mDirector::Tick()
{
    StepElements();
    Collide();
    Compose();
    Flush();
    return nextDelay_;
}

void mDirector::StepElements()
{
    if (!head_) return;
    const std::uint32_t now = clock_.Milliseconds();
    bool anyTimed = false;
    std::uint32_t soonest = 0;
    mElement* element = head_;
    do {
        // Stepping may reorder the ring; the next one is taken first.
        mElement* following = element->next;
        const bool last = following == head_;
        if (element->delay != 0) {
            std::uint32_t elapsed = now - element->lastStep;
            if (elapsed >= element->delay) {
                element->Step(elapsed - element->delay);
                element->lastStep = now;
                elapsed = 0;
            }
            const std::uint32_t remaining = element->delay > elapsed ? element->delay - elapsed : 0;
            soonest = anyTimed ? std::min(soonest, remaining) : remaining;
            anyTimed = true;
        }
        if (last || !head_) break;
        element = following;
    } while (true);
    nextDelay_ = anyTimed ? soonest : 0;
}

void mDirector::Collide()
{
    ForEachElement([this](mElement* a) {
        if (a->hitMask == 0) return;
        ForEachElement([a](mElement* b) {
            if (b != a && (b->hitId & a->hitMask) != 0 && a->zHigh >= b->zLow && b->zHigh >= a->zLow &&
                Overlap(a->hitRect, b->hitRect))
                a->Hit(b);
        });
    });
}

void mDirector::Compose()
{
    if (dirty_.empty() || dirty_[0].next == 0) return;
    ForEachElement([this](mElement* element) {
        const mRect area = element->bounds;
        for (int n = dirty_[0].next; n != 0; n = dirty_[std::size_t(n)].next) {
            const Node& node = dirty_[std::size_t(n)];
            if (node.top >= area.bottom) break; // the rest lie below it
            const mRect rect{node.left, node.top, node.right, node.bottom};
            if (!Overlap(rect, area)) continue;
            const mRect part{std::max(rect.left, area.left), std::max(rect.top, area.top),
                             std::min(rect.right, area.right), std::min(rect.bottom, area.bottom)};
            element->Paint(&part, 1);
        }
    });
}

void mDirector::Flush()
{
    if (dirty_.empty() || dirty_[0].next == 0) return;
    for (int n = dirty_[0].next; n != 0; n = dirty_[std::size_t(n)].next) {
        const Node& node = dirty_[std::size_t(n)];
        // Word alignment may reach past a stage whose width is not a multiple of 4.
        const mRect rect{node.left, node.top, std::min(node.right, int(desc.width)), node.bottom};
        DrawToDC(window_, rect, rect.left, rect.top);
    }
    ResetDirtyList();
}

void mDirector::SetPalette(const std::uint32_t* entries, int first, int count)
{
    const int n = desc.colours && desc.bitCount == 8 ? 256 : 0;
    if (!entries || first < 0 || first > n || count <= 0 || n == 0) return;
    int last = std::min(first + count - 1, n - 1);
    if (!paletteMade_) {
        SetColors(entries, first, last - first + 1);
        CreateIdentityPalette();
        paletteMade_ = true;
        ForEachElement([](mElement* e) { e->PaletteChanged(); });
        return;
    }
    bool same = true;
    for (int i = first; i <= last && same; ++i)
        same = (desc.colours[i] & 0x00FFFFFF) == (entries[i - first] & 0x00FFFFFF);
    if (same) return;
    // A palette display keeps its static colours at both ends.
    const int half = std::min(window_.StaticColours(), n) / 2;
    const int skip = std::max(half - first, 0);
    const int from = first + skip;
    last = std::min(last, n - half - 1);
    if (from <= last) SetColors(entries + skip, from, last - from + 1);
    ForEachElement([](mElement* e) { e->PaletteChanged(); });
}
