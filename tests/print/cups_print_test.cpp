// Prints a slide through the real viewer and a real CUPS queue (started by
// cups_print_test.sh), turns the PDF into pixels with pdftoppm and checks where the picture
// landed. Skips when not run by that script.
#include "viewer/app/varnelle_app.h"
#include "viewer/frame/qt_print_dlg.h"
#include "viewer/frame/qt_printer_service.h"
#include "viewer/frame/qt_view_printing.h"
#include "viewer/frame/viewer_shell.h"
#include "viewer/res/command_ids.h"

#include "platform/fake/fake_timers.h"
#include "platform/fake/recording_message_sink.h"
#include "platform/posix/posix_clock.h"
#include "platform/posix/posix_file_system.h"
#include "tests/support/qt_application.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QPushButton>
#include <QImage>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <thread>

namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string Shell(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
        pclose(pipe);
    }
    return out;
}

int CountLines(const std::string& text) {
    int lines = 0;
    for (const char c : text) lines += c == '\n';
    return lines;
}

// Jobs the scheduler has finished, and whether any is still waiting or printing.
int CompletedJobs() { return CountLines(Shell("lpstat -W completed -o 2>/dev/null")); }
bool JobsPending() { return !Shell("lpstat -o 2>/dev/null").empty(); }

// A grey picture read from pdftoppm's PGM output.
struct GreyImage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels;
    unsigned char At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

std::optional<GreyImage> ReadPgm(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maxValue = 0;
    GreyImage image;
    in >> magic >> image.width >> image.height >> maxValue;
    in.get();
    if (magic != "P5" || maxValue != 255 || image.width <= 0 || image.height <= 0) return std::nullopt;
    image.pixels.resize(static_cast<std::size_t>(image.width) * image.height);
    in.read(reinterpret_cast<char*>(image.pixels.data()), static_cast<std::streamsize>(image.pixels.size()));
    if (!in) return std::nullopt;
    return image;
}

// The dark pixels' bounding box (right and bottom exclusive), or none.
std::optional<QRect> DarkBox(const GreyImage& image) {
    int left = image.width, top = image.height, right = -1, bottom = -1;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (image.At(x, y) < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    if (right < 0) return std::nullopt;
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

// Answers the modal dialogs as they come up, one scripted action each, in order. A
// dialog that comes when no action is left is cancelled and counted.
class ModalDriver : public QObject {
public:
    using Action = std::function<void(QWidget*)>;
    explicit ModalDriver(std::deque<Action> actions) : actions_(std::move(actions)) {
        connect(&timer_, &QTimer::timeout, this, [this] { Poll(); });
        timer_.start(5);
    }
    int unexpected = 0;
    std::vector<std::string> seen;
    bool Done() const { return actions_.empty(); }

private:
    void Poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == last_ || !modal->isVisible()) return;
        last_ = modal;
        seen.push_back(modal->metaObject()->className());
        if (actions_.empty()) {
            ++unexpected;
            if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
            return;
        }
        Action action = std::move(actions_.front());
        actions_.pop_front();
        action(modal);
    }
    std::deque<Action> actions_;
    QTimer timer_;
    QWidget* last_ = nullptr;
};

ModalDriver::Action ClickInPrintDlg(std::vector<int> ids) {
    return [ids](QWidget* w) {
        auto* dlg = dynamic_cast<QtPrintDlg*>(w);
        ASSERT_NE(dlg, nullptr) << "expected the Print dialog, got " << w->metaObject()->className();
        for (const int id : ids) static_cast<QAbstractButton*>(dlg->Control(id))->click();
    };
}

ModalDriver::Action Accept(const char* className) {
    return [className](QWidget* w) {
        EXPECT_STREQ(w->metaObject()->className(), className);
        static_cast<QDialog*>(w)->accept();
    };
}

ModalDriver::Action Reject(const char* className) {
    return [className](QWidget* w) {
        EXPECT_STREQ(w->metaObject()->className(), className);
        // Where asked, a picture of the dialog for a person to look at.
        if (const char* dir = std::getenv("VARNELLE_SHOT_DIR"))
            w->grab().save(QString("%1/%2.png").arg(dir, className));
        static_cast<QDialog*>(w)->reject();
    };
}

class CupsPrintTest : public ::testing::Test {
protected:
    void SetUp() override {
        device_ = Env("VARNELLE_PRINT_DEVICE");
        work_ = Env("VARNELLE_PRINT_WORK");
        if (device_.empty() || Env("CUPS_SERVER").empty())
            GTEST_SKIP() << "needs the private CUPS that tests/print/cups_print_test.sh starts";
        testsupport::EnsureQtApplication();
        const std::string show = work_ + "/show";
        QDir().mkpath(QString::fromStdString(show));
        // One red slide, small enough to be shown at its own size in the middle.
        QImage slide(240, 160, QImage::Format_RGB32);
        slide.fill(qRgb(255, 0, 0));
        ASSERT_TRUE(slide.save(QString::fromStdString(show + "/slide.png")));
        app_.emplace(AppServices{fs_, messages_, clock_, printers_});
        shell_.emplace(*app_, &timers_);
        ASSERT_TRUE(app_->InitInstance("0 " + show, *shell_));
        // The first paint loads the slide; wait for it rather than for a time.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (shell_->ActiveDocument()->m_nCurrentSlide != 1 && std::chrono::steady_clock::now() < deadline)
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        ASSERT_EQ(shell_->ActiveDocument()->m_nCurrentSlide, 1) << "the slide was never painted";
        ASSERT_TRUE(messages_.shown.empty()) << messages_.shown[0].text;
    }

