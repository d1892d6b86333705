#include "viewer/qt/viewer_shell.h"

#include "viewer/qt/folder_dlg.h"
#include "viewer/qt/qt_paper.h"
#include "viewer/res/texts.h"

#include "gui_common/modal_runner.h"
#include "gui_common/text_bytes.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QScreen>
#include <QPushButton>
#include <QPrintDialog>
#include <QPrinter>
#include <QSettings>

ViewerShell::ViewerShell(CVarnelleApp& app, ShellServices services, gui::ModalRunner* runner)
    : app_(app),
      services_(std::move(services)),
      dialogs_(runner ? *runner : execRunner_, app.Services().messages),
      pictures_(LoaderDecoder(app.Services().fs, services_.heap),
                // Runs the task on the thread of the event loop, which is the view's.
                [](std::function<void()> task) {
                    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(task), Qt::QueuedConnection);
                },
                app.Services().messages, services_.pictures, LoaderRegionDecoder(app.Services().fs, services_.heap)),
      documentCommands_(*this),
      applicationCommands_(
          app, *this, [this] { frame_->close(); }, [this] { dialogs_.RunAbout(); }) {}

ViewerShell::~ViewerShell() = default;

void ViewerShell::LoadProfile(const std::string& key, int /*recentFiles: the menu shows no list*/) {
    QCoreApplication::setOrganizationName(gui::FromBytes(key));
    QCoreApplication::setApplicationName(gui::FromBytes(texts::kAppTitle));
}

bool ViewerShell::NewDocument(const std::string& startPath, const std::string& firstSlide) {
    const bool first = !document_;
    if (first) {
        const AppServices& services = app_.Services();
        document_ = std::make_unique<CVarnelleDoc>(
            DocumentServices{services.fs, services.messages, services.printers, services_.heap}, *this, resources_);
        document_->SetDialogs(&dialogs_);
    }
    const bool loaded = document_->OnNewDocument(startPath, firstSlide);
    if (first) {
        // The first slide decodes on the worker while the frame and the view are built. The
        // frame fills the screen's free area, so the view's client area is no larger.
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QSize area = screen->availableGeometry().size();
            pictures_.NewShow(document_->m_astrSlides);
            pictures_.StartFirstSlide(document_->m_nFirstSlide, PictureNeed::Fit(area.width(), area.height()));
        }
        MakeFrameAndView();
    }
    // A load that fails leaves an empty show, which the view must not index with the old
    // show's slide number: it is reset either way.
    view_->View().OnInitialUpdate();
    view_->Invalidate();
    return loaded;
}

void ViewerShell::MakeFrameAndView() {
    frame_ = std::make_unique<CMainFrame>(*this, app_.Services().clock);
    dialogs_.SetOwner(frame_.get());
    SlideViewWidget::Hooks hooks{[this] { frame_->RecalcLayout(); }, [this] { frame_->UpdateIdle(); },
                                 [this](int id) { frame_->RunCommand(id); }};
    platform::TimerService& timers = services_.viewTimers([this](int id) { view_->View().OnTimer(id); });
    view_ = new SlideViewWidget(*this, pictures_, app_.Services().messages, app_.Services().clock, timers,
                                services_.heap, std::move(hooks), frame_.get());
    view_->View().SetDialogs(&dialogs_);
    frame_->setCentralWidget(view_);
    router_ = std::make_unique<CommandRouter>(
        std::vector<CommandTarget*>{&view_->View(), &documentCommands_, frame_.get(), &applicationCommands_});
    frame_->SetRouter(router_.get());
    printing_ = std::make_unique<QtViewPrinting>(app_, *this, view_->View(), app_.Services().messages, frame_.get(),
                                                 [this](int id) { frame_->RunCommand(id); });
    view_->View().SetPrintHost(printing_.get());
}

void ViewerShell::ShowMainWindow() {
    frame_->RecalcLayout();
    frame_->show();
    frame_->activateWindow();
    view_->setFocus();
}

bool ViewerShell::ChooseFolder(const std::string& title, const std::string& initialPath, std::string& result) {
    CFolderDlg dialog({services_.drives, services_.folders, app_.Services().fs, app_.Services().messages});
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
    dialog.setWindowTitle(gui::FromBytes(texts::kPrintSetupCaption));
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
    // It only chooses the printer here: its OK button prints nothing.
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>())
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok)) ok->setText(gui::FromBytes(texts::kOkButton));
    if (ExecKeepingPaper(dialog) != QDialog::Accepted || !printer.isValid()) return;
    app_.SelectPrinter(QtViewPrinting::SettingsOf(printer));
}

void ViewerShell::Begin() { waitCursor_.emplace(); }

void ViewerShell::End() { waitCursor_.reset(); }
