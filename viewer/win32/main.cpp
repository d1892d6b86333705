#include "viewer/app/varnelle_app.h"
#include "viewer/view/loader_slide_pictures.h"
#include "viewer/view/show_picture_limits.h"
#include "viewer/win32/win32_printer_service.h"
#include "viewer/win32/win32_shell.h"

#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_drives.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_folder_scan.h"
#include "platform/win32/win32_heap.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_message_sink.h"
#include "platform/win32/win32_timer_service.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// The viewer's composition root on Windows: every backend and budget is chosen here and handed down.
int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int /*show*/) {
    platform::win32::Win32FileSystem fs;
    platform::win32::Win32Clock clock;
    platform::win32::Win32Heap heap;
    platform::win32::Win32MessageSink messages;
    platform::win32::Win32Drives drives;
    platform::win32::Win32FolderScan folders;
    // Made with the view, whose ticks it delivers; outlives the shell.
    std::optional<platform::win32::Win32TimerService> viewTimers;
    Win32PrinterService printers;
    CVarnelleApp app({fs, messages, clock, printers});
    Win32Shell shell(app, {heap, [&](std::function<void(int)> onTick) -> platform::TimerService& {
                               return viewTimers.emplace(std::move(onTick));
                           },
                           drives, folders, LoaderDecoder(fs, heap), kShowPictureLimits});
    platform::win32::Win32Registry registry;
    shell.SetProfileStore(registry);
    if (!app.InitInstance(std::vector<std::string>(__argv + 1, __argv + __argc), shell)) return 1;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) shell.Dispatch(message);
    return static_cast<int>(message.wParam);
}
