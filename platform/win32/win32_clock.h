#pragma once

#include "platform/win32/backend_guard.h"
#include "platform/clock.h"

namespace platform::win32 {

// Local time from GetLocalTime; the monotonic milliseconds are the multimedia timer's.
class Win32Clock final : public Clock {
public:
    LocalTime Now() const override;
    std::uint32_t MonotonicMilliseconds() const override;
    std::int64_t SecondsSinceEpoch() const override;
};

}  // namespace platform::win32
