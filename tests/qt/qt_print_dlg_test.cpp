#include "viewer/qt/qt_print_dlg.h"

#include "gui_common/dialog_units.h"

#include "tests/support/qt_application.h"
#include "tests/support/view_test_env.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// A 300-dpi printer with Letter paper and quarter-inch margins.
class LetterHost final : public PrintDlgHost {
public:
    std::optional<PrinterCaps> CreatePrinterDC() override {
        PrinterCaps caps;
        caps.pixelsPerInchX = caps.pixelsPerInchY = 300;
        caps.physicalWidth = 2550;
        caps.physicalHeight = 3300;
        caps.physicalOffsetX = caps.physicalOffsetY = 75;
        caps.printableWidthMm = 203;
        caps.printableHeightMm = 267;
        return caps;
    }
    void SendPrintSetup() override { ++setups; }
    int setups = 0;
};

class QtPrintDlgTest : public ::testing::Test {
protected:
    QtPrintDlgTest() {
        testsupport::EnsureQtApplication();
        env.doc.m_rcClient = {0, 0, 600, 400};
        env.doc.m_hDevNames = PrinterNames{"drv", "Office", "lp0"};
        env.doc.m_hDevMode = PrinterMode{"Office", PrintOrientation::Portrait, {}};
        env.printers.printer = PrinterSettings{*env.doc.m_hDevNames, *env.doc.m_hDevMode};
        window_.emplace(dlg);
    }

    QAbstractButton* Button(int id) { return static_cast<QAbstractButton*>(Window().Control(id)); }
    QLineEdit* Edit(int id) { return static_cast<QLineEdit*>(Window().Control(id)); }

    QImage Shot(const char* name) {
        Window().show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&Window()));
        const QImage image = Window().grab().toImage().convertToFormat(QImage::Format_RGB32);
        if (const char* dir = std::getenv("VARNELLE_SHOT_DIR")) image.save(QString("%1/%2.png").arg(dir, name));
        return image;
    }

    // Whether every pixel strictly inside the rectangle has the colour.
    static bool Filled(const QImage& image, const Rect& r, QRgb colour) {
        if (r.Width() < 3 || r.Height() < 3) return false;
        for (int y = r.top + 1; y < r.bottom - 1; ++y)
            for (int x = r.left + 1; x < r.right - 1; ++x)
                if (image.pixel(x, y) != colour) return false;
        return true;
    }

    testsupport::DocumentEnv env;
    LetterHost host;
    CPrintDlg dlg{env.doc, env.app, host, env.messages};
    // Made once the document holds its values: the dialog reads them as it is made.
    std::optional<QtPrintDlg> window_;
    QtPrintDlg& Window() { return *window_; }
};

TEST_F(QtPrintDlgTest, EveryControlSitsAtItsDialogUnitRectangle) {
    const gui::DialogUnits du(Window().font());
    EXPECT_EQ(Window().windowTitle(), "Print");
    EXPECT_EQ(Window().size(), QSize(du.X(289), du.Y(166)));
    struct Expected {
        int id;
        const char* text;
        int left, top, width, height;
    };
    const Expected controls[] = {
        {CPrintDlg::IDOK, "Print", 137, 143, 50, 14},
        {CPrintDlg::IDCANCEL, "Cancel", 7, 143, 50, 14},
        {CPrintDlg::IDC_PIXELS_LABEL, "Pixels/Inch:", 19, 107, 38, 8},
        {CPrintDlg::IDC_PIXELS_PER_INCH, nullptr, 59, 104, 21, 13},
        {CPrintDlg::IDC_LEFT_PAD, nullptr, 54, 60, 28, 13},
        {CPrintDlg::IDC_TOP_PAD, nullptr, 54, 82, 28, 13},
        {CPrintDlg::IDC_PRINTER_NAME, "Office", 13, 20, 194, 8},
        {CPrintDlg::IDC_PRINTER_SETUP, "Printer...", 213, 17, 58, 14},
        {CPrintDlg::IDC_ORIENTATION_GROUP, "Orientation", 200, 45, 82, 45},
        {CPrintDlg::IDC_PORTRAIT, "Portrait", 215, 58, 42, 11},
        {CPrintDlg::IDC_LANDSCAPE, "Landscape", 215, 72, 51, 10},
        {1356, "Default offset", 107, 58, 58, 10},
        {1357, "Center on page", 107, 71, 65, 10},
        {1358, "Fit to page", 107, 84, 49, 10},
        {1359, "Upper left of page", 107, 97, 73, 10},
        {1360, "Custom offset", 107, 110, 59, 10},
        {CPrintDlg::IDC_PREVIEW, "Print Preview...", 67, 143, 58, 14},
    };
    for (const Expected& e : controls) {
        QWidget* w = Window().Control(e.id);
        ASSERT_NE(w, nullptr) << e.id;
        EXPECT_EQ(w->geometry(), du.ToPixels(e.left, e.top, e.width, e.height)) << e.id;
        if (!e.text) continue;
        QString text;
        if (auto* b = qobject_cast<QAbstractButton*>(w)) text = b->text();
        else if (auto* l = qobject_cast<QLabel*>(w)) text = l->text();
        else if (auto* g = qobject_cast<QGroupBox*>(w)) text = g->title();
        EXPECT_EQ(text, e.text) << e.id;
    }
    EXPECT_EQ(Edit(CPrintDlg::IDC_PIXELS_PER_INCH)->maxLength(), 4);
    // Opened centred, with the pads shown from the paper's edge.
    EXPECT_TRUE(Button(1357)->isChecked());
    EXPECT_TRUE(Button(CPrintDlg::IDC_PORTRAIT)->isChecked());
    EXPECT_EQ(Edit(CPrintDlg::IDC_LEFT_PAD)->text(), "1.25");
    EXPECT_EQ(Edit(CPrintDlg::IDC_TOP_PAD)->text(), "3.5");
    EXPECT_FALSE(Edit(CPrintDlg::IDC_LEFT_PAD)->isEnabled());
}

