#include "viewer/qt/qt_view_printing.h"

#include "gui_common/text_bytes.h"
#include "platform/messages.h"
#include "viewer/app/varnelle_app.h"
#include "viewer/document/varnelle_doc.h"
#include "viewer/qt/qt_paper.h"
#include "viewer/qt/qt_print_dlg.h"
#include "viewer/res/command_ids.h"
#include "viewer/res/texts.h"
#include "viewer/qt/qt_printer_canvas.h"
#include "viewer/view/varnelle_view.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

QtViewPrinting::QtViewPrinting(CVarnelleApp& app, DocumentProvider& documents, CVarnelleView& view,
                               platform::MessageSink& messages, QWidget* parent, std::function<void(int)> sendCommand)
    : app_(app),
      documents_(documents),
      view_(view),
      messages_(messages),
      parent_(parent),
      sendCommand_(std::move(sendCommand)) {}

QtViewPrinting::~QtViewPrinting() = default;

QPrinter& QtViewPrinting::Printer() {
    // Made on the first print command: a printer asks the print system for its default,
    // which has no place on the way to the first frame.
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

PrinterSettings QtViewPrinting::SettingsOf(const QPrinter& printer) {
    PrinterSettings settings;
    settings.names.device = gui::ToBytes(printer.printerName());
    settings.mode.deviceName = settings.names.device;
    settings.mode.orientation = printer.pageLayout().orientation() == QPageLayout::Landscape
                                    ? PrintOrientation::Landscape
                                    : PrintOrientation::Portrait;
    settings.mode.paper = PaperOf(printer.pageLayout().pageSize());
    return settings;
}

void QtViewPrinting::UsePrinter(QPrinter& printer, const PrinterSettings& settings) {
    const QString name = gui::FromBytes(settings.names.device);
    printer.setPrinterName(name);
    printer.setPageOrientation(settings.mode.orientation == PrintOrientation::Landscape ? QPageLayout::Landscape
                                                                                         : QPageLayout::Portrait);
    // A new QPrinter starts on the locale's paper whatever the printer holds: take the
    // record's paper, or the printer's own default paper as a printer device context does.
    const QPageSize paper = PageSizeFor(settings.mode.paper, QPrinterInfo::printerInfo(name));
    if (paper.isValid()) printer.setPageSize(paper);
    UsePrintableArea(printer);
}

void QtViewPrinting::UsePrintableArea(QPrinter& printer) {
    // Device pixels then count from the printable area's origin, the paint rectangle being
    // all the printer can reach.
    const QPageLayout layout = printer.pageLayout();
    printer.setPageMargins(layout.minimumMargins(), layout.units());
}

PrinterCaps QtViewPrinting::CapsOf(const QPrinter& printer) {
    PrinterCaps caps;
    const int dpi = printer.resolution();
    const QPageLayout layout = printer.pageLayout();
    const QRect full = layout.fullRectPixels(dpi);
    const QRect paint = layout.paintRectPixels(dpi);
    caps.physicalWidth = full.width();
    caps.physicalHeight = full.height();
    caps.physicalOffsetX = paint.left();
    caps.physicalOffsetY = paint.top();
    caps.pixelsPerInchX = caps.pixelsPerInchY = dpi;
    const QRectF mm = layout.paintRect(QPageLayout::Millimeter);
    caps.printableWidthMm = qRound(mm.width());
    caps.printableHeightMm = qRound(mm.height());
    return caps;
}

std::optional<PrinterSettings> QtViewPrinting::GetPrinterDeviceDefaults() { return app_.GetPrinterDeviceDefaults(); }

std::optional<PrinterCaps> QtViewPrinting::CreatePrinterDC() {
    const std::optional<PrinterSettings> settings = app_.GetPrinterDeviceDefaults();
    if (!settings) return std::nullopt;
    QPrinter printer(QPrinter::HighResolution);
    UsePrinter(printer, *settings);
    if (!printer.isValid()) return std::nullopt;
    return CapsOf(printer);
}

void QtViewPrinting::SendPrintSetup() { SendToMainWindow(cmd::ID_FILE_PRINT_SETUP); }

void QtViewPrinting::SendToMainWindow(int command) {
    if (sendCommand_) sendCommand_(command);
}

bool QtViewPrinting::CreatePrinterDC(PrintInfo& info) {
    const std::optional<PrinterSettings> settings = app_.GetPrinterDeviceDefaults();
    if (!settings) return false;
    UsePrinter(Printer(), *settings);
    info.hasPrinterDC = Printer().isValid();
    return info.hasPrinterDC;
}

bool QtViewPrinting::DoPrintDialog(PrintInfo& info) {
    // The job prints on the application's printer as the Print dialog last left it.
    if (const std::optional<PrinterSettings> settings = app_.GetPrinterDeviceDefaults()) UsePrinter(Printer(), *settings);
    QPrintDialog dialog(&Printer(), parent_);
    dialog.setMinMax(info.minPage, info.maxPage);
    dialog.setFromTo(info.fromPage, info.toPage);
    if (ExecKeepingPaper(dialog) != QDialog::Accepted) return false;
    UsePrintableArea(Printer());
    info.hasPrinterDC = Printer().isValid();
    if (info.hasPrinterDC) app_.SelectPrinter(SettingsOf(Printer()));
    return info.hasPrinterDC;
}

bool QtViewPrinting::DoPreparePrinting(PrintInfo& info) {
    if (!CreatePrinterDC(info)) {
        // No printer yet: let the user choose one, as the framework does.
        QPrintDialog dialog(&Printer(), parent_);
        if (ExecKeepingPaper(dialog) != QDialog::Accepted || !Printer().isValid()) return false;
        UsePrintableArea(Printer());
        app_.SelectPrinter(SettingsOf(Printer()));
        info.hasPrinterDC = true;
    }
    return true;
}

bool QtViewPrinting::RunPrintDialog(bool& preview) {
    CVarnelleDoc* doc = documents_.ActiveDocument();
    if (!doc) return false;
    CPrintDlg dlg(*doc, app_, *this, messages_);
    QtPrintDlg window(dlg, parent_);
    const bool ok = window.exec() == QDialog::Accepted;
    preview = dlg.m_bPreview != 0;
    return ok;
}

void QtViewPrinting::PaintPage(QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        messages_.Show(platform::Warning(texts::kPrintFailed));
        return;
    }
    const PrintMapping m = view_.OnPrepareDC(printer.logicalDpiX(), printer.logicalDpiY());
    const double sx = static_cast<double>(m.viewportExtentX) / m.windowExtent;
    const double sy = static_cast<double>(m.viewportExtentY) / m.windowExtent;
    painter.setTransform(QTransform(sx, 0, 0, sy, -m.windowOrigin.x * sx, -m.windowOrigin.y * sy));
    QtPrinterCanvas canvas(painter);
    view_.OnPrint(canvas);
    painter.end();
}

void QtViewPrinting::OnFilePrint() {
    PrintInfo info;
    if (!view_.OnPreparePrinting(info)) return;
    PaintPage(Printer());
}

void QtViewPrinting::OnFilePrintPreview() {
    PrintInfo info;
    info.preview = true;
    if (!view_.OnPreparePrinting(info)) return;
    QPrintPreviewDialog preview(&Printer(), parent_);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, [this](QPrinter* printer) { PaintPage(*printer); });
    preview.exec();
}
