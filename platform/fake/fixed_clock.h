#pragma once

#include "platform/clock.h"

namespace platform::fake {

// A clock that says what the test set; the monotonic count advances only when told.
class FixedClock final : public Clock {
public:
    LocalTime Now() const override { return now; }
    std::uint32_t MonotonicMilliseconds() const override { return milliseconds; }

    LocalTime now;
    std::uint32_t milliseconds = 0;
};

}  // namespace platform::fake
