#pragma once

#include <cstdint>

namespace platform {

// The smallest period a window timer runs at; shorter ones are raised to it, as the system
// does for its own timers.
inline constexpr std::uint32_t kMinTimerPeriodMilliseconds = 10;

// Periodic window timers, identified by small numbers the owner picks. A tick arrives on
// the user-interface thread through whatever the owner connected when it made the service.
class TimerService {
public:
    virtual ~TimerService() = default;
    // Starts or restarts timer `id` with the period; false when the system refuses it.
    virtual bool SetTimer(int id, std::uint32_t periodMilliseconds) = 0;
    virtual void KillTimer(int id) = 0;
};

}  // namespace platform