    void TearDown() override {
        shell_.reset();
        app_.reset();
    }

    // Runs a command from the frame with the dialogs answered in turn.
    void RunWithDialogs(int command, std::deque<ModalDriver::Action> actions) {
        ModalDriver driver(std::move(actions));
        std::remove(device_.c_str());
        shell_->Frame()->RunCommand(command);
        EXPECT_TRUE(driver.Done()) << "not every expected dialog came up";
        EXPECT_EQ(driver.unexpected, 0);
    }

    // Waits until the scheduler has no job left (bounded far above a job's time).
    void WaitForIdleQueue() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
        while (JobsPending() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ASSERT_FALSE(JobsPending()) << "the print job did not finish";
    }

    // Prints with the placement radio `placement` and checks the picture's place on the
    // rasterised page against the document's resolution and offsets.
    void PrintAndCheck(int placement) {
        const int before = CompletedJobs();
        RunWithDialogs(cmd::ID_FILE_PRINT, {ClickInPrintDlg({CPrintDlg::IDC_PLACEMENT_FIRST + placement, CPrintDlg::IDOK}),
                                            Accept("QPrintDialog")});
        WaitForIdleQueue();
        ASSERT_EQ(CompletedJobs(), before + 1);
        ASSERT_EQ(Shell("test -s '" + device_ + "' && echo yes"), "yes\n") << "no PDF from the queue";
        // Kept beside the run for a person to look at.
        Shell("cp '" + device_ + "' '" + work_ + "/printed-" + std::to_string(placement) + ".pdf'");

        const CVarnelleDoc& doc = *shell_->ActiveDocument();
        QPrinter printer(QPrinter::HighResolution);
        QtViewPrinting::UsePrinter(printer, *app_->GetPrinterDeviceDefaults());
        const PrinterCaps caps = QtViewPrinting::CapsOf(printer);
        const int dpi = caps.pixelsPerInchX;
        ASSERT_GT(dpi, 0);
        const PrintMapping m = MapForPrinter(doc.m_nPrintPixelsPerInch, doc.m_fPrintLeftPad, doc.m_fPrintTopPad, dpi, dpi);
        CVarnelleView& view = shell_->View()->View();
        const Rect slide = view.m_rects.ClipToWindow(0);
        ASSERT_EQ(slide.Width(), 240);
        // The slide's edges in printer pixels from the paper's corner.
        const double left = caps.physicalOffsetX + m.DeviceX(slide.left);
        const double top = caps.physicalOffsetY + m.DeviceY(slide.top);
        const double right = caps.physicalOffsetX + m.DeviceX(slide.right);
        const double bottom = caps.physicalOffsetY + m.DeviceY(slide.bottom);

        // At the printer's resolution, a window around the expected place.
        const int margin = 20;
        const int x0 = std::max(0, static_cast<int>(left) - margin);
        const int y0 = std::max(0, static_cast<int>(top) - margin);
        const int w = static_cast<int>(right - left) + 2 * margin;
        const int h = static_cast<int>(bottom - top) + 2 * margin;
        const std::string out = work_ + "/crop";
        std::ostringstream command;
        command << "pdftoppm -r " << dpi << " -gray -singlefile -aa no -aaVector no -x " << x0 << " -y " << y0
                << " -W " << w << " -H " << h << " '" << device_ << "' '" << out << "'";
        ASSERT_EQ(std::system(command.str().c_str()), 0) << command.str();
        const std::optional<GreyImage> crop = ReadPgm(out + ".pgm");
        ASSERT_TRUE(crop);
        const std::optional<QRect> box = DarkBox(*crop);
        ASSERT_TRUE(box) << "no picture near its expected place";
        EXPECT_NEAR(x0 + box->left(), left, 1.0);
        EXPECT_NEAR(y0 + box->top(), top, 1.0);
        EXPECT_NEAR(x0 + box->right() + 1, right, 1.0);
        EXPECT_NEAR(y0 + box->bottom() + 1, bottom, 1.0);

        // The whole page, coarsely: Letter, and nothing printed but the slide.
        const std::string page = work_ + "/page";
        ASSERT_EQ(std::system(("pdftoppm -r 20 -gray -singlefile '" + device_ + "' '" + page + "'").c_str()), 0);
        const std::optional<GreyImage> whole = ReadPgm(page + ".pgm");
        ASSERT_TRUE(whole);
        EXPECT_EQ(whole->width, 170);
        EXPECT_EQ(whole->height, 220);
        const std::optional<QRect> all = DarkBox(*whole);
        ASSERT_TRUE(all);
        const double scale = 20.0 / dpi;
        EXPECT_NEAR(all->left(), left * scale, 1.5);
        EXPECT_NEAR(all->top(), top * scale, 1.5);
        EXPECT_NEAR(all->right() + 1, right * scale, 1.5);
        EXPECT_NEAR(all->bottom() + 1, bottom * scale, 1.5);
        lastCaps_ = caps;
    }

    platform::posix::PosixFileSystem fs_;
    platform::posix::PosixClock clock_;
    platform::fake::RecordingMessageSink messages_;
    platform::fake::FakeTimers timers_;
    QtPrinterService printers_;
    std::optional<CVarnelleApp> app_;
    std::optional<ViewerShell> shell_;
    std::string device_;
    std::string work_;
    PrinterCaps lastCaps_;
};

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
    RunWithDialogs(CVarnelleApp::ID_FILE_PRINT_SETUP, {[&](QWidget* w) {
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
