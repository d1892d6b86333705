#include "viewer/view/view_rect_table.h"

#include <algorithm>

namespace {

bool IsEmpty(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }

}  // namespace

void CViewRectTable::Reset() {
    count_ = kItems;
    items_.fill(Rect{});
    page_ = {};
    visible_ = {};
}

bool CViewRectTable::IsReady() const { return !IsEmpty(page_) && !IsEmpty(visible_); }

void CViewRectTable::SetItem(int i, const Rect& rect) {
    if (i >= 0 && i < kItems) items_[static_cast<std::size_t>(i)] = rect;
}

Rect CViewRectTable::ClipToWindow(int i) const {
    if (!Usable(i)) return {};
    const Rect& item = items_[static_cast<std::size_t>(i)];
    return {std::max(item.left, visible_.left) - visible_.left, std::max(item.top, visible_.top) - visible_.top,
            std::min(item.right, visible_.right) - visible_.left, std::min(item.bottom, visible_.bottom) - visible_.top};
}

Rect CViewRectTable::VisiblePartLocal(int i) const {
    if (!Usable(i)) return {};
    const Rect& item = items_[static_cast<std::size_t>(i)];
    return {std::max(item.left, visible_.left) - item.left, std::max(item.top, visible_.top) - item.top,
            std::min(item.right, visible_.right) - item.left, std::min(item.bottom, visible_.bottom) - item.top};
}
