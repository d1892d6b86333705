#include "platform/win32/win32_display.h"
#include "platform/win32/win32_drives.h"
#include "platform/win32/win32_file_operations.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_message_sink.h"
#include "platform/win32/win32_process.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell_links.h"
#include "platform/win32/win32_system_info.h"
#include "setup/win32/setup_dlg.h"

// The composition root: the Win32 services under the installer's core and its dialogs.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);

    platform::win32::Win32FileSystem files;
    platform::win32::Win32FileOperations operations;
    platform::win32::Win32Drives drives;
    platform::win32::Win32SystemInfo system;
    platform::win32::Win32Registry registry;
    platform::win32::Win32ShellLinks links;
    platform::win32::Win32MessageSink messages;
    platform::win32::Win32Display display;
    setup::SetupServices core{files, operations, drives, system, registry, links, messages, display};
    platform::win32::Win32ProcessReplacer process;
    setup::win32::SetupWin32Services services{core, process, instance};

    return setup::win32::CSetupApp(services).Run();
}
