#pragma once

#include "viewer/document/geometry.h"

#include <array>

// Placement rectangles in page coordinates, clipped against the visible part of the page.
// The view uses item 0 for the slide picture.
class CViewRectTable {
public:
    static constexpr int kItems = 1000;

    void Reset();
    // Both the page and the visible rectangle are non-empty.
    bool IsReady() const;
    // The part of item i inside the visible rectangle, in window coordinates; empty when
    // not ready or i is out of range.
    Rect ClipToWindow(int i) const;
    // The same part relative to the item's own top-left corner.
    Rect VisiblePartLocal(int i) const;

    void SetItem(int i, const Rect& rect);
    void SetPage(const Rect& rect) { page_ = rect; }
    void SetVisible(const Rect& rect) { visible_ = rect; }
    int Count() const { return count_; }

private:
    bool Usable(int i) const { return IsReady() && i >= 0 && i < kItems; }

    int count_ = kItems;
    std::array<Rect, kItems> items_{};
    Rect page_;
    Rect visible_;
};
