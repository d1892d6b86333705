#pragma once

#include "platform/drives.h"

#include <QDialog>

#include <string>
#include <vector>

class QTreeWidget;
class QTreeWidgetItem;

namespace setup::gui {

// The drive chooser: the roots of the fixed drives under "Available Drives".
class CChooseDriveDlg final : public QDialog {
public:
    explicit CChooseDriveDlg(const platform::Drives& drives, QWidget* parent = nullptr);

    // The root chosen with OK; empty until then.
    const std::string& ChosenRoot() const { return m_strChosenRoot; }
    QTreeWidget* Tree() const { return m_pTree; }
    QTreeWidgetItem* RootItem() const { return m_pRootItem; }
    QTreeWidgetItem* DriveItem(std::size_t index) const { return m_apDriveItems.at(index); }

    void accept() override;

private:
    void OnDoubleClick(QTreeWidgetItem* item);

    QTreeWidget* m_pTree = nullptr;
    std::vector<std::string> m_astrDrives;
    std::vector<QTreeWidgetItem*> m_apDriveItems;
    QTreeWidgetItem* m_pRootItem = nullptr;
    std::string m_strChosenRoot;
};

}  // namespace setup::gui
