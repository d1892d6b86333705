#include "tests/print/cups_print_fixture.h"

#include "viewer/qt/qt_print_dlg.h"
#include "viewer/qt/qt_view_printing.h"
#include "viewer/res/command_ids.h"
#include "viewer/print/print_mapping.h"
#include "viewer/qt/slide_view_widget.h"

#include "tests/support/qt_application.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QPageSize>
#include <QPrinter>
#include <QPushButton>
#include <QRandomGenerator>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

namespace cupstest {

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

int CompletedJobs() {
    const std::string jobs = Shell("lpstat -W completed -o 2>/dev/null");
    return static_cast<int>(std::count(jobs.begin(), jobs.end(), '\n'));
}

bool JobsPending() { return !Shell("lpstat -o 2>/dev/null").empty(); }

namespace {

// Why the scheduler's jobs will not print, or empty: a stopped queue, or a job (waiting or
// finished) whose reasons say it stopped, was held or ended with errors.
std::string JobTrouble() {
    const std::string queue = Env("VARNELLE_PRINT_QUEUE");
    const std::string printer = Shell("lpstat -p '" + queue + "' 2>/dev/null");
    if (printer.find("disabled") != std::string::npos) return "the queue stopped:\n" + printer;
    for (const char* which : {"", "-W completed "}) {
        const std::string jobs = Shell(std::string("lpstat -l ") + which + "-o 2>/dev/null");
        std::istringstream lines(jobs);
        for (std::string line; std::getline(lines, line);) {
            if (line.find("Alerts:") == std::string::npos) continue;
            for (const char* bad : {"error", "job-stopped", "abort", "cancel", "hold"})
                if (line.find(bad) != std::string::npos) return "a job went wrong:\n" + jobs;
        }
    }
    return "";
}

// The end of the scheduler's log, without the filters' environment it lists for every job.
std::string ErrorLogTail() {
    return Shell("grep -v 'envp\\[' '" + Env("VARNELLE_PRINT_ERROR_LOG") + "' 2>/dev/null | tail -n 40");
}

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

// The bounding box of the pixels of one colour inside `area`.
QRect ColourBox(const QImage& image, const QRect& area, QRgb colour) {
    QRect box;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if ((image.pixel(x, y) & 0xffffff) == (colour & 0xffffff)) box |= QRect(x, y, 1, 1);
    return box;
}

// The page size pdfinfo reports, in points.
std::optional<QSizeF> PdfPageSize(const std::string& pdf) {
    std::istringstream info(Shell("pdfinfo '" + pdf + "' 2>/dev/null"));
    for (std::string line; std::getline(info, line);) {
        double w = 0, h = 0;
        if (std::sscanf(line.c_str(), "Page size: %lf x %lf", &w, &h) == 2) return QSizeF(w, h);
    }
    return std::nullopt;
}

}  // namespace

ModalDriver::ModalDriver(std::deque<Action> actions) : actions_(std::move(actions)) {
    connect(&timer_, &QTimer::timeout, this, [this] { Poll(); });
    timer_.start(5);
}

void ModalDriver::Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == last_ || !modal->isVisible()) return;
    last_ = modal;
    if (actions_.empty()) {
        ++unexpected;
        if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
        return;
    }
    Action action = std::move(actions_.front());
    actions_.pop_front();
    action(modal);
    // An action that failed leaves its dialog to nobody: close it rather than hang.
    if (::testing::Test::HasFatalFailure())
        if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
}

ModalDriver::Action ClickInPrintDlg(std::vector<int> ids, SketchBoxes* sketch) {
    return [ids, sketch](QWidget* w) {
        auto* print = dynamic_cast<QtPrintDlg*>(w);
        ASSERT_NE(print, nullptr) << "expected the Print dialog, got " << w->metaObject()->className();
        QtPrintDlg& dlg = *print;
        for (std::size_t i = 0; i < ids.size(); ++i) {
            if (sketch && i + 1 == ids.size()) {
                const QImage shot = dlg.grab().toImage().convertToFormat(QImage::Format_RGB32);
                // The sketch lies below the orientation group, down to the Print button, grown
                // by 6 pixels all round.
                const QRect group = dlg.Control(CPrintDlg::IDC_ORIENTATION_GROUP)->geometry();
                const QRect print = dlg.Control(CPrintDlg::IDOK)->geometry();
                const QRect area =
                    QRect(QPoint(group.left(), group.bottom() + 1), QPoint(group.right(), print.bottom())).adjusted(-6, 0, 6, 6);
                sketch->paper = ColourBox(shot, area, qRgb(245, 245, 245));
                sketch->picture = ColourBox(shot, area, qRgb(0, 255, 0));
                // Where asked, the dialog for a person to look at.
                if (const char* dir = std::getenv("VARNELLE_SHOT_DIR"))
                    shot.save(QString("%1/print-dialog-%2x%3.png").arg(dir).arg(sketch->paper.width()).arg(sketch->paper.height()));
            }
            static_cast<QAbstractButton*>(dlg.Control(ids[i]))->click();
        }
    };
}

