#pragma once

#include "viewer/qt/face_guard.h"
#include "viewer/print/print_dlg.h"
#include "viewer/print/view_printing.h"

#include <functional>
#include <memory>
#include <optional>

class CVarnelleApp;
class CVarnelleView;
class DocumentProvider;
class QPrinter;
class QWidget;

namespace platform {
class MessageSink;
}

// The view's print loop and preview on Qt's print support: the program's Print dialog,
// the system's Print dialog, the job and the preview, all on the application's printer.
class QtViewPrinting final : public ViewPrintHost, public PrintDlgHost {
public:
    // `sendCommand` sends a command to the main window.
    QtViewPrinting(CVarnelleApp& app, DocumentProvider& documents, CVarnelleView& view, platform::MessageSink& messages,
                   QWidget* parent, std::function<void(int)> sendCommand);
    ~QtViewPrinting() override;

    std::optional<PrinterSettings> GetPrinterDeviceDefaults() override;
    bool DoPreparePrinting(PrintInfo& info) override;
    bool CreatePrinterDC(PrintInfo& info) override;
    bool RunPrintDialog(bool& preview) override;
    bool DoPrintDialog(PrintInfo& info) override;
    int NumPreviewPages() const override { return 0; }
    void SendToMainWindow(int command) override;
    void OnFilePrint() override;
    void OnFilePrintPreview() override;

    std::optional<PrinterCaps> CreatePrinterDC() override;
    void SendPrintSetup() override;

    // The printed page: the printer mapping of the view, then the view's paint.
    void PaintPage(QPrinter& printer);

    // The printer and its device capabilities as the dialogs see them.
    static PrinterSettings SettingsOf(const QPrinter& printer);
    static PrinterCaps CapsOf(const QPrinter& printer);
    // The printer by name with the record's orientation and paper, margins at the printable area.
    static void UsePrinter(QPrinter& printer, const PrinterSettings& settings);
    static void UsePrintableArea(QPrinter& printer);

private:
    QPrinter& Printer();

    CVarnelleApp& app_;
    DocumentProvider& documents_;
    CVarnelleView& view_;
    platform::MessageSink& messages_;
    QWidget* parent_;
    std::function<void(int)> sendCommand_;
    std::unique_ptr<QPrinter> printer_;
};
