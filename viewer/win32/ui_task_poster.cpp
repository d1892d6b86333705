#include "viewer/win32/ui_task_poster.h"

#include <memory>

namespace {

constexpr char kClassName[] = "VarnelleTaskWindow";
// Its lParam owns the task.
constexpr UINT kRunTask = WM_APP;

using Task = std::function<void()>;

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kRunTask) return DefWindowProcA(window, message, wParam, lParam);
    const std::unique_ptr<Task> task(reinterpret_cast<Task*>(lParam));
    (*task)();
    return 0;
}

bool RegisterTaskWindowClass() {
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = Procedure;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kClassName;
        return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    return registered;
}

}  // namespace

UiTaskPoster::UiTaskPoster() {
    if (RegisterTaskWindowClass())
        window_ = CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr),
                                  nullptr);
}

UiTaskPoster::~UiTaskPoster() {
    if (!window_) return;
    MSG message;
    while (PeekMessageA(&message, window_, kRunTask, kRunTask, PM_REMOVE)) delete reinterpret_cast<Task*>(message.lParam);
    DestroyWindow(window_);
}

void UiTaskPoster::Post(std::function<void()> task) const {
    auto* owned = new Task(std::move(task));
    if (!window_ || !PostMessageA(window_, kRunTask, 0, reinterpret_cast<LPARAM>(owned))) delete owned;
}
