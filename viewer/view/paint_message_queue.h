#pragma once

#include "platform/messages.h"

#include <functional>
#include <vector>

// Holds back message boxes raised during a paint: a modal box inside a paint lets the
// window paint again, which would raise the box again. Boxes asked for while holding are
// shown, in order, from the event loop once the paint is over; they all have a single OK
// button, so the answer given meanwhile is that button's.
class PaintMessageQueue final : public platform::MessageSink {
public:
    using Post = std::function<void(std::function<void()>)>;
    // `post` runs a function later from the event loop.
    PaintMessageQueue(platform::MessageSink& target, Post post) : target_(target), post_(std::move(post)) {}

    platform::MessageAnswer Show(const platform::Message& message) override;
    void BeginHold() { ++holding_; }
    void EndHold();

private:
    void ShowHeld();

    platform::MessageSink& target_;
    Post post_;
    int holding_ = 0;
    std::vector<platform::Message> held_;
};
