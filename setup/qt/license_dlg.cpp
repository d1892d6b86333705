#include "setup/qt/license_dlg.h"

#include "gui_common/dialog_controls.h"
#include "gui_common/dialog_units.h"
#include "gui_common/text_bytes.h"
#include "setup/setup_texts.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>

namespace setup::gui {

void CollapseSelectionToStart(QWidget* textBox) {
    const auto collapse = [](auto* box) {
        const int h = box->horizontalScrollBar()->value();
        const int v = box->verticalScrollBar()->value();
        QTextCursor cursor = box->textCursor();
        if (cursor.position() == 0 && !cursor.hasSelection()) return;
        cursor.setPosition(0);
        box->setTextCursor(cursor);
        box->horizontalScrollBar()->setValue(h);
        box->verticalScrollBar()->setValue(v);
    };
    if (auto* rich = qobject_cast<QTextEdit*>(textBox)) collapse(rich);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(textBox)) collapse(plain);
}

CLicenseDlg::CLicenseDlg(const std::string& licenseText, QWidget* parent) : QDialog(parent) {
    // No system menu: no close box either.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowTitle(::gui::FromBytes(texts::kLicenseCaption));
    const auto units = ::gui::SetUpDialog(this, 244, 146);

    m_pTextBox = new QTextEdit(this);
    m_pTextBox->setGeometry(units.FromDesignPixels(QRect(QPoint(10, 10), QPoint(355, 192))));
    m_pTextBox->setReadOnly(true);
    m_pTextBox->setAcceptRichText(false);
    m_pTextBox->setFrameShape(QFrame::StyledPanel);
    m_pTextBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette palette = m_pTextBox->palette();
    palette.setColor(QPalette::Base, QColor(235, 235, 235));
    m_pTextBox->setPalette(palette);
    QFont font(::gui::FromBytes(texts::kLicenseFont));
    font.setPointSize(12);
    font.setWeight(QFont::Normal);
    font.setStyleHint(QFont::Serif);  // the roman family, if the face itself is absent
    m_pTextBox->setFont(font);
    m_pTextBox->setPlainText(::gui::FromBytes(licenseText));

    auto* agree = ::gui::AddButton(this, units, texts::kAgreeButton, 49, 125, 50, 14);
    agree->setDefault(true);
    auto* close = ::gui::AddButton(this, units, texts::kCloseButton, 138, 125, 50, 14);
    connect(agree, &QPushButton::clicked, this, &QDialog::accept);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void CLicenseDlg::paintEvent(QPaintEvent* event) {
    CollapseSelectionToStart(m_pTextBox);
    QDialog::paintEvent(event);
}

}  // namespace setup::gui
