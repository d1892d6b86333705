#include "setup/gui/setup_dialog.h"

#include "platform/posix/posix_file_system.h"
#include "setup/setup_config.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace setup::gui {
namespace {

// The core keeps the bytes of config.cfg; they are text in the system's code page.
QString FromBytes(const std::string& text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

SetupDialog::SetupDialog(const std::string& setupDirectory, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Setup"));
    auto* layout = new QGridLayout(this);
    m_installLabel = new QLabel(QStringLiteral("Install"), this);
    m_uninstallLabel = new QLabel(QStringLiteral("Uninstall"), this);
    auto* exit = new QPushButton(QStringLiteral("Exit"), this);
    layout->addWidget(m_installLabel, 0, 0);
    layout->addWidget(m_uninstallLabel, 1, 0);
    layout->addWidget(new QLabel(QStringLiteral("Explore the Setup Directories"), this), 2, 0);
    layout->addWidget(exit, 3, 0);
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);

    platform::posix::PosixFileSystem files;
    SetupConfig summary;
    if (ReadConfigSummary(files, setupDirectory, &summary)) {
        const QString name = FromBytes(summary.appName);
        m_installLabel->setText(QStringLiteral("Install ") + name);
        m_uninstallLabel->setText(QStringLiteral("Uninstall ") + name);
        setWindowTitle(name + QStringLiteral(" Setup"));
    }
}

}  // namespace setup::gui
