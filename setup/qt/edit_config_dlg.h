#pragma once

#include "setup/qt/setup_gui_services.h"

#include <QDialog>

#include <string>

class QPlainTextEdit;

namespace setup::gui {

// The config.cfg editor: shows the file (or writes the template when there is none) and
// writes the box back with CR LF line ends on OK.
class CEditConfigDlg final : public QDialog {
public:
    explicit CEditConfigDlg(SetupGuiServices& services, QWidget* parent = nullptr);
    QPlainTextEdit* TextBox() const { return m_pTextBox; }

    void accept() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void OnInstructions();

    SetupGuiServices& m_services;
    QPlainTextEdit* m_pTextBox = nullptr;
    std::string m_strSetupDirectory;
    // A file that is not valid UTF-8 is shown and written back byte for byte as Latin-1.
    bool m_bLatin1 = false;
};

}  // namespace setup::gui
