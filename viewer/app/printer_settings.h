#pragma once

#include <optional>
#include <string>

// The printer names and mode the viewer keeps its own copies of.
struct PrinterNames {
    std::string driver;
    std::string device;
    std::string output;
    bool operator==(const PrinterNames&) const = default;
};

enum class PrintOrientation { Portrait = 1, Landscape = 2 };

struct PrinterMode {
    std::string deviceName;
    PrintOrientation orientation = PrintOrientation::Portrait;
    bool operator==(const PrinterMode&) const = default;
};

struct PrinterSettings {
    PrinterNames names;
    PrinterMode mode;
    bool operator==(const PrinterSettings&) const = default;
};

// Asks the system for its default printer; none when there is no default printer.
class PrinterService {
public:
    virtual ~PrinterService() = default;
    virtual std::optional<PrinterSettings> DefaultPrinter() const = 0;
};
