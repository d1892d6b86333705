#include "setup/qt/edit_config_dlg.h"

#include "gui_common/dialog_controls.h"
#include "gui_common/dialog_units.h"
#include "gui_common/text_bytes.h"
#include "setup/config_editing.h"
#include "setup/dialog_rules.h"
#include "setup/entry_paths.h"
#include "setup/qt/instructions_dlg.h"
#include "setup/qt/license_dlg.h"
#include "setup/setup_texts.h"

#include <QPlainTextEdit>
#include <QPushButton>

namespace setup::gui {
namespace {

// Line ends as the box holds them: one LF each.
QString WithLf(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

}  // namespace

CEditConfigDlg::CEditConfigDlg(SetupGuiServices& services, QWidget* parent)
    : QDialog(parent), m_services(services) {
    setWindowTitle(::gui::FromBytes(texts::kEditConfigCaption));
    const auto units = ::gui::SetUpDialog(this, 310, 189);

    m_pTextBox = new QPlainTextEdit(this);
    m_pTextBox->setGeometry(units.FromDesignPixels(QRect(QPoint(10, 10), QPoint(454, 259))));
    m_pTextBox->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_pTextBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_pTextBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_pTextBox->setFrameShape(QFrame::StyledPanel);

    auto* instructions = ::gui::AddButton(this, units, texts::kInstructionsButton, 7, 168, 60, 14);
    auto* ok = ::gui::AddButton(this, units, texts::kOkButton, 189, 168, 50, 14);
    ok->setDefault(true);
    auto* cancel = ::gui::AddButton(this, units, texts::kCancelButton, 253, 168, 50, 14);
    // Enter is a line break in the box, so OK is only reached by its button.
    instructions->setAutoDefault(false);
    cancel->setAutoDefault(false);
    connect(instructions, &QPushButton::clicked, this, &CEditConfigDlg::OnInstructions);
    connect(ok, &QPushButton::clicked, this, &CEditConfigDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    m_strSetupDirectory = WithTrailingSeparator(services.core.files.CurrentDirectory());
    std::string bytes;
    switch (LoadConfigForEditing(services.core.files, m_strSetupDirectory, &bytes)) {
    case ConfigLoad::Unreadable: ok->setEnabled(false); return;
    case ConfigLoad::Template: m_pTextBox->setPlainText(WithLf(::gui::FromBytes(bytes))); return;
    case ConfigLoad::Read: break;
    }
    const QByteArray raw(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QString text = QString::fromUtf8(raw);
    if (text.toUtf8() != raw) {
        m_bLatin1 = true;
        text = QString::fromLatin1(raw);
    }
    m_pTextBox->setPlainText(WithLf(text));
}

void CEditConfigDlg::OnInstructions() {
    CInstructionsDlg dialog(this);
    m_services.runner.Run(dialog);
}

void CEditConfigDlg::accept() {
    const QString text = m_pTextBox->toPlainText();
    const QByteArray encoded = m_bLatin1 ? text.toLatin1() : text.toUtf8();
    const std::string bytes = WithCrLf(std::string(encoded.constData(), static_cast<std::size_t>(encoded.size())));
    if (!WriteConfigFile(m_services.core.files, m_strSetupDirectory, bytes)) {
        // Closing as if it had been saved would lose the edits without a word.
        m_services.core.messages.Show(platform::Warning(texts::kConfigNotWritten, texts::kProgramTitle));
        return;
    }
    QDialog::accept();
}

void CEditConfigDlg::paintEvent(QPaintEvent* event) {
    CollapseSelectionToStart(m_pTextBox);
    QDialog::paintEvent(event);
}

}  // namespace setup::gui
