#include "platform/win32/win32_clock.h"

#include "platform/win32/windows_api.h"
#include <mmsystem.h>

#include <ctime>

namespace platform::win32 {

LocalTime Win32Clock::Now() const {
    SYSTEMTIME now {};
    ::GetLocalTime(&now);
    LocalTime t;
    t.year = now.wYear;
    t.month = now.wMonth;
    t.day = now.wDay;
    t.hour = now.wHour;
    t.minute = now.wMinute;
    t.second = now.wSecond;
    t.millisecond = now.wMilliseconds;
    return t;
}

std::uint32_t Win32Clock::MonotonicMilliseconds() const { return ::timeGetTime(); }

std::int64_t Win32Clock::SecondsSinceEpoch() const { return static_cast<std::int64_t>(::time(nullptr)); }

}  // namespace platform::win32