ModalDriver::Action ClickInPrintDlgLater(int id) {
    return [id](QWidget* w) {
        auto* dlg = dynamic_cast<QtPrintDlg*>(w);
        ASSERT_NE(dlg, nullptr) << "expected the Print dialog, got " << w->metaObject()->className();
        auto* button = static_cast<QAbstractButton*>(dlg->Control(id));
        QTimer::singleShot(0, button, &QAbstractButton::click);
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

std::deque<ModalDriver::Action> ChoosePaperInSystemDialog(const char* paper, QString* shown) {
    return {[](QWidget* w) {
                auto* properties = w->findChild<QPushButton*>("properties");
                ASSERT_NE(properties, nullptr) << "no Properties button in " << w->metaObject()->className();
                QTimer::singleShot(0, properties, &QAbstractButton::click);
            },
            [paper, shown](QWidget* w) {
                auto* sizes = w->findChild<QComboBox*>("pageSizeCombo");
                ASSERT_NE(sizes, nullptr) << "no paper sizes in " << w->metaObject()->className();
                if (shown) *shown = sizes->currentData().value<QPageSize>().key();
                int index = -1;
                for (int i = 0; i < sizes->count() && index < 0; ++i)
                    if (sizes->itemData(i).value<QPageSize>().key() == paper || sizes->itemText(i) == paper) index = i;
                ASSERT_GE(index, 0) << "the queue offers no " << paper;
                sizes->setCurrentIndex(index);
                static_cast<QDialog*>(w)->accept();
            },
            Accept("QPrintDialog")};
}

void CupsPrintTest::SetUp() {
    device_ = Env("VARNELLE_PRINT_DEVICE");
    work_ = Env("VARNELLE_PRINT_WORK");
    if (device_.empty() || Env("CUPS_SERVER").empty())
        GTEST_SKIP() << "needs the private CUPS that tests/print/cups_print_test.sh starts";
    testsupport::EnsureQtApplication();
    const std::string show = work_ + "/show";
    QDir().mkpath(QString::fromStdString(show));
    // One slide of fine detail, dark enough to be told from the paper and small enough to be
    // shown at its own size in the middle: every pixel a colour of its own, where a lossy
    // page would show at once.
    slide_ = QImage(400, 300, QImage::Format_RGB32);
    QRandomGenerator noise(7);
    for (int y = 0; y < slide_.height(); ++y)
        for (int x = 0; x < slide_.width(); ++x)
            slide_.setPixel(x, y, qRgb(noise.bounded(120), noise.bounded(120), noise.bounded(120)));
    ASSERT_TRUE(slide_.save(QString::fromStdString(show + "/slide.png")));
    app_.emplace(AppServices{fs_, messages_, clock_, printers_});
    shell_.emplace(*app_, shellFakes_.Services());
    ASSERT_TRUE(app_->InitInstance("0 " + show, *shell_));
    // The first paint loads the slide; wait for it rather than for a time.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (shell_->ActiveDocument()->m_nCurrentSlide != 1 && std::chrono::steady_clock::now() < deadline)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_EQ(shell_->ActiveDocument()->m_nCurrentSlide, 1) << "the slide was never painted";
    ASSERT_TRUE(messages_.shown.empty()) << messages_.shown[0].text;
}

void CupsPrintTest::TearDown() {
    shell_.reset();
    app_.reset();
}

void CupsPrintTest::RunWithDialogs(int command, std::deque<ModalDriver::Action> actions) {
    ModalDriver driver(std::move(actions));
    std::remove(device_.c_str());
    shell_->Frame()->RunCommand(command);
    EXPECT_TRUE(driver.Done()) << "not every expected dialog came up";
    EXPECT_EQ(driver.unexpected, 0);
}

void CupsPrintTest::WaitForJobsToEnd() {
    // Bounded only against a scheduler that hangs: a job takes well under a second here.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    for (;;) {
        const std::string trouble = JobTrouble();
        ASSERT_EQ(trouble, "") << "scheduler log:\n" << ErrorLogTail();
        if (!JobsPending()) return;
        ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the print job did not finish\n" << ErrorLogTail();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

void CupsPrintTest::PrintWith(std::deque<ModalDriver::Action> actions) {
    const int before = CompletedJobs();
    RunWithDialogs(cmd::ID_FILE_PRINT, std::move(actions));
    WaitForJobsToEnd();
    if (HasFatalFailure()) return;
    ASSERT_EQ(CompletedJobs(), before + 1);
    ASSERT_EQ(Shell("test -s '" + device_ + "' && echo yes"), "yes\n") << "no PDF from the queue";
    // Kept beside the run for a person to look at.
    Shell("cp '" + device_ + "' '" + work_ + "/printed-" + std::to_string(++printed_) + ".pdf'");
}

void CupsPrintTest::PrintAndCheck(int placement, const Paper& paper) {
    PrintWith({ClickInPrintDlg({CPrintDlg::IDC_PLACEMENT_FIRST + placement, CPrintDlg::IDOK}), Accept("QPrintDialog")});
    if (HasFatalFailure()) return;
    CheckPrintedPage(paper);
}

void CupsPrintTest::CheckPrintedPage(const Paper& paper) {
    const CVarnelleDoc& doc = *shell_->ActiveDocument();
    QPrinter printer(QPrinter::HighResolution);
    QtViewPrinting::UsePrinter(printer, *app_->GetPrinterDeviceDefaults());
    const PrinterCaps caps = QtViewPrinting::CapsOf(printer);
    lastCaps_ = caps;
    const int dpi = caps.pixelsPerInchX;
    ASSERT_GT(dpi, 0);
    const PrintMapping m = MapForPrinter(doc.m_nPrintPixelsPerInch, doc.m_fPrintLeftPad, doc.m_fPrintTopPad, dpi, dpi);
    const Rect slide = shell_->View()->View().Picture().Rects().ClipToWindow(0);
    ASSERT_EQ(slide.Width(), slide_.width());
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
    command << "pdftoppm -r " << dpi << " -gray -singlefile -aa no -aaVector no -x " << x0 << " -y " << y0 << " -W " << w
            << " -H " << h << " '" << device_ << "' '" << out << "'";
    ASSERT_EQ(std::system(command.str().c_str()), 0) << command.str();
    const std::optional<GreyImage> crop = ReadPgm(out + ".pgm");
    ASSERT_TRUE(crop);
    const std::optional<QRect> box = DarkBox(*crop);
    ASSERT_TRUE(box) << "no picture near its expected place";
    // Within two printer pixels: a sheet measured in millimetres is a whole number
    // of points on the page, a hair off the exact size the expectation starts from.
    const double near = 2.0;
    EXPECT_NEAR(x0 + box->left(), left, near);
    EXPECT_NEAR(y0 + box->top(), top, near);
    EXPECT_NEAR(x0 + box->right() + 1, right, near);
    EXPECT_NEAR(y0 + box->bottom() + 1, bottom, near);

    // The whole page: the paper chosen, and nothing printed but the slide.
    const std::optional<QSizeF> size = PdfPageSize(device_);
    ASSERT_TRUE(size) << "pdfinfo read no page size";
    EXPECT_NEAR(size->width(), paper.widthPt, 0.5);
    EXPECT_NEAR(size->height(), paper.heightPt, 0.5);
    const std::string page = work_ + "/page";
    ASSERT_EQ(std::system(("pdftoppm -r 20 -gray -singlefile '" + device_ + "' '" + page + "'").c_str()), 0);
    const std::optional<GreyImage> whole = ReadPgm(page + ".pgm");
    ASSERT_TRUE(whole);
    const std::optional<QRect> all = DarkBox(*whole);
    ASSERT_TRUE(all);
    const double scale = 20.0 / dpi;
    EXPECT_NEAR(all->left(), left * scale, 1.5);
    EXPECT_NEAR(all->top(), top * scale, 1.5);
    EXPECT_NEAR(all->right() + 1, right * scale, 1.5);
    EXPECT_NEAR(all->bottom() + 1, bottom * scale, 1.5);
    ExpectEmbeddedPictureIsTheSlide();
}

void CupsPrintTest::ExpectEmbeddedPictureIsTheSlide() {
    const std::string prefix = work_ + "/embedded";
    Shell("rm -f '" + prefix + "'-*.png");
    ASSERT_EQ(std::system(("pdfimages -png '" + device_ + "' '" + prefix + "'").c_str()), 0);
    EXPECT_EQ(Shell("ls '" + prefix + "'-*.png | wc -l"), "1\n") << "the page holds one picture";
    const QImage embedded = QImage(QString::fromStdString(prefix + "-000.png")).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(embedded.isNull());
    // The client area as printed: the slide where the view shows it, on white.
    const Rect client = shell_->ActiveDocument()->m_rcClient;
    ASSERT_EQ(embedded.size(), QSize(client.Width(), client.Height()));
    const Rect slide = shell_->View()->View().Picture().Rects().ClipToWindow(0);
    int off = 0, farOff = 0, worst = 0;
    for (int y = 0; y < embedded.height(); ++y)
        for (int x = 0; x < embedded.width(); ++x) {
            const bool inSlide = x >= slide.left && x < slide.right && y >= slide.top && y < slide.bottom;
            const QRgb want = inSlide ? slide_.pixel(x - slide.left, y - slide.top) : qRgb(255, 255, 255);
            const QRgb got = embedded.pixel(x, y);
            const int diff = std::max({std::abs(qRed(got) - qRed(want)), std::abs(qGreen(got) - qGreen(want)),
                                       std::abs(qBlue(got) - qBlue(want))});
            off += diff != 0;
            farOff += diff > 8;
            worst = std::max(worst, diff);
        }
    EXPECT_EQ(off, 0) << "of " << embedded.width() * embedded.height() << " pixels, " << farOff
                      << " off by more than 8, worst by " << worst;
}

}  // namespace cupstest
