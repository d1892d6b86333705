#pragma once

#include "platform/fake/backend_guard.h"
#include "platform/clock.h"

namespace platform::fake {

// A clock that says what the test set; the monotonic count advances only when told.
class FixedClock final : public Clock {
public:
    LocalTime Now() const override { return now; }
    std::uint32_t MonotonicMilliseconds() const override { return milliseconds; }
    std::int64_t SecondsSinceEpoch() const override { return epochSeconds; }

    LocalTime now;
    std::uint32_t milliseconds = 0;
    std::int64_t epochSeconds = 0;
};

}  // namespace platform::fake
