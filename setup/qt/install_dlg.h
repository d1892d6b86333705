#pragma once

#include "gui_common/data_exchange.h"
#include "gui_common/wait_cursor.h"
#include "setup/qt/setup_gui_services.h"
#include "setup/install_engine.h"
#include "setup/setup_texts.h"

#include <QDialog>

#include <optional>
#include <string>

class QLineEdit;
class QPushButton;

namespace setup::gui {

// The Install dialog over the install engine: the directory box, the space and colour
// depth values, the drive chooser and, behind the access code, the configuration editor.
class CInstallDlg final : public QDialog {
public:
    CInstallDlg(SetupGuiServices& services, const std::string& systemName, QWidget* parent = nullptr);

    const InstallEngine& Engine() const { return m_engine; }
    QLineEdit* DirectoryBox() const { return m_pDirectoryBox; }
    QPushButton* EditButton() const { return m_pEditButton; }
    QPushButton* ChooseDriveButton() const { return m_pChooseDriveButton; }

    // Install: the dialog closes only when the install went through.
    void accept() override;

private:
    void OnDirectoryChanged();
    void OnChooseDrive();
    void OnEdit();
    void ShowValues();

    SetupGuiServices& m_services;
    InstallEngine m_engine;
    ::gui::DataExchange m_dx;
    QLineEdit* m_pDirectoryBox = nullptr;
    QPushButton* m_pEditButton = nullptr;
    QPushButton* m_pChooseDriveButton = nullptr;
    std::string m_strDirectoryText;
    std::string m_strRequired = texts::kKilobytesPlaceholder;
    std::string m_strAvailable = texts::kKilobytesPlaceholder;
    std::string m_strColorDepth = texts::kBitsPerPixelPlaceholder;
    std::optional<::gui::WaitCursorScope> m_waitCursor;  // while the engine is busy
};

}  // namespace setup::gui
