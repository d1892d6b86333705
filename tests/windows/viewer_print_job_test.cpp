// A print job through Wine's printer of the private CUPS queue that viewer_print_test.sh
// starts, both dialogs answered as they come up; the script checks the printed PDF. Where
// Wine offers no such printer the job is skipped with its reason.
#include "tests/windows/print_test_env.h"

#include "viewer/win32/print/win32_print_preview.h"
#include "viewer/win32/print/win32_printer.h"
#include "viewer/win32/win32_printer_service.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using printtest::Pixel;
using printtest::Pump;

// Presses OK in each dialog of this thread as it comes up, noting whether it was the
// program's Print dialog (it has the preview button) or the system's.
std::vector<std::string> g_answered;

BOOL CALLBACK AnswerDialog(HWND hwnd, LPARAM) {
    char name[16] = {};
    GetClassNameA(hwnd, name, sizeof name);
    if (std::string(name) != "#32770" || !IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd)) return TRUE;
    g_answered.push_back(GetDlgItem(hwnd, CPrintDlg::IDC_PREVIEW) ? "program" : "system");
    PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return FALSE;
}

void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD) { EnumThreadWindows(GetCurrentThreadId(), AnswerDialog, 0); }

class CupsPrintTest : public printtest::PrintTest {
protected:
    void SetUp() override {
        const char* queue = std::getenv("VARNELLE_PRINT_QUEUE");
        if (!queue) GTEST_SKIP() << "no private CUPS queue: viewer_print_test.sh starts one where cupsd can run";
        printer = Win32PrinterService().DefaultPrinter();
        if (!printer || printer->names.device != queue)
            GTEST_SKIP() << "Wine does not offer the CUPS queue " << queue << " as its default printer";
        env.printers.printer = printer;
        env.doc.m_hDevNames = printer->names;
        env.doc.m_hDevMode = printer->mode;
        g_answered.clear();
        timer = SetTimer(nullptr, 0, 50, OnTick);
    }
    void TearDown() override {
        if (timer) KillTimer(nullptr, timer);
    }
    std::optional<PrinterSettings> printer;
    UINT_PTR timer = 0;
};

TEST_F(CupsPrintTest, PrintSendsThePageThroughBothDialogsToTheQueue) {
    printing.OnFilePrint();
    EXPECT_EQ(g_answered, (std::vector<std::string>{"program", "system"}));
    EXPECT_TRUE(env.messages.shown.empty()) << env.messages.shown[0].text;
    // The Print dialog closed on "Center on page": the 8 x 5 in client area on Letter's
    // 8 x 10.5 in printable area.
    EXPECT_FLOAT_EQ(env.doc.m_fPrintLeftPad, 0.0f);
    EXPECT_FLOAT_EQ(env.doc.m_fPrintTopPad, 2.75f);
    // The system dialog's printer is the application's from now on.
    const std::optional<PrinterSettings> chosen = env.app.GetPrinterDeviceDefaults();
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->names.device, printer->names.device);
    // The spooler's own name for the queue's paper, with its size.
    EXPECT_FALSE(chosen->mode.paper.name.empty());
    EXPECT_NEAR(chosen->mode.paper.widthMm, 215.9, 0.1);
    EXPECT_NEAR(chosen->mode.paper.heightMm, 279.4, 0.1);
}

TEST_F(CupsPrintTest, PreviewShowsTheSheetWithThePictureAtItsPlace) {
    HDC dc = win32print::CreatePrinterDC(*printer);
    ASSERT_NE(dc, nullptr);
    Win32PrintPreview preview(dc, [this](HDC page) { printing.DrawPage(page); });
    const PrinterCaps caps = win32print::CapsOf(dc);
    DeleteDC(dc);
    HWND hwnd = preview.Create(nullptr);
    ASSERT_NE(hwnd, nullptr);
    SetWindowPos(hwnd, nullptr, 0, 0, 640, 800, SWP_NOZORDER);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Pump();
    const PreviewLayout layout = preview.Layout();
    const Rect& p = layout.printable;
    ASSERT_GT(p.Width(), 0);
    // Letter's 0.25 in margins on its scale; the picture 0.36 + 2.4 in right of the
    // printable origin and 0.42 + 1.3 in below it, 3.2 x 2.4 in.
    const double perInch = static_cast<double>(layout.paper.Width()) * caps.pixelsPerInchX / caps.physicalWidth;
    EXPECT_NEAR(p.left - layout.paper.left, 0.25 * perInch, 1.0);
    const int x0 = p.left + static_cast<int>(2.76 * perInch), y0 = p.top + static_cast<int>(1.72 * perInch);
    const int x1 = p.left + static_cast<int>(5.96 * perInch), y1 = p.top + static_cast<int>(4.12 * perInch);
    EXPECT_EQ(Pixel(hwnd, x0 + 2, y0 + 2), 0x0AC80Au);
    EXPECT_EQ(Pixel(hwnd, x1 - 2, y1 - 2), 0x0AC80Au);
    EXPECT_EQ(Pixel(hwnd, x0 - 3, y0 + 2), 0xFFFFFFu);  // the composition's white
    EXPECT_EQ(Pixel(hwnd, x0 + 2, y1 + 3), 0xFFFFFFu);
    SendMessageA(hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(preview.Handle(), nullptr);
}

TEST_F(CupsPrintTest, PrinterRecordSetsOrientationAndPaperOfTheDeviceAndComesBack) {
    // The queue's Letter at the driver's resolution: 8.5 x 11 in.
    const auto inches = [](int pixels, int dpi) { return static_cast<double>(pixels) / dpi; };
    HDC dc = win32print::CreatePrinterDC(*printer);
    ASSERT_NE(dc, nullptr);
    PrinterCaps caps = win32print::CapsOf(dc);
    DeleteDC(dc);
    EXPECT_NEAR(inches(caps.physicalWidth, caps.pixelsPerInchX), 8.5, 0.01);
    EXPECT_NEAR(inches(caps.physicalOffsetX, caps.pixelsPerInchX), 0.25, 0.01);

    PrinterSettings a4 = *printer;
    a4.mode.orientation = PrintOrientation::Landscape;
    a4.mode.paper = {"A4", 210, 297};
    dc = win32print::CreatePrinterDC(a4);
    ASSERT_NE(dc, nullptr);
    caps = win32print::CapsOf(dc);
    DeleteDC(dc);
    EXPECT_NEAR(inches(caps.physicalWidth, caps.pixelsPerInchX), 297 / 25.4, 0.01);
    EXPECT_NEAR(inches(caps.physicalHeight, caps.pixelsPerInchY), 210 / 25.4, 0.01);

    // Through the blocks a system dialog starts on and returns.
    HGLOBAL names = win32print::GlobalDevNames(a4), mode = win32print::GlobalDevMode(a4);
    ASSERT_NE(mode, nullptr);
    const PrinterSettings back = win32print::SettingsOf(names, mode);
    GlobalFree(names);
    GlobalFree(mode);
    EXPECT_EQ(back.names, a4.names);
    EXPECT_EQ(back.mode.deviceName, a4.names.device);
    EXPECT_EQ(back.mode.orientation, PrintOrientation::Landscape);
    EXPECT_EQ(back.mode.paper.name, "A4");
    EXPECT_NEAR(back.mode.paper.widthMm, 210, 0.1);
}

}  // namespace
