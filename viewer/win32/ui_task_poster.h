#pragma once

#include <windows.h>

#include <functional>

// Runs tasks handed over from any thread on the thread that made the poster, from its
// message loop: each is posted to a message-only window of that thread. Tasks still queued
// when the poster goes are freed without running; nothing may post while it goes.
class UiTaskPoster final {
public:
    UiTaskPoster();
    ~UiTaskPoster();
    UiTaskPoster(const UiTaskPoster&) = delete;
    UiTaskPoster& operator=(const UiTaskPoster&) = delete;

    // Safe from any thread; a task the system cannot queue is dropped.
    void Post(std::function<void()> task) const;
    HWND Handle() const { return window_; }

private:
    HWND window_ = nullptr;
};
