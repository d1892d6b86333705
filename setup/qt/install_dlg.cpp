#include "setup/qt/install_dlg.h"

#include "gui_common/dialog_controls.h"
#include "gui_common/dialog_units.h"
#include "gui_common/text_bytes.h"
#include "setup/dialog_rules.h"
#include "setup/qt/choose_drive_dlg.h"
#include "setup/qt/edit_config_dlg.h"
#include "setup/setup_texts.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace setup::gui {
namespace {

constexpr int kMaxDirectoryChars = 200;
// The figures stand right-aligned in a column of their own.
constexpr Qt::Alignment kFigureAlignment = Qt::AlignRight | Qt::AlignTop;

}  // namespace

CInstallDlg::CInstallDlg(SetupGuiServices& services, const std::string& systemName, QWidget* parent)
    : QDialog(parent), m_services(services), m_engine(services.core, systemName) {
    setWindowTitle(::gui::FromBytes(texts::kInstallCaption));
    const auto units = ::gui::SetUpDialog(this, 244, 146);

    ::gui::AddLabel(this, units, texts::kDefaultDirectoryLabel, 23, 18, 81, 8);
    m_pDirectoryBox = new QLineEdit(this);
    ::gui::Place(m_pDirectoryBox, units, 23, 31, 133, 14);
    m_pChooseDriveButton = ::gui::AddButton(this, units, texts::kChooseDriveButton, 166, 31, 53, 14);
    ::gui::AddLabel(this, units, texts::kRequiredSpaceLabel, 48, 57, 93, 10);
    auto* required = ::gui::AddLabel(this, units, texts::kKilobytesPlaceholder, 150, 58, 44, 10, kFigureAlignment);
    ::gui::AddLabel(this, units, texts::kAvailableSpaceLabel, 48, 73, 93, 10);
    auto* available = ::gui::AddLabel(this, units, texts::kKilobytesPlaceholder, 150, 73, 44, 10, kFigureAlignment);
    ::gui::AddLabel(this, units, texts::kColorDepthLabel, 48, 90, 93, 10);
    auto* depth = ::gui::AddLabel(this, units, texts::kBitsPerPixelPlaceholder, 150, 89, 44, 10, kFigureAlignment);
    auto* install = ::gui::AddButton(this, units, texts::kInstallOkButton, 51, 125, 50, 14);
    install->setDefault(true);
    m_pEditButton = ::gui::AddButton(this, units, texts::kEditButton, 112, 125, 19, 14);
    m_pEditButton->hide();
    m_pEditButton->setEnabled(false);
    auto* cancel = ::gui::AddButton(this, units, texts::kCancelButton, 141, 125, 50, 14);

    m_dx.Text(m_pDirectoryBox, &m_strDirectoryText, kMaxDirectoryChars);
    m_dx.Label(required, &m_strRequired);
    m_dx.Label(available, &m_strAvailable);
    m_dx.Label(depth, &m_strColorDepth);

    m_engine.SetBusyHandler([this](bool busy) {
        if (busy) m_waitCursor.emplace();
        else m_waitCursor.reset();
    });
    m_engine.SetUp();
    m_strDirectoryText = m_engine.DirectoryText();
    ShowValues();

    connect(install, &QPushButton::clicked, this, &CInstallDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_pChooseDriveButton, &QPushButton::clicked, this, &CInstallDlg::OnChooseDrive);
    connect(m_pEditButton, &QPushButton::clicked, this, &CInstallDlg::OnEdit);
    connect(m_pDirectoryBox, &QLineEdit::textChanged, this, &CInstallDlg::OnDirectoryChanged);
}

void CInstallDlg::ShowValues() {
    m_strRequired = m_engine.RequiredLabel();
    m_strAvailable = m_engine.AvailableLabel();
    m_strColorDepth = m_engine.ColorDepthLabel();
    m_dx.Update(false);
}

void CInstallDlg::OnDirectoryChanged() {
    m_dx.Update(true);
    // The mount table is read only once the code itself was typed.
    if (m_strDirectoryText != texts::kAccessCode ||
        !UnlocksEditor(m_services.core.drives.Mounts(), m_engine.SetupDirectory(), m_strDirectoryText))
        return;
    m_strDirectoryText = m_engine.InstallationDirectory();
    m_dx.Update(false);
    m_pEditButton->show();
    m_pEditButton->setEnabled(true);
}

void CInstallDlg::OnChooseDrive() {
    CChooseDriveDlg chooser(m_services.core.drives, this);
    if (m_services.runner.Run(chooser) != QDialog::Accepted || chooser.ChosenRoot().empty()) return;
    m_dx.Update(true);
    m_engine.ChooseRoot(chooser.ChosenRoot(), m_strDirectoryText);
    m_strDirectoryText = m_engine.DirectoryText();
    ShowValues();
}

void CInstallDlg::OnEdit() {
    CEditConfigDlg editor(m_services, this);
    if (m_services.runner.Run(editor) != QDialog::Accepted) return;
    m_dx.Update(true);
    m_engine.ReadConfigAgain();
    ShowValues();
}

void CInstallDlg::accept() {
    m_dx.Update(true);
    if (m_engine.Install(m_strDirectoryText)) QDialog::accept();
}

}  // namespace setup::gui
