#pragma once

#include <QDialog>

#include <string>

class QLabel;

namespace setup::gui {

// The main dialog: titled and labelled from config.cfg's summary.
class SetupDialog final : public QDialog {
public:
    explicit SetupDialog(const std::string& setupDirectory, QWidget* parent = nullptr);

private:
    QLabel* m_installLabel = nullptr;
    QLabel* m_uninstallLabel = nullptr;
};

}  // namespace setup::gui
