#include "viewer/frame/viewer_shell.h"

#include "viewer/res/texts.h"

#include <QApplication>
#include <QCursor>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QPushButton>
#include <QPrintDialog>
#include <QPrinter>
#include <QSettings>

ViewerShell::ViewerShell(CVarnelleApp& app, platform::TimerService* timers)
    : app_(app),
      timers_(timers),
      pictures_(app.Services().fs, app.Services().messages),
      documentCommands_(*this),
      applicationCommands_(app, *this, [this] { frame_->close(); }) {}

ViewerShell::~ViewerShell() = default;

void ViewerShell::LoadProfile(const std::string& key, int /*recentFiles: the menu shows no list*/) {
    QCoreApplication::setOrganizationName(QString::fromUtf8(key.c_str()));
    QCoreApplication::setApplicationName(QString::fromUtf8(texts::kAppTitle));
}

bool ViewerShell::NewDocument() {
    if (!document_) {
        document_ = std::make_unique<CVarnelleDoc>(app_, *this, resources_);
        frame_ = std::make_unique<CMainFrame>(*this, app_.Services().clock);
        SlideViewWidget::Hooks hooks{[this] { frame_->RecalcLayout(); }, [this] { frame_->UpdateIdle(); }};
        view_ = new SlideViewWidget(*this, pictures_, app_.Services().messages, timers_, std::move(hooks), frame_.get());
        frame_->setCentralWidget(view_);
        router_ = std::make_unique<CommandRouter>(
            std::vector<CommandTarget*>{&view_->View(), &documentCommands_, frame_.get(), &applicationCommands_});
        frame_->SetRouter(router_.get());
        printing_ = std::make_unique<QtViewPrinting>(app_, *this, view_->View(), app_.Services().messages, frame_.get(),
                                                     [this](int id) { frame_->RunCommand(id); });
        view_->View().SetPrintHost(printing_.get());
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
    if (dialog.exec() != QDialog::Accepted || !printer.isValid()) return;
    app_.SelectPrinter(QtViewPrinting::SettingsOf(printer));
}

void ViewerShell::Begin() { QApplication::setOverrideCursor(Qt::WaitCursor); }

void ViewerShell::End() { QApplication::restoreOverrideCursor(); }
