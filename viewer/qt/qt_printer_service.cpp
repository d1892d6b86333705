#include "viewer/qt/qt_printer_service.h"

#include "gui_common/text_bytes.h"
#include "viewer/qt/qt_paper.h"

#include <QPageLayout>
#include <QPrinterInfo>

std::optional<PrinterSettings> QtPrinterService::DefaultPrinter() const {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return std::nullopt;
    PrinterSettings settings;
    settings.names.device = gui::ToBytes(info.printerName());
    settings.names.driver = gui::ToBytes(info.makeAndModel());
    settings.mode.deviceName = settings.names.device;
    settings.mode.orientation = info.defaultPageSize().rect(QPageSize::Point).width() >
                                        info.defaultPageSize().rect(QPageSize::Point).height()
                                    ? PrintOrientation::Landscape
                                    : PrintOrientation::Portrait;
    settings.mode.paper = PaperOf(info.defaultPageSize());
    return settings;
}
