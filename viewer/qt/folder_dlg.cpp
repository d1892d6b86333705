#include "viewer/qt/folder_dlg.h"

#include "gui_common/dialog_controls.h"
#include "gui_common/dialog_units.h"
#include "gui_common/text_bytes.h"
#include "gui_common/wait_cursor.h"
#include "viewer/res/texts.h"

#include <QEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <QTreeView>

namespace {

// Tree control 1334 and the two buttons, in dialog units.
constexpr int kDialogWidth = 207;
constexpr int kDialogHeight = 199;

// --- the pictures, drawn on transparency ---

void DrawDriveBox(QPainter& p, const QColor& body) {
    p.setPen(QColor(64, 64, 64));
    p.setBrush(body);
    p.drawRect(1, 6, 13, 6);
    p.setPen(QColor(255, 255, 255));
    p.drawLine(2, 7, 13, 7);
}

void DrawFixedDrive(QPainter& p) {
    DrawDriveBox(p, QColor(192, 192, 192));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 200, 0));
    p.drawRect(11, 9, 2, 2);
    p.setBrush(QColor(96, 96, 96));
    p.drawRect(3, 10, 6, 1);
}

void DrawRemovableDrive(QPainter& p) {
    DrawDriveBox(p, QColor(200, 200, 215));
    // The slot and a disk half in it.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(32, 32, 32));
    p.drawRect(3, 9, 8, 2);
    p.setBrush(QColor(40, 80, 200));
    p.drawRect(4, 2, 6, 8);
    p.setBrush(QColor(220, 220, 230));
    p.drawRect(5, 3, 4, 3);
}

void DrawCdRomDrive(QPainter& p) {
    DrawDriveBox(p, QColor(192, 192, 192));
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(96, 96, 128));
    p.setBrush(QColor(225, 225, 245));
    p.drawEllipse(QRectF(3.5, 0.5, 9, 9));
    p.setBrush(QColor(160, 200, 255));
    p.drawEllipse(QRectF(6, 3, 4, 4));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(7.2, 4.2, 1.6, 1.6));
}

void DrawNetworkDrive(QPainter& p) {
    p.translate(0, -3);
    DrawFixedDrive(p);
    p.translate(0, 3);
    p.setPen(QColor(0, 96, 160));
    p.drawLine(7, 10, 7, 13);
    p.drawLine(2, 14, 13, 14);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 96, 160));
    p.drawRect(6, 13, 3, 3);
}

void DrawFolder(QPainter& p, bool open) {
    p.setPen(QColor(128, 96, 0));
    p.setBrush(QColor(255, 215, 90));
    p.drawPolygon(QPolygon({QPoint(1, 3), QPoint(6, 3), QPoint(7, 5), QPoint(14, 5), QPoint(14, 13), QPoint(1, 13)}));
    if (open) {
        p.setBrush(QColor(255, 240, 170));
        p.drawPolygon(QPolygon({QPoint(3, 7), QPoint(15, 7), QPoint(13, 13), QPoint(1, 13)}));
    }
}

void DrawFolderWithArrow(QPainter& p) {
    DrawFolder(p, true);
    p.setPen(QColor(0, 100, 0));
    p.setBrush(QColor(0, 170, 0));
    p.drawPolygon(QPolygon({QPoint(9, 0), QPoint(13, 4), QPoint(11, 4), QPoint(11, 7), QPoint(7, 7), QPoint(7, 4),
                            QPoint(5, 4)}));
}

void DrawComputer(QPainter& p) {
    p.setPen(QColor(64, 64, 64));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(1, 1, 13, 10);
    p.setBrush(QColor(0, 96, 128));
    p.drawRect(3, 3, 9, 6);
    p.setBrush(QColor(160, 160, 160));
    p.drawRect(4, 12, 7, 2);
}

}  // namespace

QPixmap FolderPicture(int index) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    switch (index) {
    case kImageFixedDrive:
    case kImageRamDisk: DrawFixedDrive(p); break;  // a RAM disk shows as a fixed drive
    case kImageRemovableDrive: DrawRemovableDrive(p); break;
    case kImageCdRomDrive: DrawCdRomDrive(p); break;
    case kImageNetworkDrive: DrawNetworkDrive(p); break;
    case kImageFolder: DrawFolder(p, false); break;
    case kImageSelectedFolder: DrawFolder(p, true); break;
    case kImageSpareOpenFolder: DrawFolderWithArrow(p); break;
    case kImageSpareComputer: DrawComputer(p); break;
    default: break;
    }
    return pixmap;
}

