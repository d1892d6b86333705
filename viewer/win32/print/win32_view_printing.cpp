#include "viewer/win32/print/win32_view_printing.h"

#include "platform/messages.h"
#include "viewer/app/varnelle_app.h"
#include "viewer/document/varnelle_doc.h"
#include "viewer/res/command_ids.h"
#include "viewer/res/texts.h"
#include "viewer/view/varnelle_view.h"
#include "viewer/win32/print/gdi_printer_canvas.h"
#include "viewer/win32/print/win32_print_dlg.h"
#include "viewer/win32/print/win32_print_preview.h"
#include "viewer/win32/print/win32_printer.h"

#include <commdlg.h>

Win32ViewPrinting::Win32ViewPrinting(CVarnelleApp& app, DocumentProvider& documents, CVarnelleView& view,
                                     platform::MessageSink& messages, HWND owner, std::function<void(int)> sendCommand)
    : app_(app),
      documents_(documents),
      view_(view),
      messages_(messages),
      owner_(owner),
      sendCommand_(std::move(sendCommand)) {}

Win32ViewPrinting::~Win32ViewPrinting() { UseDC(nullptr); }

void Win32ViewPrinting::UseDC(HDC dc) {
    if (dc_) DeleteDC(dc_);
    dc_ = dc;
}

HWND Win32ViewPrinting::Owner() const {
    // Over the program's Print dialog while it is up, else over the main window.
    const HWND active = GetActiveWindow();
    return active ? active : owner_;
}

std::optional<PrinterSettings> Win32ViewPrinting::GetPrinterDeviceDefaults() { return app_.GetPrinterDeviceDefaults(); }

std::optional<PrinterCaps> Win32ViewPrinting::CreatePrinterDC() {
    const std::optional<PrinterSettings> settings = app_.GetPrinterDeviceDefaults();
    if (!settings) return std::nullopt;
    HDC dc = win32print::CreatePrinterDC(*settings);
    if (!dc) return std::nullopt;
    const PrinterCaps caps = win32print::CapsOf(dc);
    DeleteDC(dc);
    return caps;
}

void Win32ViewPrinting::SendPrintSetup() { SendToMainWindow(cmd::ID_FILE_PRINT_SETUP); }

void Win32ViewPrinting::SendToMainWindow(int command) {
    if (sendCommand_) sendCommand_(command);
}

bool Win32ViewPrinting::CreatePrinterDC(PrintInfo& info) {
    const std::optional<PrinterSettings> settings = app_.GetPrinterDeviceDefaults();
    UseDC(settings ? win32print::CreatePrinterDC(*settings) : nullptr);
    info.hasPrinterDC = dc_ != nullptr;
    return info.hasPrinterDC;
}

bool Win32ViewPrinting::RunSystemDialog(DWORD flags, HDC* dc) {
    PRINTDLGA pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = Owner();
    if (const std::optional<PrinterSettings> current = app_.GetPrinterDeviceDefaults()) {
        pd.hDevNames = win32print::GlobalDevNames(*current);
        pd.hDevMode = win32print::GlobalDevMode(*current);
    }
    pd.Flags = flags | (dc ? PD_RETURNDC : 0);
    // One page, as the job has.
    pd.nMinPage = pd.nMaxPage = pd.nFromPage = pd.nToPage = 1;
    const bool ok = PrintDlgA(&pd) != FALSE;
    if (ok) app_.SelectPrinter(win32print::SettingsOf(pd.hDevNames, pd.hDevMode));
    if (dc) *dc = ok ? pd.hDC : nullptr;
    else if (pd.hDC) DeleteDC(pd.hDC);
    if (pd.hDevNames) GlobalFree(pd.hDevNames);
    if (pd.hDevMode) GlobalFree(pd.hDevMode);
    return ok;
}

void Win32ViewPrinting::ShowPrintSetup() { RunSystemDialog(PD_PRINTSETUP, nullptr); }

bool Win32ViewPrinting::DoPrintDialog(PrintInfo& info) {
    HDC dc = nullptr;
    if (!RunSystemDialog(PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE, &dc)) return false;
    UseDC(dc);
    info.hasPrinterDC = dc_ != nullptr;
    return info.hasPrinterDC;
}

bool Win32ViewPrinting::DoPreparePrinting(PrintInfo& info) {
    if (CreatePrinterDC(info)) return true;
    // No printer yet: let the user choose one, as the framework does.
    HDC dc = nullptr;
    if (!RunSystemDialog(PD_NOSELECTION | PD_NOPAGENUMS, &dc) || !dc) return false;
    UseDC(dc);
    info.hasPrinterDC = true;
    return true;
}

bool Win32ViewPrinting::RunPrintDialog(bool& preview) {
    CVarnelleDoc* doc = documents_.ActiveDocument();
    if (!doc) return false;
    CPrintDlg dlg(*doc, app_, *this, messages_);
    Win32PrintDlg window(dlg);
    const bool ok = window.Run(owner_) == IDOK;
    preview = dlg.m_bPreview != 0;
    return ok;
}

void Win32ViewPrinting::DrawPage(HDC dc) {
    const int saved = SaveDC(dc);
    win32print::ApplyMapping(dc, view_.OnPrepareDC(GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY)));
    GdiPrinterCanvas canvas(dc);
    view_.OnPrint(canvas);
    RestoreDC(dc, saved);
}

void Win32ViewPrinting::OnFilePrint() {
    PrintInfo info;
    if (!view_.OnPreparePrinting(info) || !dc_) return;
    DOCINFOA job{};
    job.cbSize = sizeof job;
    job.lpszDocName = texts::kAppTitle;
    if (StartDocA(dc_, &job) <= 0) {
        messages_.Show(platform::Warning(texts::kPrintFailed));
        return;
    }
    const bool drawn = StartPage(dc_) > 0 && (DrawPage(dc_), EndPage(dc_) > 0);
    if (!drawn) {
        AbortDoc(dc_);
        messages_.Show(platform::Warning(texts::kPrintFailed));
        return;
    }
    if (EndDoc(dc_) <= 0) messages_.Show(platform::Warning(texts::kPrintFailed));
}

void Win32ViewPrinting::OnFilePrintPreview() {
    PrintInfo info;
    info.preview = true;
    if (!view_.OnPreparePrinting(info) || !dc_) return;
    Win32PrintPreview preview(dc_, [this](HDC dc) { DrawPage(dc); });
    preview.Run(owner_);
}
