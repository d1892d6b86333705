#pragma once

#include "viewer/print/printer_settings.h"

#include <optional>
#include <string>

// The framework's print information for one job.
struct PrintInfo {
    bool preview = false;
    int minPage = 1;
    int maxPage = 0xFFFF;
    int fromPage = 0;
    int toPage = 0;
    bool hasPrinterDC = false;
    int numPreviewPages = 0;
    std::string pageDescription;
};

// The print loop's side of the view: the application's printers, the program's and the
// system's print dialogs, and the commands the view hands on to the main window.
class ViewPrintHost {
public:
    virtual ~ViewPrintHost() = default;
    // The application's printer: the one chosen last, else the system's default.
    virtual std::optional<PrinterSettings> GetPrinterDeviceDefaults() = 0;
    // The framework's standard preparation (used for preview); false stops the job.
    virtual bool DoPreparePrinting(PrintInfo& info) = 0;
    // A device of the default printer for the job.
    virtual bool CreatePrinterDC(PrintInfo& info) = 0;
    // The program's Print dialog, modal: true on Print, with `preview` set when it was
    // closed by "Print Preview...".
    virtual bool RunPrintDialog(bool& preview) = 0;
    // The system's standard Print dialog: true on OK with a printer.
    virtual bool DoPrintDialog(PrintInfo& info) = 0;
    virtual int NumPreviewPages() const = 0;
    virtual void SendToMainWindow(int command) = 0;
    // The print loop and the preview, each of which asks the view to prepare first.
    virtual void OnFilePrint() = 0;
    virtual void OnFilePrintPreview() = 0;
};
