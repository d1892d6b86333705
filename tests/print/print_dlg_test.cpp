#include "viewer/print/print_dlg.h"

#include "viewer/print/print_geometry.h"

#include "tests/support/view_test_env.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// 8.5 × 11 in paper with 0.25 in unprintable margins all round, in twips.
constexpr PrinterMetrics kLetter{360, 360, 12240, 15840, 11520, 15120};

// Controls as plain values; records enabling, closing and sketch redraws.
class FakeDlgWindow final : public PrintDlgWindow {
public:
    PrintDlgControls ReadControls() const override { return controls; }
    void WriteControls(const PrintDlgControls& c) override {
        controls = c;
        ++writes;
    }
    void EnableControl(int id, bool enable) override { enabled[id] = enable; }
    void SetPrinterName(const std::string& name) override { printerName = name; }
    void RedrawSketch() override { ++redraws; }
    void EndDialog(int result) override { ended = result; }

    PrintDlgControls controls;
    std::map<int, bool> enabled;
    std::string printerName = "?";
    int writes = 0;
    int redraws = 0;
    int ended = 0;
};

// A printer whose caps give the metrics the test sets; counts print-setup requests.
class FakeDlgHost final : public PrintDlgHost {
public:
    std::optional<PrinterCaps> CreatePrinterDC() override {
        ++dcRequests;
        return caps;
    }
    void SendPrintSetup() override {
        ++setups;
        if (setupGivesPrinter) caps = setupGivesPrinter;
    }
    std::optional<PrinterCaps> caps;
    std::optional<PrinterCaps> setupGivesPrinter;
    int dcRequests = 0;
    int setups = 0;
};

// Caps of a 1440-dpi device whose printable area in millimetres gives kLetter's twips
// as closely as whole millimetres allow.
PrinterCaps LetterCaps() {
    PrinterCaps caps;
    caps.pixelsPerInchX = caps.pixelsPerInchY = 1440;
    caps.physicalWidth = 12240;
    caps.physicalHeight = 15840;
    caps.physicalOffsetX = caps.physicalOffsetY = 360;
    caps.printableWidthMm = 203;
    caps.printableHeightMm = 267;
    return caps;
}

class PrintDlgTest : public ::testing::Test {
protected:
    PrintDlgTest() {
        env.doc.m_rcClient = {0, 0, 600, 400};
        env.doc.m_hDevNames = PrinterNames{"drv", "Office", "lp0"};
        env.doc.m_hDevMode = PrinterMode{"Office", PrintOrientation::Portrait, {}};
        env.printers.printer = PrinterSettings{*env.doc.m_hDevNames, *env.doc.m_hDevMode};
        host.caps = LetterCaps();
        dlg.Attach(window);
    }

    // Opens the dialog, then puts the exact letter metrics in place and re-places.
    void OpenOnLetter(int placement) {
        dlg.OnInitDialog();
        dlg.m_metrics = kLetter;
        window.controls.placement = placement;
        dlg.UpdatePlacement();
    }

    testsupport::DocumentEnv env;
    FakeDlgWindow window;
    FakeDlgHost host;
    CPrintDlg dlg{env.doc, env.app, host, env.messages};
};

TEST(PrintGeometry, CapsBecomeTwips) {
    PrinterCaps caps;
    caps.pixelsPerInchX = 600;
    caps.pixelsPerInchY = 300;
    caps.physicalWidth = 5100;  // 8.5 in
    caps.physicalHeight = 3300;  // 11 in at 300
    caps.physicalOffsetX = 151;  // 362.4 twips, rounded down
    caps.physicalOffsetY = 76;  // 364.8 twips, rounded up
    caps.printableWidthMm = 203;
    caps.printableHeightMm = 266;
    const PrinterMetrics m = MetricsInTwips(caps);
    EXPECT_EQ(m.pageWidth, 12240);
    EXPECT_EQ(m.pageHeight, 15840);
    EXPECT_EQ(m.physicalOffsetX, 362);
    EXPECT_EQ(m.physicalOffsetY, 365);
    EXPECT_EQ(m.printableWidth, 11508);  // 203 × 56.69 = 11508.07
    EXPECT_EQ(m.printableHeight, 15079);  // 266 × 56.69 = 15079.54

    // A device without a resolution reads as nothing rather than dividing by zero.
    caps.pixelsPerInchX = caps.pixelsPerInchY = 0;
    const PrinterMetrics none = MetricsInTwips(caps);
    EXPECT_EQ(none.pageWidth, 0);
    EXPECT_EQ(none.physicalOffsetY, 0);
}

