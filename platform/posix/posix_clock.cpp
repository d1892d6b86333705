#include "platform/posix/posix_clock.h"

#include <ctime>

namespace platform::posix {

LocalTime PosixClock::Now() const {
    timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    tm parts {};
    ::localtime_r(&now.tv_sec, &parts);
    LocalTime t;
    t.year = parts.tm_year + 1900;
    t.month = parts.tm_mon + 1;
    t.day = parts.tm_mday;
    t.hour = parts.tm_hour;
    t.minute = parts.tm_min;
    t.second = parts.tm_sec;
    t.millisecond = static_cast<int>(now.tv_nsec / 1000000);
    return t;
}

std::uint32_t PosixClock::MonotonicMilliseconds() const {
    timespec now {};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint32_t>(static_cast<unsigned long long>(now.tv_sec) * 1000u +
                                      static_cast<unsigned long long>(now.tv_nsec) / 1000000u);
}

std::int64_t PosixClock::SecondsSinceEpoch() const { return static_cast<std::int64_t>(::time(nullptr)); }

}  // namespace platform::posix
