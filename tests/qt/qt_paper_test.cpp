// The printer record's paper on Qt's printers, where no print service lists it: the record
// keeps the sheet by name and size, and a printer is set up on it.
#include "viewer/qt/qt_paper.h"
#include "viewer/qt/qt_view_printing.h"

#include "tests/support/qt_application.h"

#include <QPrinter>
#include <QPrinterInfo>

#include <gtest/gtest.h>

namespace {

TEST(QtPaper, ARecordedPaperComesBackByItsSizeWhereThePrinterDoesNotListIt) {
    testsupport::EnsureQtApplication();
    const QPageSize a5 = PageSizeFor({"A5", 148, 210}, QPrinterInfo());
    ASSERT_TRUE(a5.isValid());
    EXPECT_EQ(a5.id(), QPageSize::A5);
    EXPECT_EQ(PaperOf(a5), (PaperSize{"A5", 148, 210}));

    const QPageSize custom = PageSizeFor({"Custom.100x150mm", 100, 150}, QPrinterInfo());
    ASSERT_TRUE(custom.isValid());
    EXPECT_NEAR(custom.size(QPageSize::Millimeter).width(), 100, 0.01);
    EXPECT_NEAR(custom.size(QPageSize::Millimeter).height(), 150, 0.01);

    // No paper named and no printer to ask for its default: nothing to set.
    EXPECT_FALSE(PageSizeFor({}, QPrinterInfo()).isValid());
    EXPECT_FALSE(PageSizeFor({"A5", 0, 0}, QPrinterInfo()).isValid());
}

TEST(QtPaper, APrinterSetUpFromARecordGivesTheSameRecordBack) {
    testsupport::EnsureQtApplication();
    PrinterSettings settings;
    settings.mode.orientation = PrintOrientation::Landscape;
    settings.mode.paper = {"A5", 148, 210};
    QPrinter printer(QPrinter::HighResolution);
    QtViewPrinting::UsePrinter(printer, settings);
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A5);
    const PrinterSettings back = QtViewPrinting::SettingsOf(printer);
    EXPECT_EQ(back.mode.paper, settings.mode.paper);
    EXPECT_EQ(back.mode.orientation, PrintOrientation::Landscape);
    // The device pixels the Print dialog works from are those of an A5 sheet on its side,
    // to the whole point Qt rounds a sheet to.
    const PrinterCaps caps = QtViewPrinting::CapsOf(printer);
    EXPECT_NEAR(caps.physicalWidth, 210 / 25.4 * caps.pixelsPerInchX, caps.pixelsPerInchX / 72.0);
    EXPECT_NEAR(caps.physicalHeight, 148 / 25.4 * caps.pixelsPerInchY, caps.pixelsPerInchY / 72.0);
}

}  // namespace
