#pragma once

#include "platform/win32/backend_guard.h"
#include "platform/timers.h"

#include <functional>

namespace platform::win32 {

// Window timers of a message-only window of the calling thread; each WM_TIMER that the
// thread's message loop dispatches calls `onTick` with the timer's id.
class Win32TimerService final : public TimerService {
public:
    explicit Win32TimerService(std::function<void(int id)> onTick);
    ~Win32TimerService() override;
    Win32TimerService(const Win32TimerService&) = delete;
    Win32TimerService& operator=(const Win32TimerService&) = delete;

    // False when the window could not be made or the system refuses the timer.
    bool SetTimer(int id, std::uint32_t periodMilliseconds) override;
    void KillTimer(int id) override;

    // Called by the window for each of its timer messages.
    void Tick(int id) const { onTick_(id); }

private:
    std::function<void(int)> onTick_;
    void* window_ = nullptr;
};

}  // namespace platform::win32