// --- FolderTreeModel ---

FolderTreeModel::FolderTreeModel(FolderTreeCtrl& tree, std::vector<QIcon> images, QObject* parent)
    : QAbstractItemModel(parent), tree_(tree), images_(std::move(images)) {}

QModelIndex FolderTreeModel::IndexOf(const FolderItem* item) const {
    if (!item || item == tree_.Root()) return {};
    return createIndex(static_cast<int>(item->row), 0, const_cast<FolderItem*>(item));
}

FolderItem* FolderTreeModel::ItemOf(const QModelIndex& index) const {
    return index.isValid() ? static_cast<FolderItem*>(index.internalPointer()) : nullptr;
}

QModelIndex FolderTreeModel::index(int row, int column, const QModelIndex& parent) const {
    const FolderItem* owner = parent.isValid() ? ItemOf(parent) : tree_.Root();
    if (column != 0 || row < 0 || static_cast<std::size_t>(row) >= owner->children.size()) return {};
    return createIndex(row, 0, owner->children[static_cast<std::size_t>(row)].get());
}

QModelIndex FolderTreeModel::parent(const QModelIndex& child) const {
    const FolderItem* item = ItemOf(child);
    return item ? IndexOf(item->parent) : QModelIndex();
}

int FolderTreeModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0) return 0;
    const FolderItem* owner = parent.isValid() ? ItemOf(parent) : tree_.Root();
    return static_cast<int>(owner->children.size());
}

int FolderTreeModel::columnCount(const QModelIndex&) const { return 1; }

QVariant FolderTreeModel::data(const QModelIndex& index, int role) const {
    const FolderItem* item = ItemOf(index);
    if (!item) return {};
    if (role == Qt::DisplayRole) return gui::FromBytes(item->text);
    if (role == Qt::DecorationRole) {
        const int picture = item == tree_.Selected() ? item->selectedImage : item->image;
        if (picture >= 0 && static_cast<std::size_t>(picture) < images_.size())
            return images_[static_cast<std::size_t>(picture)];
    }
    return {};
}

void FolderTreeModel::BeginInsert(const FolderItem* parent, std::size_t first, std::size_t count) {
    beginInsertRows(IndexOf(parent), static_cast<int>(first), static_cast<int>(first + count - 1));
}

void FolderTreeModel::EndInsert() { endInsertRows(); }

void FolderTreeModel::BeginRemove(const FolderItem* parent, std::size_t first, std::size_t count) {
    beginRemoveRows(IndexOf(parent), static_cast<int>(first), static_cast<int>(first + count - 1));
}

void FolderTreeModel::EndRemove() { endRemoveRows(); }

void FolderTreeModel::ExpandedChanged(const FolderItem* item) {
    if (onExpandedChanged) onExpandedChanged(item);
}

void FolderTreeModel::SelectionChanged(const FolderItem* previous, const FolderItem* current) {
    // The selected picture goes with the selection.
    for (const FolderItem* item : {previous, current}) {
        const QModelIndex i = IndexOf(item);
        if (i.isValid()) emit dataChanged(i, i, {Qt::DecorationRole});
    }
}

// --- CFolderDlg ---

CFolderDlg::CFolderDlg(const FolderServices& services, QWidget* parent) : QDialog(parent), rules_(services) {
    setWindowTitle(gui::FromBytes(texts::kFolderDlgCaption));
    const auto units = gui::SetUpDialog(this, kDialogWidth, kDialogHeight);

    m_pTree = new QTreeView(this);
    gui::Place(m_pTree, units, 7, 7, 193, 163);
    m_pTree->setObjectName(QStringLiteral("tree1334"));
    m_pTree->setHeaderHidden(true);
    m_pTree->setRootIsDecorated(true);
    m_pTree->setUniformRowHeights(true);  // 100,000 rows need no measuring
    m_pTree->setAnimated(false);
    m_pTree->setExpandsOnDoubleClick(false);  // the click before it already opened the item
    m_pTree->setDragEnabled(false);
    m_pTree->setAcceptDrops(false);
    m_pTree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pTree->setIconSize(QSize(16, 16));

    m_pOk = gui::AddButton(this, units, texts::kFolderDlgOk, 42, 178, 50, 14);
    m_pOk->setDefault(true);
    m_pCancel = gui::AddButton(this, units, texts::kFolderDlgCancel, 115, 178, 50, 14);
    m_pTree->viewport()->installEventFilter(this);
    connect(m_pOk, &QPushButton::clicked, this, &CFolderDlg::accept);
    connect(m_pCancel, &QPushButton::clicked, this, &QDialog::reject);
}

