#pragma once

// The viewer on the private CUPS queue that cups_print_test.sh starts: its dialogs answered
// in turn, the scheduler's jobs watched, the printed PDF read back.
#include "viewer/app/varnelle_app.h"
#include "viewer/print/print_geometry.h"
#include "viewer/qt/qt_printer_service.h"
#include "viewer/qt/viewer_shell.h"

#include "platform/fake/fake_timers.h"
#include "platform/fake/recording_message_sink.h"
#include "platform/posix/posix_clock.h"
#include "platform/posix/posix_file_system.h"
#include "tests/support/shell_fakes.h"

#include <QImage>
#include <QObject>
#include <QRect>
#include <QString>
#include <QTimer>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace cupstest {

std::string Env(const char* name);
std::string Shell(const std::string& command);
// Jobs the scheduler has finished, and whether any is still waiting or printing.
int CompletedJobs();
bool JobsPending();

// A sheet of the test queue's PPD, in PostScript points.
struct Paper {
    const char* name;
    double widthPt;
    double heightPt;
};
inline constexpr Paper kLetter{"Letter", 612, 792};
inline constexpr Paper kA4{"A4", 595, 842};
inline constexpr Paper kA5{"A5", 420, 595};

// The paper and the picture of the Print dialog's sketch, inside their outlines.
struct SketchBoxes {
    QRect paper;
    QRect picture;
};

// Answers the modal dialogs as they come up, one scripted action each, in order. A
// dialog that comes when no action is left is cancelled and counted. A dialog that comes
// up again after a nested one closed counts as coming up again.
class ModalDriver : public QObject {
public:
    using Action = std::function<void(QWidget*)>;
    explicit ModalDriver(std::deque<Action> actions);
    int unexpected = 0;
    bool Done() const { return actions_.empty(); }

private:
    void Poll();
    std::deque<Action> actions_;
    QTimer timer_;
    QWidget* last_ = nullptr;
};

// Clicks the Print dialog's buttons by id; with `sketch`, measures the sketch before the
// last click.
ModalDriver::Action ClickInPrintDlg(std::vector<int> ids, SketchBoxes* sketch = nullptr);
// Clicks a button of the Print dialog once the driver has returned, for a button that opens
// a dialog of its own.
ModalDriver::Action ClickInPrintDlgLater(int id);
ModalDriver::Action Accept(const char* className);
ModalDriver::Action Reject(const char* className);
// The system's print dialog: its printer properties, the paper chosen there by name, then
// its OK. Three dialogs in turn. `shown` receives the paper the properties opened on.
std::deque<ModalDriver::Action> ChoosePaperInSystemDialog(const char* paper, QString* shown = nullptr);

class CupsPrintTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs a command from the frame with the dialogs answered in turn.
    void RunWithDialogs(int command, std::deque<ModalDriver::Action> actions);
    // Waits until the scheduler holds no job; fails at once, with the scheduler's log, when
    // a job stopped or ended with errors or the queue stopped.
    void WaitForJobsToEnd();
    // Prints with the dialogs answered in turn and expects one finished job and its PDF.
    void PrintWith(std::deque<ModalDriver::Action> actions);
    // Prints with the placement radio `placement`, then checks the printed page.
    void PrintAndCheck(int placement, const Paper& paper = kLetter);
    // The picture's place on the rasterised page against the document's resolution and
    // offsets, the page's size, and the picture embedded in the PDF.
    void CheckPrintedPage(const Paper& paper);
    void ExpectEmbeddedPictureIsTheSlide();

    platform::posix::PosixFileSystem fs_;
    platform::posix::PosixClock clock_;
    platform::fake::RecordingMessageSink messages_;
    platform::fake::FakeTimers timers_;
    testsupport::ShellFakes shellFakes_{fs_, timers_};
    QtPrinterService printers_;
    std::optional<CVarnelleApp> app_;
    std::optional<ViewerShell> shell_;
    std::string device_;
    std::string work_;
    QImage slide_;
    PrinterCaps lastCaps_;
    int printed_ = 0;
};

}  // namespace cupstest
