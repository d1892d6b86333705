// The Print dialog of the resource script over the core's dialog logic, on real windows.
#include "tests/windows/print_test_env.h"

#include "viewer/res/texts.h"
#include "viewer/win32/print/win32_print_dlg.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using printtest::Pixel;
using printtest::Pump;

// Letter at 1440 dpi with 0.25 in margins all round (its millimetres as whole numbers).
class LetterHost final : public PrintDlgHost {
public:
    std::optional<PrinterCaps> CreatePrinterDC() override { return PrinterCaps{12240, 15840, 360, 360, 1440, 1440, 203, 266}; }
    void SendPrintSetup() override { ++setups; }
    int setups = 0;
};

class PrintDlgWindowTest : public printtest::PrintTest {
protected:
    PrintDlgWindowTest() {
        env.doc.m_hDevMode = PrinterMode{"Office Laser", PrintOrientation::Landscape, {}};
        env.doc.m_rcClient = {0, 0, 600, 400};
        hwnd = window.Create(nullptr);
        ShowWindow(hwnd, SW_SHOW);
        UpdateWindow(hwnd);
        Pump();
    }
    // A control's place as the template's dialog units make it: origin and size each mapped.
    RECT DialogUnits(int x, int y, int w, int h) const {
        RECT r{x, y, w, h};
        MapDialogRect(hwnd, &r);
        return {r.left, r.top, r.left + r.right, r.top + r.bottom};
    }
    RECT ControlRect(int id) const {
        RECT r{};
        GetWindowRect(GetDlgItem(hwnd, id), &r);
        MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    std::string Text(int id) const {
        char text[128] = {};
        GetDlgItemTextA(hwnd, id, text, sizeof text);
        return text;
    }
    bool Enabled(int id) const { return IsWindowEnabled(GetDlgItem(hwnd, id)) != FALSE; }

    LetterHost host;
    CPrintDlg dlg{env.doc, env.app, host, env.messages};
    Win32PrintDlg window{dlg};
    HWND hwnd = nullptr;
};

bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST_F(PrintDlgWindowTest, TemplateHasTheControlsAtTheirDialogUnitsWithTheirTexts) {
    ASSERT_NE(hwnd, nullptr);
    char caption[64] = {};
    GetWindowTextA(hwnd, caption, sizeof caption);
    EXPECT_STREQ(caption, texts::kPrintDlgCaption);
    RECT client{};
    GetClientRect(hwnd, &client);
    EXPECT_TRUE(client == DialogUnits(0, 0, 289, 166));
    struct Place {
        int id, x, y, w, h;
        const char* text;
    };
    const Place places[] = {
        {IDOK, 137, 143, 50, 14, texts::kPrintButton},
        {IDCANCEL, 7, 143, 50, 14, texts::kCancelButton},
        {CPrintDlg::IDC_PIXELS_LABEL, 19, 107, 38, 8, texts::kPixelsPerInchLabel},
        {CPrintDlg::IDC_PIXELS_PER_INCH, 59, 104, 21, 13, nullptr},
        {CPrintDlg::IDC_LEFT_PAD, 54, 60, 28, 13, nullptr},
        {CPrintDlg::IDC_TOP_PAD, 54, 82, 28, 13, nullptr},
        {CPrintDlg::IDC_PRINTER_NAME, 13, 20, 194, 8, "Office Laser"},
        {CPrintDlg::IDC_PRINTER_SETUP, 213, 17, 58, 14, texts::kPrinterSetupButton},
        {CPrintDlg::IDC_ORIENTATION_GROUP, 200, 45, 82, 45, texts::kOrientationGroup},
        {CPrintDlg::IDC_PORTRAIT, 215, 58, 42, 11, texts::kPortrait},
        {CPrintDlg::IDC_LANDSCAPE, 215, 72, 51, 10, texts::kLandscape},
        {1356, 107, 58, 58, 10, texts::kPlacementTexts[0]},
        {1357, 107, 71, 65, 10, texts::kPlacementTexts[1]},
        {1358, 107, 84, 49, 10, texts::kPlacementTexts[2]},
        {1359, 107, 97, 73, 10, texts::kPlacementTexts[3]},
        {1360, 107, 110, 59, 10, texts::kPlacementTexts[4]},
        {CPrintDlg::IDC_PREVIEW, 67, 143, 58, 14, texts::kPrintPreviewButton},
    };
    for (const Place& p : places) {
        SCOPED_TRACE(p.id);
        EXPECT_TRUE(ControlRect(p.id) == DialogUnits(p.x, p.y, p.w, p.h));
        if (p.text) {
            EXPECT_EQ(Text(p.id), p.text);
        }
    }
    EXPECT_EQ(GetWindowLongA(GetDlgItem(hwnd, IDOK), GWL_STYLE) & 0xF, BS_DEFPUSHBUTTON);
    // Without an owner it opens in the middle of the work area.
    RECT work{}, frame{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(hwnd, &frame);
    EXPECT_NEAR(frame.left + frame.right, work.left + work.right, 1);
    EXPECT_NEAR(frame.top + frame.bottom, work.top + work.bottom, 1);
    EXPECT_EQ(SendDlgItemMessageA(hwnd, CPrintDlg::IDC_PIXELS_PER_INCH, EM_GETLIMITTEXT, 0, 0), 4);
}

TEST_F(PrintDlgWindowTest, OpensCentredWithTheDocumentsOrientationAndDrawsTheSketch) {
    EXPECT_EQ(IsDlgButtonChecked(hwnd, 1357), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(hwnd, CPrintDlg::IDC_LANDSCAPE), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(hwnd, CPrintDlg::IDC_PORTRAIT), BST_UNCHECKED);
    // 600 x 400 at 100 per inch on 8.5 x 11 in: 1.0 and 3.25 from the printable origin.
    EXPECT_EQ(Text(CPrintDlg::IDC_LEFT_PAD), "1.25");
    EXPECT_EQ(Text(CPrintDlg::IDC_TOP_PAD), "3.5");
    EXPECT_EQ(Text(CPrintDlg::IDC_PIXELS_PER_INCH), "100");
    EXPECT_FALSE(Enabled(CPrintDlg::IDC_LEFT_PAD));
    EXPECT_TRUE(Enabled(CPrintDlg::IDC_PIXELS_PER_INCH));
    EXPECT_TRUE(env.messages.shown.empty());

    // The sketch lies below the orientation group, inside the Print button's bottom.
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const RECT group = ControlRect(CPrintDlg::IDC_ORIENTATION_GROUP), print = ControlRect(IDOK);
    EXPECT_EQ(dlg.m_rcPreview, (Rect{group.left - 6, group.bottom + 4, group.right + 6, print.bottom + 6}));
    const PrintSketch sketch = dlg.Sketch({group.left, group.top, group.right, group.bottom},
                                          {print.left, print.top, print.right, print.bottom});
    const Rect& pic = sketch.picture;
    EXPECT_EQ(Pixel(hwnd, (pic.left + pic.right) / 2, (pic.top + pic.bottom) / 2), 0x00FF00u);
    EXPECT_EQ(Pixel(hwnd, pic.left, pic.top), 0x00C800u);
    EXPECT_EQ(Pixel(hwnd, sketch.paper.left, sketch.paper.top), 0x000000u);
    EXPECT_EQ(Pixel(hwnd, sketch.paper.left + 1, sketch.paper.top + 1), 0xF5F5F5u);
    EXPECT_EQ(Pixel(hwnd, sketch.printable.left + 1, sketch.printable.top + 1), 0xFFFFFFu);
}

TEST_F(PrintDlgWindowTest, CustomOffsetTakesTypedPadsWithoutRewritingThemUnderTheCaret) {
    SendDlgItemMessageA(hwnd, 1360, BM_CLICK, 0, 0);
    EXPECT_EQ(IsDlgButtonChecked(hwnd, 1360), BST_CHECKED);
    EXPECT_TRUE(Enabled(CPrintDlg::IDC_LEFT_PAD));
    EXPECT_TRUE(Enabled(CPrintDlg::IDC_TOP_PAD));
    // Typed text raises the change notification: "2." reads as 2, so it stays as typed.
    SetDlgItemTextA(hwnd, CPrintDlg::IDC_LEFT_PAD, "2.");
    EXPECT_EQ(Text(CPrintDlg::IDC_LEFT_PAD), "2.");
    EXPECT_FLOAT_EQ(dlg.m_fLeft, 1.75f);
    SetDlgItemTextA(hwnd, CPrintDlg::IDC_TOP_PAD, "0.5");
    EXPECT_FLOAT_EQ(dlg.m_fTop, 0.25f);
    // A resolution with a letter is refused and put back.
    SetDlgItemTextA(hwnd, CPrintDlg::IDC_PIXELS_PER_INCH, "1x");
    EXPECT_EQ(Text(CPrintDlg::IDC_PIXELS_PER_INCH), "100");
    ASSERT_EQ(env.messages.shown.size(), 1u);
    EXPECT_EQ(env.messages.shown[0].text, texts::kInvalidInputValue);

    // Cancel keeps the placement in the document and closes the window.
    SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_FLOAT_EQ(env.doc.m_fPrintLeftPad, 1.75f);
    EXPECT_FLOAT_EQ(env.doc.m_fPrintTopPad, 0.25f);
}

TEST_F(PrintDlgWindowTest, PreviewButtonClosesWithOkAndAsksForThePreview) {
    SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(CPrintDlg::IDC_PREVIEW, BN_CLICKED), 0);
    EXPECT_EQ(dlg.m_bPreview, 1);
    EXPECT_FALSE(IsWindow(hwnd));
}

}  // namespace
