#include "viewer/view/view_print_job.h"

#include "platform/messages.h"
#include "viewer/document/varnelle_doc.h"
#include "viewer/res/command_ids.h"
#include "viewer/res/texts.h"

bool ViewPrintJob::Prepare(PrintInfo& info, bool hasDocument) {
    info.minPage = info.maxPage = 1;
    if (!host_ || !hasDocument) return false;
    if (info.preview) return host_->DoPreparePrinting(info);
    if (!host_->GetPrinterDeviceDefaults()) {
        messages_.Show(platform::Warning(texts::kNoDefaultPrinter));
        return false;
    }
    if (info.maxPage < info.minPage) info.maxPage = info.minPage;
    if (!info.hasPrinterDC) host_->CreatePrinterDC(info);
    info.fromPage = info.minPage;
    info.toPage = info.maxPage;
    bool preview = false;
    if (!host_->RunPrintDialog(preview)) return false;
    if (preview) {
        // This job ends here; the preview starts instead and prints nothing by itself.
        host_->SendToMainWindow(cmd::ID_FILE_PRINT_PREVIEW);
        return false;
    }
    info.fromPage = info.minPage;
    info.toPage = info.maxPage;
    if (!host_->DoPrintDialog(info) || !info.hasPrinterDC) return false;
    info.numPreviewPages = host_->NumPreviewPages();
    info.pageDescription = texts::kPageDescription;
    return true;
}

PrintMapping ViewPrintJob::MapFor(const CVarnelleDoc* doc, int printerDpiX, int printerDpiY) {
    if (!doc) return MapForPrinter(kFallbackPixelsPerInch, 0.0f, 0.0f, printerDpiX, printerDpiY);
    return MapForPrinter(doc->m_nPrintPixelsPerInch, doc->m_fPrintLeftPad, doc->m_fPrintTopPad, printerDpiX,
                         printerDpiY);
}
