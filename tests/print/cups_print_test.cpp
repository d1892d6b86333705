// Prints a slide through the real viewer and a real CUPS queue (started by
// cups_print_test.sh), turns the PDF into pixels with pdftoppm and checks where the picture
// landed and that it is the slide, unchanged. Skips when not run by that script.
#include "tests/print/cups_print_fixture.h"

#include "viewer/qt/qt_print_dlg.h"
#include "viewer/res/command_ids.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QWidget>

namespace cupstest {
namespace {

TEST_F(CupsPrintTest, DefaultOffset) {
    PrintAndCheck(CPrintDlg::kDefaultOffset);
    const CVarnelleDoc& doc = *shell_->ActiveDocument();
    EXPECT_EQ(doc.m_nPrintPixelsPerInch, 100);
    EXPECT_FLOAT_EQ(doc.m_fPrintLeftPad, 0.36f);
    EXPECT_FLOAT_EQ(doc.m_fPrintTopPad, 0.42f);
    // The queue's quarter-inch margin is the printable origin the offsets start from.
    EXPECT_EQ(lastCaps_.physicalOffsetX, lastCaps_.pixelsPerInchX / 4);
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(CupsPrintTest, CenterOnPage) {
    PrintAndCheck(CPrintDlg::kCenterOnPage);
    const CVarnelleDoc& doc = *shell_->ActiveDocument();
    const float pictureWidth = static_cast<float>(doc.m_rcClient.Width()) / 100.0f;
    EXPECT_NEAR(doc.m_fPrintLeftPad, (8.5f - pictureWidth) * 0.5f - 0.25f, 1e-3);
}

TEST_F(CupsPrintTest, FitToPage) {
    PrintAndCheck(CPrintDlg::kFitToPage);
    // The client area is wider in proportion than the printable area: it spans its width.
    const CVarnelleDoc& doc = *shell_->ActiveDocument();
    const float printableWidth = static_cast<float>(lastCaps_.printableWidthMm * 56.69 / 1440);
    ASSERT_GT(static_cast<float>(doc.m_rcClient.Width()) / doc.m_rcClient.Height(), printableWidth / 10.5f);
    EXPECT_EQ(doc.m_nPrintPixelsPerInch, static_cast<int>(doc.m_rcClient.Width() / printableWidth) + 1);
    EXPECT_FLOAT_EQ(doc.m_fPrintLeftPad, 0.0f);
}

TEST_F(CupsPrintTest, CancelAndPreviewSendNoPage) {
    const int before = CompletedJobs();
    RunWithDialogs(cmd::ID_FILE_PRINT, {ClickInPrintDlg({CPrintDlg::IDC_PLACEMENT_FIRST + CPrintDlg::kUpperLeft,
                                                         CPrintDlg::IDCANCEL})});
    // Cancel kept the placement it had chosen.
    EXPECT_FLOAT_EQ(shell_->ActiveDocument()->m_fPrintLeftPad, 0.0f);

    RunWithDialogs(cmd::ID_FILE_PRINT, {ClickInPrintDlg({CPrintDlg::IDC_PREVIEW}), Reject("QPrintPreviewDialog")});
    RunWithDialogs(cmd::ID_FILE_PRINT_PREVIEW, {Reject("QPrintPreviewDialog")});
    // The system's Print dialog cancelled after the program's: no job either.
    RunWithDialogs(cmd::ID_FILE_PRINT, {ClickInPrintDlg({CPrintDlg::IDOK}), Reject("QPrintDialog")});
    // Each job is in the scheduler by the time the command returns, so none came.
    EXPECT_FALSE(JobsPending());
    EXPECT_EQ(CompletedJobs(), before);
    EXPECT_EQ(Shell("test -e '" + device_ + "' && echo yes"), "");
}

TEST_F(CupsPrintTest, PrintSetupIsTheSystemsDialogAndSetsTheApplicationsPrinter) {
    ASSERT_FALSE(app_->Printer());
    QString title, ok;
    RunWithDialogs(cmd::ID_FILE_PRINT_SETUP, {[&](QWidget* w) {
                       title = w->windowTitle();
                       if (auto* box = w->findChild<QDialogButtonBox*>()) ok = box->button(QDialogButtonBox::Ok)->text();
                       static_cast<QDialog*>(w)->accept();
                   }});
    EXPECT_EQ(title, "Print Setup");
    EXPECT_EQ(ok, "OK");
    ASSERT_TRUE(app_->Printer());
    EXPECT_EQ(app_->Printer()->names.device, "VarnelleTestPdf");
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_FALSE(JobsPending());
}

}  // namespace
}  // namespace cupstest
