#pragma once

#include "viewer/qt/face_guard.h"
#include "viewer/print/printer_settings.h"

#include <future>

// The default printer as Qt's printer information reports it.
class QtPrinterService final : public PrinterService {
public:
    // Asks for the default printer on another thread; the next DefaultPrinter() takes that
    // answer. The print system takes milliseconds to answer, which the first document would
    // otherwise wait for on the way to the first frame. Call once the application object exists.
    void StartDefaultPrinterQuery();
    std::optional<PrinterSettings> DefaultPrinter() const override;

private:
    mutable std::future<std::optional<PrinterSettings>> pending_;
};
