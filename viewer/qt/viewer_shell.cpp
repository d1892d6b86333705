#include "viewer/qt/viewer_shell.h"

#include "viewer/qt/folder_dlg.h"
#include "viewer/qt/qt_paper.h"
#include "viewer/res/texts.h"

#include "gui_common/modal_runner.h"
#include "platform/posix/posix_drives.h"
#include "platform/posix/posix_folder_scan.h"

#include <QApplication>
#include <QCursor>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QPrintDialog>
#include <QPrinter>
#include <QSettings>

namespace {

// Picture memory: the slide on screen and the neighbours decoded ahead; five 24-megapixel
// pictures stored at half size, or one at full size.
constexpr std::size_t kPictureBudgetBytes = std::size_t{96} << 20;
constexpr int kSlidesAhead = 4;
constexpr int kSlidesBehind = 1;

}  // namespace

ViewerShell::ViewerShell(CVarnelleApp& app, platform::TimerService* timers, gui::ModalRunner* runner)
    : app_(app),
      timers_(timers),
      dialogs_(runner ? *runner : execRunner_, app.Services().messages),
      pictures_(LoaderDecoder(app.Services().fs),
                // Runs the task on the thread of the event loop, which is the view's.
                [](std::function<void()> task) {
                    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(task), Qt::QueuedConnection);
                },
                app.Services().messages, SlidePictureCache::Limits{kPictureBudgetBytes, kSlidesAhead, kSlidesBehind}),
      documentCommands_(*this),
      applicationCommands_(
          app, *this, [this] { frame_->close(); }, [this] { dialogs_.RunAbout(); }) {}

ViewerShell::~ViewerShell() = default;

void ViewerShell::LoadProfile(const std::string& key, int /*recentFiles: the menu shows no list*/) {
    QCoreApplication::setOrganizationName(QString::fromUtf8(key.c_str()));
    QCoreApplication::setApplicationName(QString::fromUtf8(texts::kAppTitle));
}

bool ViewerShell::NewDocument(const std::string& startPath, const std::string& firstSlide) {
    if (!document_) {
        const AppServices& services = app_.Services();
        document_ = std::make_unique<CVarnelleDoc>(DocumentServices{services.fs, services.messages, services.printers},
                                                   *this, resources_);
        document_->SetDialogs(&dialogs_);
        frame_ = std::make_unique<CMainFrame>(*this, app_.Services().clock);
        dialogs_.SetOwner(frame_.get());
        SlideViewWidget::Hooks hooks{[this] { frame_->RecalcLayout(); }, [this] { frame_->UpdateIdle(); },
                                     [this](int id) { frame_->RunCommand(id); }};
        view_ = new SlideViewWidget(*this, pictures_, app_.Services().messages, app_.Services().clock, timers_,
                                    std::move(hooks), frame_.get());
        view_->View().SetDialogs(&dialogs_);
        frame_->setCentralWidget(view_);
        router_ = std::make_unique<CommandRouter>(
            std::vector<CommandTarget*>{&view_->View(), &documentCommands_, frame_.get(), &applicationCommands_});
        frame_->SetRouter(router_.get());
        printing_ = std::make_unique<QtViewPrinting>(app_, *this, view_->View(), app_.Services().messages, frame_.get(),
                                                     [this](int id) { frame_->RunCommand(id); });
        view_->View().SetPrintHost(printing_.get());
    }
    const bool loaded = document_->OnNewDocument(startPath, firstSlide);
    // A load that fails leaves an empty show, which the view must not index with the old
    // show's slide number: it is reset either way.
    view_->View().OnInitialUpdate();
    view_->Invalidate();
    return loaded;
}

void ViewerShell::ShowMainWindow() {
    frame_->RecalcLayout();
    frame_->show();
    frame_->activateWindow();
    view_->setFocus();
}

bool ViewerShell::ChooseFolder(const std::string& title, const std::string& initialPath, std::string& result) {
    platform::posix::PosixDrives drives;
    platform::posix::PosixFolderScan scan;
    CFolderDlg dialog({drives, scan, app_.Services().fs, app_.Services().messages});
    dialog.m_strTitle = title;
    dialog.m_strInitialPath = initialPath;
    gui::ExecRunner runner;
    if (runner.Run(dialog) != QDialog::Accepted) return false;
    result = dialog.m_strResult;
    return true;
}

// The system's print-setup dialog: the printer it leaves becomes the application's, with
// no default printer needed.
void ViewerShell::ShowPrintSetup() {
    QPrinter printer(QPrinter::HighResolution);
    if (const std::optional<PrinterSettings> current = app_.GetPrinterDeviceDefaults())
        QtViewPrinting::UsePrinter(printer, *current);
    QPrintDialog dialog(&printer, frame_.get());
    dialog.setWindowTitle(QString::fromUtf8(texts::kPrintSetupCaption));
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
    // It only chooses the printer here: its OK button prints nothing.
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>())
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok)) ok->setText(QString::fromUtf8(texts::kOkButton));
    if (ExecKeepingPaper(dialog) != QDialog::Accepted || !printer.isValid()) return;
    app_.SelectPrinter(QtViewPrinting::SettingsOf(printer));
}

void ViewerShell::Begin() { QApplication::setOverrideCursor(Qt::WaitCursor); }

void ViewerShell::End() { QApplication::restoreOverrideCursor(); }