TEST(PrintGeometry, PrinterMappingPutsOriginAtThePads) {
    // Defaults: 100 pixels per inch, 0.36 and 0.42 in from the printable origin.
    const PrintMapping m = MapForPrinter(100, 0.36f, 0.42f, 600, 300);
    EXPECT_EQ(m.windowExtent, 100);
    EXPECT_EQ(m.windowOrigin, (Point{-36, -42}));
    EXPECT_DOUBLE_EQ(m.DeviceX(0), 0.36 * 600);
    EXPECT_DOUBLE_EQ(m.DeviceY(0), 0.42 * 300);
    // A 1000 × 750 picture spans 10 × 7.5 in.
    EXPECT_DOUBLE_EQ(m.DeviceX(1000) - m.DeviceX(0), 10 * 600);
    EXPECT_DOUBLE_EQ(m.DeviceY(750) - m.DeviceY(0), 7.5 * 300);

    // Offsets truncate toward zero, negative ones too.
    EXPECT_EQ(MapForPrinter(126, -0.5f, 3.25f, 300, 300).windowOrigin, (Point{63, -409}));
}

TEST(PrintGeometry, ResolutionBelowOneMapsAtTheDefault) {
    for (const int p : {0, -5}) {
        const PrintMapping m = MapForPrinter(p, 1.0f, 1.0f, 300, 300);
        EXPECT_EQ(m.windowExtent, kFallbackPixelsPerInch);
        EXPECT_EQ(m.windowOrigin, (Point{-100, -100}));
    }
}

TEST(PrintGeometry, SketchRectangles) {
    // A 100 × 200 area holds letter paper by its height: 154 wide, so by its width.
    const PrintSketch s = SketchRects({10, 20, 110, 220}, kLetter, 1.0f, 3.25f, 600, 400, 100);
    // width 100, height 100 / (12240 / 15840) = 129.41; centred vertically.
    EXPECT_EQ(s.paper, (Rect{10, 55, 110, 184}));
    const double scale = 129.0 / 15840;
    EXPECT_EQ(s.printable.left, 10 + static_cast<int>(360 * scale));
    EXPECT_EQ(s.printable.top, 55 + static_cast<int>(360 * scale));
    EXPECT_EQ(s.printable.Width(), static_cast<int>(11520 * scale));
    EXPECT_EQ(s.printable.Height(), static_cast<int>(15120 * scale));
    EXPECT_EQ(s.picture.left, s.printable.left + static_cast<int>(1.0 * scale * 1440));
    EXPECT_EQ(s.picture.top, s.printable.top + static_cast<int>(3.25 * scale * 1440));
    EXPECT_EQ(s.picture.Width(), static_cast<int>(6.0 * scale * 1440));
    EXPECT_EQ(s.picture.Height(), static_cast<int>(4.0 * scale * 1440));

    // A wide area holds the paper by its height.
    const PrintSketch wide = SketchRects({0, 0, 400, 100}, kLetter, 0, 0, 600, 400, 100);
    EXPECT_EQ(wide.paper.Height(), 100);
    EXPECT_EQ(wide.paper.left, static_cast<int>((400 - 100 * 12240.0 / 15840) * 0.5));

    // No printer: everything collapses onto the corner; no resolution: no picture.
    const PrintSketch none = SketchRects({5, 6, 50, 60}, PrinterMetrics{}, 1, 1, 600, 400, 100);
    EXPECT_EQ(none.paper, (Rect{5, 6, 5, 6}));
    EXPECT_EQ(none.picture, (Rect{5, 6, 5, 6}));
    EXPECT_EQ(SketchRects({0, 0, 100, 200}, kLetter, 0, 0, 600, 400, 0).picture.Width(), 0);
}

