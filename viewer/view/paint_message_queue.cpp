#include "viewer/view/paint_message_queue.h"

platform::MessageAnswer PaintMessageQueue::Show(const platform::Message& message) {
    if (holding_ == 0) return target_.Show(message);
    held_.push_back(message);
    return platform::MessageAnswer::Ok;
}

void PaintMessageQueue::EndHold() {
    if (holding_ > 0) --holding_;
    if (holding_ == 0 && !held_.empty()) post_([this] { ShowHeld(); });
}

void PaintMessageQueue::ShowHeld() {
    std::vector<platform::Message> boxes;
    boxes.swap(held_);
    for (const auto& box : boxes) target_.Show(box);
}