TEST_F(QtPrintDlgTest, SketchShowsPaperPrintableAreaAndPictureWhereThePlacementPutsIt) {
    const Rect group{Window().Control(CPrintDlg::IDC_ORIENTATION_GROUP)->x(), Window().Control(CPrintDlg::IDC_ORIENTATION_GROUP)->y(),
                     Window().Control(CPrintDlg::IDC_ORIENTATION_GROUP)->geometry().right() + 1,
                     Window().Control(CPrintDlg::IDC_ORIENTATION_GROUP)->geometry().bottom() + 1};
    const QRect ok = Window().Control(CPrintDlg::IDOK)->geometry();
    const Rect print{ok.left(), ok.top(), ok.right() + 1, ok.bottom() + 1};

    const QImage centred = Shot("print_dialog_centre");
    const PrintSketch c = dlg.Sketch(group, print);
    EXPECT_TRUE(Filled(centred, c.picture, qRgb(0, 255, 0)));
    EXPECT_EQ(centred.pixel(c.picture.left, c.picture.top), qRgb(0, 200, 0));
    EXPECT_EQ(centred.pixel(c.paper.left, c.paper.top), qRgb(0, 0, 0));
    EXPECT_EQ(centred.pixel(c.paper.left + 1, c.paper.top + 1), qRgb(245, 245, 245));
    EXPECT_EQ(centred.pixel(c.printable.left + 1, c.printable.bottom - 2), qRgb(255, 255, 255));

    Button(1359)->click();  // Upper left of page
    const QImage corner = Shot("print_dialog_upper_left");
    const PrintSketch u = dlg.Sketch(group, print);
    EXPECT_EQ(u.picture.left, u.printable.left);
    EXPECT_EQ(u.picture.top, u.printable.top);
    EXPECT_LT(u.picture.top, c.picture.top);
    EXPECT_TRUE(Filled(corner, u.picture, qRgb(0, 255, 0)));
    EXPECT_EQ(corner.pixel(c.picture.right - 2, c.picture.bottom - 2), qRgb(255, 255, 255));
}

TEST_F(QtPrintDlgTest, TypingGoesThroughTheHandlers) {
    Button(1360)->click();  // Custom offset
    QLineEdit* left = Edit(CPrintDlg::IDC_LEFT_PAD);
    ASSERT_TRUE(left->isEnabled());
    left->selectAll();
    QTest::keyClicks(left, "2.5");
    // "2" and "2." read alike and stay as typed; the offset follows each step.
    EXPECT_EQ(left->text(), "2.5");
    EXPECT_FLOAT_EQ(dlg.m_fLeft, 2.25f);
    EXPECT_TRUE(env.messages.shown.empty());

    env.messages.shown.clear();
    QLineEdit* resolution = Edit(CPrintDlg::IDC_PIXELS_PER_INCH);
    resolution->setCursorPosition(3);
    QTest::keyClicks(resolution, "x");
    EXPECT_EQ(env.messages.Texts(), std::vector<std::string>{"Invalid input value!"});
    EXPECT_EQ(resolution->text(), "100");
    resolution->selectAll();
    QTest::keyClicks(resolution, "50");
    EXPECT_EQ(dlg.m_nPixelsPerInch, 50);

    // Escape is Cancel: the placement is stored all the same.
    QTest::keyClick(&Window(), Qt::Key_Escape);
    EXPECT_EQ(Window().result(), QDialog::Rejected);
    EXPECT_FLOAT_EQ(env.doc.m_fPrintLeftPad, 2.25f);
    EXPECT_EQ(env.doc.m_nPrintPixelsPerInch, 50);
}

}  // namespace