TEST_F(PrintDlgTest, OpensOnTheDocumentsValuesCentred) {
    dlg.OnInitDialog();
    EXPECT_EQ(dlg.m_nPlacement, CPrintDlg::kCenterOnPage);
    EXPECT_EQ(dlg.m_nOrientation, 0);
    EXPECT_EQ(window.printerName, "Office");
    EXPECT_EQ(window.controls.pixelsPerInch, "100");
    EXPECT_FLOAT_EQ(dlg.m_fInitialLeft, 0.36f);
    EXPECT_FLOAT_EQ(dlg.m_fInitialTop, 0.42f);
    EXPECT_FALSE(window.enabled[CPrintDlg::IDC_LEFT_PAD]);
    EXPECT_TRUE(window.enabled[CPrintDlg::IDC_PIXELS_PER_INCH]);
    EXPECT_GT(window.redraws, 0);

    dlg.m_nOrientation = -1;
    env.doc.m_hDevMode->orientation = PrintOrientation::Landscape;
    CPrintDlg landscape{env.doc, env.app, host, env.messages};
    landscape.Attach(window);
    landscape.OnInitDialog();
    EXPECT_EQ(landscape.m_nOrientation, 1);
}

TEST_F(PrintDlgTest, EditNotificationsBeforeInitialisationLeaveNoTrace) {
    window.controls = {0, CPrintDlg::kCustomOffset, "7", "5", "5"};
    dlg.OnChangeLeftPad();
    dlg.OnChangeTopPad();
    dlg.OnChangePixelsPerInch();
    EXPECT_EQ(dlg.m_nPixelsPerInch, 0);
    EXPECT_FLOAT_EQ(dlg.m_fLeft, 0.0f);
    EXPECT_TRUE(env.messages.shown.empty());
    EXPECT_EQ(window.writes, 0);
}

TEST_F(PrintDlgTest, CenterOnPage) {
    OpenOnLetter(CPrintDlg::kCenterOnPage);
    EXPECT_FLOAT_EQ(dlg.m_fLeft, 1.0f);
    EXPECT_FLOAT_EQ(dlg.m_fTop, 3.25f);
    EXPECT_EQ(window.controls.leftPad, "1.25");
    EXPECT_EQ(window.controls.topPad, "3.5");
}

TEST_F(PrintDlgTest, FitToPage) {
    env.doc.m_rcClient = {0, 0, 1000, 500};
    dlg.OnInitDialog();
    dlg.m_metrics = {0, 0, 12240, 15840, 8 * 1440, 15120};  // 8 × 10.5 in printable
    window.controls.placement = CPrintDlg::kFitToPage;
    dlg.UpdatePlacement();
    EXPECT_EQ(dlg.m_nPixelsPerInch, 126);
    EXPECT_EQ(window.controls.pixelsPerInch, "126");
    EXPECT_FLOAT_EQ(dlg.m_fLeft, 0.0f);
    EXPECT_FLOAT_EQ(dlg.m_fTop, 3.25f);
    EXPECT_FALSE(window.enabled[CPrintDlg::IDC_LEFT_PAD]);
    EXPECT_FALSE(window.enabled[CPrintDlg::IDC_TOP_PAD]);
    EXPECT_FALSE(window.enabled[CPrintDlg::IDC_PIXELS_PER_INCH]);

    // A tall picture is held by the printable height instead.
    env.doc.m_rcClient = {0, 0, 400, 1050};
    dlg.UpdatePlacement();
    EXPECT_EQ(dlg.m_nPixelsPerInch, 101);  // 400 / 4 + 1
    EXPECT_FLOAT_EQ(dlg.m_fLeft, 2.0f);
    EXPECT_FLOAT_EQ(dlg.m_fTop, 0.0f);

    // Nothing to fit (no printer, or an empty window): resolution and offsets stay.
    dlg.m_metrics = {};
    dlg.UpdatePlacement();
    EXPECT_EQ(dlg.m_nPixelsPerInch, 101);
    EXPECT_FLOAT_EQ(dlg.m_fLeft, 2.0f);
}

