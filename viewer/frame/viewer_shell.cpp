#include "viewer/frame/viewer_shell.h"

#include "viewer/res/texts.h"

#include <QApplication>
#include <QCursor>
#include <QFileDialog>
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

bool ViewerShell::NewDocument() {
    if (!document_) {
        document_ = std::make_unique<CVarnelleDoc>(app_, *this, resources_);
        document_->SetDialogs(&dialogs_);
        frame_ = std::make_unique<CMainFrame>(*this, app_.Services().clock);
        dialogs_.SetOwner(frame_.get());
        SlideViewWidget::Hooks hooks{[this] { frame_->RecalcLayout(); }, [this] { frame_->UpdateIdle(); },
                                     [this](int id) { frame_->RunCommand(id); }};
        view_ = new SlideViewWidget(*this, pictures_, app_.Services().messages, app_.Services().clock, timers_,
                                    std::move(hooks), frame_.get());
        frame_->setCentralWidget(view_);
        router_ = std::make_unique<CommandRouter>(
            std::vector<CommandTarget*>{&view_->View(), &documentCommands_, frame_.get(), &applicationCommands_});
        frame_->SetRouter(router_.get());
    }
    const bool loaded = document_->OnNewDocument();
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
    const QString folder = QFileDialog::getExistingDirectory(frame_.get(), QString::fromUtf8(title.c_str()),
                                                             QString::fromLocal8Bit(initialPath.c_str()));
    if (folder.isEmpty()) return false;
    result = folder.toLocal8Bit().toStdString();
    return true;
}

void ViewerShell::ShowPrintSetup() {
    QPrinter printer;
    QPrintDialog dialog(&printer, frame_.get());
    if (dialog.exec() != QDialog::Accepted) return;
    PrinterNames names;
    names.device = printer.printerName().toStdString();
    PrinterMode mode;
    mode.deviceName = names.device;
    mode.orientation = printer.pageLayout().orientation() == QPageLayout::Landscape ? PrintOrientation::Landscape
                                                                                   : PrintOrientation::Portrait;
    app_.ApplyPrinterSettings(names, mode);
}

void ViewerShell::Begin() { QApplication::setOverrideCursor(Qt::WaitCursor); }

void ViewerShell::End() { QApplication::restoreOverrideCursor(); }
