#pragma once

#include "platform/posix/backend_guard.h"
#include "platform/clock.h"

namespace platform::posix {

class PosixClock final : public Clock {
public:
    LocalTime Now() const override;
    std::uint32_t MonotonicMilliseconds() const override;
    std::int64_t SecondsSinceEpoch() const override;
};

}  // namespace platform::posix