TEST_F(PrintDlgTest, DefaultUpperLeftAndCustomOffsets) {
    OpenOnLetter(CPrintDlg::kUpperLeft);
    EXPECT_FLOAT_EQ(dlg.m_fLeft, 0.0f);
    EXPECT_FLOAT_EQ(dlg.m_fTop, 0.0f);
    EXPECT_EQ(window.controls.leftPad, "0.25");

    window.controls.placement = CPrintDlg::kDefaultOffset;
    dlg.UpdatePlacement();
    EXPECT_FLOAT_EQ(dlg.m_fLeft, 0.36f);
    EXPECT_FLOAT_EQ(dlg.m_fTop, 0.42f);
    EXPECT_EQ(window.controls.leftPad, "0.61");
    EXPECT_EQ(window.controls.topPad, "0.67");

    // Under Custom offset a typed pad minus the physical offset becomes the offset ...
    window.controls.placement = CPrintDlg::kCustomOffset;
    dlg.UpdatePlacement();
    EXPECT_TRUE(window.enabled[CPrintDlg::IDC_LEFT_PAD]);
    EXPECT_TRUE(window.enabled[CPrintDlg::IDC_TOP_PAD]);
    window.controls.leftPad = "2";
    dlg.OnChangeLeftPad();
    window.controls.topPad = "1.5";
    dlg.OnChangeTopPad();
    EXPECT_FLOAT_EQ(dlg.m_fLeft, 1.75f);
    EXPECT_FLOAT_EQ(dlg.m_fTop, 1.25f);
    EXPECT_EQ(window.controls.leftPad, "2");

    // ... while any other placement recomputes it at once.
    window.controls.placement = CPrintDlg::kCenterOnPage;
    window.controls.leftPad = "5";
    dlg.OnChangeLeftPad();
    EXPECT_FLOAT_EQ(dlg.m_fLeft, 1.0f);
    EXPECT_EQ(window.controls.leftPad, "1.25");
}

TEST_F(PrintDlgTest, PadTextsTheFrameworkRefuses) {
    OpenOnLetter(CPrintDlg::kCustomOffset);
    for (const char* bad : {"", "abc", "1.5x", "-", "nan"}) {
        env.messages.shown.clear();
        window.controls.leftPad = bad;
        dlg.OnChangeLeftPad();
        ASSERT_FALSE(env.messages.shown.empty()) << bad;
        EXPECT_EQ(env.messages.shown[0].text, "Please enter a number.") << bad;
        EXPECT_EQ(env.messages.shown[0].caption, "Varnelle") << bad;
        EXPECT_FLOAT_EQ(dlg.m_fLeft, 1.0f) << bad;  // the centred offset stays, its text is put back
        EXPECT_EQ(window.controls.leftPad, "1.25") << bad;
    }
    env.messages.shown.clear();
    window.controls.topPad = "20000.5";
    dlg.OnChangeTopPad();
    EXPECT_EQ(env.messages.Texts(), std::vector<std::string>{"Please enter a number between -20000 and 20000."});
    EXPECT_EQ(env.messages.shown[0].caption, "Varnelle");
    window.controls.topPad = " 0 ";
    dlg.OnChangeTopPad();
    EXPECT_FLOAT_EQ(dlg.m_fTop, -0.25f);
}

TEST_F(PrintDlgTest, ResolutionEditTakesDigitsPointAndMinusOnly) {
    OpenOnLetter(CPrintDlg::kDefaultOffset);
    window.controls.pixelsPerInch = "2x0";
    dlg.OnChangePixelsPerInch();
    EXPECT_EQ(env.messages.Texts(), std::vector<std::string>{"Invalid input value!"});
    EXPECT_EQ(env.messages.shown[0].icon, platform::MessageIcon::Warning);
    EXPECT_EQ(dlg.m_nPixelsPerInch, 100);
    EXPECT_EQ(window.controls.pixelsPerInch, "100");

    env.messages.shown.clear();
    window.controls.pixelsPerInch = "250";
    dlg.OnChangePixelsPerInch();
    EXPECT_TRUE(env.messages.shown.empty());
    EXPECT_EQ(dlg.m_nPixelsPerInch, 250);
    // Digit by digit: '.' and '-' count as -1 at their place.
    window.controls.pixelsPerInch = "1.5";
    dlg.OnChangePixelsPerInch();
    EXPECT_EQ(dlg.m_nPixelsPerInch, 95);
    EXPECT_TRUE(env.messages.shown.empty());
}

