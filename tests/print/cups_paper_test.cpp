// The paper chosen in the system's print dialog, from Print Setup or from the Print dialog's
// "Printer...", is the paper of the sketch, of the placements and of the printed page.
#include "tests/print/cups_print_fixture.h"

#include "viewer/qt/qt_print_dlg.h"
#include "viewer/res/command_ids.h"

#include <cmath>

namespace cupstest {
namespace {

// What the queue's PPD says of a sheet with its quarter-inch margins, and where "Fit to page"
// puts a client area of `w` × `h` pixels on it: the size in inches and the resolution.
struct FittedPage {
    double paperWidth = 0;
    double printableWidth = 0;
    double fittedWidth = 0;
    int pixelsPerInch = 0;
};

FittedPage FitOn(const Paper& paper, int w, int h) {
    // The printable area as the printer reports it: whole millimetres, then twips.
    const auto printable = [](double pt) {
        return std::trunc(std::round((pt - 36) / 72 * 25.4) * 56.69) / 1440;
    };
    FittedPage page;
    page.paperWidth = paper.widthPt / 72;
    page.printableWidth = printable(paper.widthPt);
    const double printableHeight = printable(paper.heightPt);
    page.fittedWidth = std::min(page.printableWidth, static_cast<double>(w) / h * printableHeight);
    page.pixelsPerInch = static_cast<int>(w / page.fittedWidth) + 1;
    return page;
}

class CupsPaperTest : public CupsPrintTest {
protected:
    // Prints "Fit to page" with `choosePaper` answering the dialogs first, and checks the
    // sketch, the placement and the printed page against the paper.
    void PrintFittedOn(const Paper& paper, std::deque<ModalDriver::Action> actions) {
        SketchBoxes sketch;
        actions.push_back(ClickInPrintDlg({CPrintDlg::IDC_PLACEMENT_FIRST + CPrintDlg::kFitToPage, CPrintDlg::IDOK}, &sketch));
        actions.push_back(Accept("QPrintDialog"));
        PrintWith(std::move(actions));
        if (HasFatalFailure()) return;
        CheckPrintedPage(paper);

        const CVarnelleDoc& doc = *shell_->ActiveDocument();
        const FittedPage fitted = FitOn(paper, doc.m_rcClient.Width(), doc.m_rcClient.Height());
        EXPECT_EQ(lastCaps_.physicalWidth, std::lround(paper.widthPt / 72 * lastCaps_.pixelsPerInchX));
        EXPECT_EQ(lastCaps_.physicalHeight, std::lround(paper.heightPt / 72 * lastCaps_.pixelsPerInchY));
        EXPECT_EQ(doc.m_nPrintPixelsPerInch, fitted.pixelsPerInch);
        EXPECT_NEAR(doc.m_fPrintLeftPad, (fitted.printableWidth - fitted.fittedWidth) * 0.5, 1e-3);

        // The sketch: the paper in its proportions, the picture as wide on it as on paper.
        ASSERT_GT(sketch.paper.height(), 50);
        EXPECT_NEAR(static_cast<double>(sketch.paper.width()) / sketch.paper.height(), paper.widthPt / paper.heightPt,
                    2.0 / sketch.paper.height());
        EXPECT_NEAR(sketch.picture.width(), fitted.fittedWidth / fitted.paperWidth * sketch.paper.width(), 2.0);
    }
};

TEST_F(CupsPaperTest, PaperChosenInPrintSetup) {
    const char* before = kLetter.name;  // the queue's default
    for (const Paper& paper : {kA5, kA4, kLetter}) {
        SCOPED_TRACE(paper.name);
        QString shown;
        RunWithDialogs(cmd::ID_FILE_PRINT_SETUP, ChoosePaperInSystemDialog(paper.name, &shown));
        // The page setup opened on the paper the application had.
        EXPECT_EQ(shown, before);
        before = paper.name;
        // The system's Print dialog after the program's, left alone, keeps the paper too.
        PrintFittedOn(paper, {});
        if (HasFatalFailure()) return;
    }
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(CupsPaperTest, PrintSetupLeftAloneKeepsThePaper) {
    RunWithDialogs(cmd::ID_FILE_PRINT_SETUP, ChoosePaperInSystemDialog(kA5.name));
    RunWithDialogs(cmd::ID_FILE_PRINT_SETUP, {Accept("QPrintDialog")});
    // Its page setup opened and cancelled changes nothing either.
    std::deque<ModalDriver::Action> cancelled = ChoosePaperInSystemDialog(kLetter.name);
    cancelled[1] = Reject("QPrintPropertiesDialog");
    RunWithDialogs(cmd::ID_FILE_PRINT_SETUP, std::move(cancelled));
    PrintFittedOn(kA5, {});
}

TEST_F(CupsPaperTest, PaperChosenThroughThePrintDialogsPrinterButton) {
    std::deque<ModalDriver::Action> actions{ClickInPrintDlgLater(CPrintDlg::IDC_PRINTER_SETUP)};
    for (ModalDriver::Action& action : ChoosePaperInSystemDialog(kA5.name)) actions.push_back(std::move(action));
    PrintFittedOn(kA5, std::move(actions));
    EXPECT_TRUE(messages_.shown.empty());
}

}  // namespace
}  // namespace cupstest
