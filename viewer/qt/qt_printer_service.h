#pragma once

#include "viewer/qt/face_guard.h"
#include "viewer/print/printer_settings.h"

// The default printer as Qt's printer information reports it.
class QtPrinterService final : public PrinterService {
public:
    std::optional<PrinterSettings> DefaultPrinter() const override;
};
