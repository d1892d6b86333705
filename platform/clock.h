#pragma once

#include <cstdint>

namespace platform {

struct LocalTime {
    int year = 1970;        // e.g. 2026
    int month = 1;          // 1..12
    int day = 1;            // 1..31
    int hour = 0;           // 0..23
    int minute = 0;         // 0..59
    int second = 0;         // 0..59
    int millisecond = 0;    // 0..999
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalTime Now() const = 0;
    // Milliseconds from an arbitrary start; never goes back.
    virtual std::uint32_t MonotonicMilliseconds() const = 0;
    // Seconds since 1970-01-01 00:00 UTC, as the runtime's time() gives them.
    virtual std::int64_t SecondsSinceEpoch() const = 0;
};

}  // namespace platform
