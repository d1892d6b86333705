#include "viewer/frame/viewer_shell.h"

#include "viewer/res/texts.h"

#include <QApplication>
#include <QCursor>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QSettings>

ViewerShell::ViewerShell(CVarnelleApp& app) : app_(app) {}

ViewerShell::~ViewerShell() = default;

void ViewerShell::LoadProfile(const std::string& key, int /*recentFiles: the menu shows no list*/) {
    QCoreApplication::setOrganizationName(QString::fromUtf8(key.c_str()));
    QCoreApplication::setApplicationName(QString::fromUtf8(texts::kAppTitle));
}

bool ViewerShell::NewDocument() {
    if (!document_) {
        document_ = std::make_unique<CVarnelleDoc>(app_, *this);
        frame_ = std::make_unique<CMainFrame>([this](int id) { OnCommand(id); });
    }
    return document_->OnNewDocument();
}

void ViewerShell::ShowMainWindow() {
    frame_->show();
    frame_->activateWindow();
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

void ViewerShell::OnCommand(int id) {
    if (app_.OnCommand(id, *this)) return;
    if (document_) document_->OnCommand(id);
}
