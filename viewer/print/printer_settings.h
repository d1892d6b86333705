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

// A sheet by the print system's name for it ("A4", "Letter"), with its portrait size for a
// printer that does not know the name. No name: the printer's own default paper.
struct PaperSize {
    std::string name;
    double widthMm = 0;
    double heightMm = 0;
    bool operator==(const PaperSize&) const = default;
};

struct PrinterMode {
    std::string deviceName;
    PrintOrientation orientation = PrintOrientation::Portrait;
    PaperSize paper;
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
