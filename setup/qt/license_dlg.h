#pragma once

#include <QDialog>

#include <string>

class QTextEdit;

namespace setup::gui {

// The licence agreement: Agree goes on, Close (or Escape) ends the program.
class CLicenseDlg final : public QDialog {
public:
    explicit CLicenseDlg(const std::string& licenseText, QWidget* parent = nullptr);
    QTextEdit* TextBox() const { return m_pTextBox; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTextEdit* m_pTextBox = nullptr;
};

// Collapses a text box's selection to the start of its text, leaving the scroll position
// where the reader put it.
void CollapseSelectionToStart(QWidget* textBox);

}  // namespace setup::gui
