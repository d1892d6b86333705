#include "platform/win32/win32_display.h"

#include "platform/win32/windows_api.h"

namespace platform::win32 {

bool Win32Display::QueryColorDepth(int* bitsPerPixel) const {
    DEVMODEA mode {};
    mode.dmSize = sizeof mode;
    if (!::EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode)) return false;
    *bitsPerPixel = static_cast<int>(mode.dmBitsPerPel);
    return true;
}

}  // namespace platform::win32
