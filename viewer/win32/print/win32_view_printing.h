#pragma once

#include "viewer/print/print_dlg.h"
#include "viewer/print/view_printing.h"

#include <windows.h>

#include <functional>
#include <optional>

class CVarnelleApp;
class CVarnelleView;
class DocumentProvider;

namespace platform {
class MessageSink;
}

// The view's print loop and preview on the Windows print path: the program's Print dialog,
// the system's Print and Print Setup dialogs, the job on a printer device context, all on
// the application's printer.
class Win32ViewPrinting final : public ViewPrintHost, public PrintDlgHost {
public:
    // `sendCommand` sends a command to the main window; `owner` is the main window.
    Win32ViewPrinting(CVarnelleApp& app, DocumentProvider& documents, CVarnelleView& view,
                      platform::MessageSink& messages, HWND owner, std::function<void(int)> sendCommand);
    ~Win32ViewPrinting() override;
    Win32ViewPrinting(const Win32ViewPrinting&) = delete;
    Win32ViewPrinting& operator=(const Win32ViewPrinting&) = delete;

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

    // The system's Print Setup dialog: the printer it leaves becomes the application's.
    void ShowPrintSetup();
    // The page on a device context whose device pixels count from the printable origin:
    // the view's printer mapping for the context's pixels per inch, then the view's paint.
    void DrawPage(HDC dc);

private:
    // The system's Print dialog (or Print Setup with PD_PRINTSETUP) on the application's
    // printer; on OK the printer chosen becomes the application's. `dc` takes the job's
    // device context when asked for.
    bool RunSystemDialog(DWORD flags, HDC* dc);
    void UseDC(HDC dc);
    HWND Owner() const;

    CVarnelleApp& app_;
    DocumentProvider& documents_;
    CVarnelleView& view_;
    platform::MessageSink& messages_;
    HWND owner_;
    std::function<void(int)> sendCommand_;
    // The job's printer device context.
    HDC dc_ = nullptr;
};
