#pragma once

#include "viewer/print/printer_settings.h"

namespace testsupport {

class FakePrinters final : public PrinterService {
public:
    std::optional<PrinterSettings> DefaultPrinter() const override { return printer; }
    std::optional<PrinterSettings> printer;
};

}  // namespace testsupport
