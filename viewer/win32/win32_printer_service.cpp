#include "viewer/win32/win32_printer_service.h"

#include <windows.h>
#include <winspool.h>

std::optional<PrinterSettings> Win32PrinterService::DefaultPrinter() const {
    DWORD size = 0;
    GetDefaultPrinterA(nullptr, &size);
    if (size == 0) return std::nullopt;
    std::string name(size, '\0');
    if (!GetDefaultPrinterA(name.data(), &size)) return std::nullopt;
    name.resize(size > 0 ? size - 1 : 0);  // the count includes the terminating zero
    PrinterSettings settings;
    settings.names = {"winspool", name, ""};
    settings.mode.deviceName = name;
    return settings;
}