CFolderDlg::~CFolderDlg() {
    // The view goes first, while the items its model points at still exist.
    rules_.Tree().SetView(nullptr);
    QTreeView* tree = m_pTree;
    m_pTree = nullptr;  // no more events read through it while it is taken apart
    tree->viewport()->removeEventFilter(this);
    delete tree;
    delete model_;
    model_ = nullptr;
}

void CFolderDlg::setVisible(bool visible) {
    if (visible && !initialised_) {
        initialised_ = true;
        OnInitDialog();
    }
    QDialog::setVisible(visible);
}

void CFolderDlg::OnInitDialog() {
    const gui::WaitCursorScope wait;
    std::vector<QIcon> images;
    for (int i = 0; i < kFolderImageCount; ++i) images.emplace_back(FolderPicture(i));
    model_ = new FolderTreeModel(rules_.Tree(), std::move(images), this);
    model_->onExpandedChanged = [this](const FolderItem* item) {
        const bool was = busy_;
        busy_ = true;
        m_pTree->setExpanded(model_->IndexOf(item), item->expanded);
        busy_ = was;
    };
    rules_.Tree().SetView(model_);
    m_pTree->setModel(model_);
    connect(m_pTree, &QTreeView::expanded, this, [this](const QModelIndex& i) { OnExpanded(i, true); });
    connect(m_pTree, &QTreeView::collapsed, this, [this](const QModelIndex& i) { OnExpanded(i, false); });
    connect(m_pTree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current, const QModelIndex&) { OnCurrentChanged(current); });
    // White ground; the selection stays marked while the focus is on a button.
    QPalette palette = m_pTree->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::HighlightedText));
    m_pTree->setPalette(palette);

    rules_.m_strInitialPath = m_strInitialPath;
    busy_ = true;
    rules_.OnInitDialog();
    busy_ = false;
    ShowSelection();
    setWindowTitle(gui::FromBytes(m_strTitle));
}

void CFolderDlg::OnExpanded(const QModelIndex& index, bool expand) {
    if (busy_) return;
    FolderItem* item = model_->ItemOf(index);
    if (!item) return;
    const gui::WaitCursorScope wait;  // a folder of many sub-folders takes a moment
    busy_ = true;
    if (expand) rules_.Tree().Expand(item);
    else rules_.Tree().Collapse(item);
    busy_ = false;
    ShowSelection();
}

void CFolderDlg::OnCurrentChanged(const QModelIndex& current) {
    if (busy_) return;
    FolderItem* item = model_->ItemOf(current);
    if (!item) return;
    const gui::WaitCursorScope wait;
    busy_ = true;
    rules_.Tree().Select(item, clicking_);
    busy_ = false;
    ShowSelection();
}

// The view's current item follows the tree's selection, which may have moved when
// items were removed under it.
void CFolderDlg::ShowSelection() {
    busy_ = true;
    const QModelIndex selected = model_->IndexOf(rules_.Tree().Selected());
    if (selected.isValid()) {
        if (m_pTree->currentIndex() != selected)
            m_pTree->selectionModel()->setCurrentIndex(selected, QItemSelectionModel::ClearAndSelect);
        m_pTree->scrollTo(selected);
    } else {
        m_pTree->selectionModel()->clear();
    }
    busy_ = false;
}

bool CFolderDlg::eventFilter(QObject* watched, QEvent* event) {
    if (m_pTree && watched == m_pTree->viewport()) {
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) clicking_ = true;
        else if (event->type() == QEvent::MouseButtonRelease) clicking_ = false;
    }
    return QDialog::eventFilter(watched, event);
}

void CFolderDlg::accept() {
    if (!rules_.OnOK()) return;
    m_strResult = rules_.m_strResult;
    QDialog::accept();
}
