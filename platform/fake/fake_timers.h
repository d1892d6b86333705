#pragma once

#include "platform/fake/backend_guard.h"
#include "platform/timers.h"

#include <map>

namespace platform::fake {

// Remembers which timers run with which period; a test fires ticks itself and can make
// the next requests fail.
class FakeTimers final : public TimerService {
public:
    bool SetTimer(int id, std::uint32_t periodMilliseconds) override {
        if (refuse) return false;
        running[id] = periodMilliseconds;
        return true;
    }
    void KillTimer(int id) override { running.erase(id); }

    bool IsRunning(int id) const { return running.count(id) != 0; }
    std::uint32_t Period(int id) const { return IsRunning(id) ? running.at(id) : 0; }

    std::map<int, std::uint32_t> running;
    bool refuse = false;
};

}  // namespace platform::fake
