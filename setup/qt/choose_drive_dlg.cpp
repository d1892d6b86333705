#include "setup/qt/choose_drive_dlg.h"

#include "gui_common/dialog_controls.h"
#include "gui_common/dialog_units.h"
#include "gui_common/text_bytes.h"
#include "setup/qt/setup_pictures.h"
#include "setup/setup_texts.h"
#include "setup/system_checks.h"

#include <QPushButton>
#include <QTreeWidget>

namespace setup::gui {

CChooseDriveDlg::CChooseDriveDlg(const platform::Drives& drives, QWidget* parent) : QDialog(parent) {
    setWindowTitle(::gui::FromBytes(texts::kChooseDirectoryCaption));
    const auto units = ::gui::SetUpDialog(this, 162, 127);

    m_pTree = new QTreeWidget(this);
    ::gui::Place(m_pTree, units, 7, 7, 148, 89);
    m_pTree->setHeaderHidden(true);
    m_pTree->setRootIsDecorated(true);
    m_pTree->setIconSize(QSize(16, 16));
    auto* ok = ::gui::AddButton(this, units, texts::kOkButton, 22, 106, 50, 14);
    ok->setDefault(true);
    auto* cancel = ::gui::AddButton(this, units, texts::kCancelButton, 90, 106, 50, 14);
    connect(ok, &QPushButton::clicked, this, &CChooseDriveDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    m_astrDrives = FixedDriveList(drives);
    m_pRootItem = new QTreeWidgetItem(m_pTree, {::gui::FromBytes(texts::kAvailableDrives)});
    m_pRootItem->setIcon(0, TreePicturePixmap(TreePicture::ClosedFolder));
    for (const auto& root : m_astrDrives) {
        auto* item = new QTreeWidgetItem(m_pRootItem, {::gui::FromBytes(root)});
        item->setIcon(0, TreePicturePixmap(TreePicture::HardDrive));
        m_apDriveItems.push_back(item);
    }
    m_pRootItem->setExpanded(true);
    m_pRootItem->setIcon(0, TreePicturePixmap(TreePicture::DownArrow));
    // A tree takes its first item as the selection when it gets the focus.
    m_pTree->setCurrentItem(m_pRootItem);
    connect(m_pTree, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item, int) { OnDoubleClick(item); });
}

void CChooseDriveDlg::OnDoubleClick(QTreeWidgetItem* item) {
    // The root keeps its picture and only opens or closes, as the tree does by itself.
    if (!item || item == m_pRootItem) return;
    m_strChosenRoot = ::gui::ToBytes(item->text(0));
    QDialog::accept();
}

void CChooseDriveDlg::accept() {
    const QTreeWidgetItem* selected = m_pTree->currentItem();
    if (!selected || selected == m_pRootItem) m_strChosenRoot = texts::kDefaultDriveRoot;
    else m_strChosenRoot = ::gui::ToBytes(selected->text(0));
    QDialog::accept();
}

}  // namespace setup::gui