TEST_F(PrintDlgTest, ResolutionBelowOneNeitherDividesNorPrints) {
    OpenOnLetter(CPrintDlg::kCenterOnPage);
    for (const char* text : {"", "0", "-5"}) {
        window.controls.pixelsPerInch = text;
        dlg.OnChangePixelsPerInch();
        EXPECT_LE(dlg.m_nPixelsPerInch, 0) << text;
        // The picture has no size: centring puts its corner at the page's centre.
        EXPECT_FLOAT_EQ(dlg.m_fLeft, 4.25f - 0.25f) << text;
        EXPECT_EQ(dlg.Sketch({0, 0, 100, 50}, {0, 200, 50, 220}).picture.Width(), 0);
    }
    env.messages.shown.clear();
    dlg.OnOK();
    EXPECT_EQ(env.messages.Texts(), std::vector<std::string>{"Invalid input value!"});
    EXPECT_EQ(window.ended, 0);
    dlg.OnPreview();
    EXPECT_EQ(window.ended, 0);
    EXPECT_EQ(dlg.m_bPreview, 0);
    // Offsets are kept; the document keeps its usable resolution.
    EXPECT_FLOAT_EQ(env.doc.m_fPrintLeftPad, 4.0f);
    EXPECT_EQ(env.doc.m_nPrintPixelsPerInch, 100);
}

TEST_F(PrintDlgTest, OkCancelAndPreviewStoreThePlacement) {
    OpenOnLetter(CPrintDlg::kCenterOnPage);
    dlg.OnCancel();
    EXPECT_EQ(window.ended, CPrintDlg::IDCANCEL);
    EXPECT_FLOAT_EQ(env.doc.m_fPrintLeftPad, 1.0f);
    EXPECT_FLOAT_EQ(env.doc.m_fPrintTopPad, 3.25f);

    env.doc.m_rcClient = {0, 0, 1000, 500};
    window.controls.placement = CPrintDlg::kFitToPage;
    dlg.UpdatePlacement();
    dlg.OnPreview();
    EXPECT_EQ(window.ended, CPrintDlg::IDOK);
    EXPECT_EQ(dlg.m_bPreview, 1);
    EXPECT_EQ(env.doc.m_nPrintPixelsPerInch, dlg.m_nPixelsPerInch);
    EXPECT_FLOAT_EQ(env.doc.m_fPrintLeftPad, dlg.m_fLeft);
}

TEST_F(PrintDlgTest, OrientationIsWrittenAndApplied) {
    OpenOnLetter(CPrintDlg::kCenterOnPage);
    const int requests = host.dcRequests;
    window.controls.orientation = 1;
    dlg.OnLandscape();
    EXPECT_EQ(env.doc.m_hDevMode->orientation, PrintOrientation::Landscape);
    ASSERT_TRUE(env.app.Printer());
    EXPECT_EQ(env.app.Printer()->mode.orientation, PrintOrientation::Landscape);
    EXPECT_EQ(env.app.Printer()->names.device, "Office");
    EXPECT_GT(host.dcRequests, requests);

    // A click that leaves the other radio checked changes nothing.
    dlg.OnPortrait();
    EXPECT_EQ(env.doc.m_hDevMode->orientation, PrintOrientation::Landscape);
}

TEST_F(PrintDlgTest, NoPrinterOffersPrintSetupOnceThenReadsZero) {
    host.caps.reset();
    dlg.OnInitDialog();
    EXPECT_EQ(host.setups, 1);
    EXPECT_EQ(host.dcRequests, 2);
    EXPECT_EQ(dlg.m_metrics, PrinterMetrics{});

    // Printer... finds the printer the setup chose.
    host.setupGivesPrinter = LetterCaps();
    dlg.OnPrinterSetup();
    EXPECT_EQ(dlg.m_metrics.pageWidth, 12240);
}

}  // namespace
