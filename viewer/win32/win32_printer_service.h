#pragma once

#include "viewer/print/printer_settings.h"

// The system's default printer, through the print spooler.
class Win32PrinterService final : public PrinterService {
public:
    std::optional<PrinterSettings> DefaultPrinter() const override;
};
