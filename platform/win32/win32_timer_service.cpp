#include "platform/win32/win32_timer_service.h"

#include "platform/win32/windows_api.h"

#include <algorithm>

namespace platform::win32 {
namespace {

constexpr const char* kWindowClass = "VarnelleTimerWindow";

LRESULT CALLBACK TimerWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
        const LONG_PTR owner = ::GetWindowLongPtrA(window, GWLP_USERDATA);
        if (const auto* service = reinterpret_cast<const Win32TimerService*>(owner))
            service->Tick(static_cast<int>(wParam));
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterTimerWindowClass() {
    WNDCLASSA windowClass {};
    windowClass.lpfnWndProc = TimerWindowProcedure;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kWindowClass;
    return ::RegisterClassA(&windowClass) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

Win32TimerService::Win32TimerService(std::function<void(int id)> onTick) : onTick_(std::move(onTick)) {
    if (!RegisterTimerWindowClass()) return;
    const HWND window = ::CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                          ::GetModuleHandleA(nullptr), nullptr);
    if (!window) return;
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    window_ = window;
}

Win32TimerService::~Win32TimerService() {
    if (window_) ::DestroyWindow(static_cast<HWND>(window_));
}

bool Win32TimerService::SetTimer(int id, std::uint32_t periodMilliseconds) {
    if (!window_) return false;
    const UINT period = std::max(periodMilliseconds, kMinTimerPeriodMilliseconds);
    return ::SetTimer(static_cast<HWND>(window_), static_cast<UINT_PTR>(id), period, nullptr) != 0;
}

void Win32TimerService::KillTimer(int id) {
    if (window_) ::KillTimer(static_cast<HWND>(window_), static_cast<UINT_PTR>(id));
}

}  // namespace platform::win32
