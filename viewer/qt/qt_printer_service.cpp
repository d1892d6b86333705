#include "viewer/qt/qt_printer_service.h"

#include "viewer/qt/qt_paper.h"

#include <QPageLayout>
#include <QPrinterInfo>

std::optional<PrinterSettings> QtPrinterService::DefaultPrinter() const {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return std::nullopt;
    PrinterSettings settings;
    settings.names.device = info.printerName().toStdString();
    settings.names.driver = info.makeAndModel().toStdString();
    settings.mode.deviceName = settings.names.device;
    settings.mode.orientation = info.defaultPageSize().rect(QPageSize::Point).width() >
                                        info.defaultPageSize().rect(QPageSize::Point).height()
                                    ? PrintOrientation::Landscape
                                    : PrintOrientation::Portrait;
    settings.mode.paper = PaperOf(info.defaultPageSize());
    return settings;
}
