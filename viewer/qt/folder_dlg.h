#pragma once

#include "viewer/frame/folder_tree.h"

#include <QAbstractItemModel>
#include <QDialog>
#include <QIcon>
#include <QPixmap>

#include <functional>
#include <string>
#include <vector>

class QPushButton;
class QTreeView;

// The tree's items as a Qt model, following every change the tree reports.
class FolderTreeModel final : public QAbstractItemModel, public FolderTreeView {
public:
    FolderTreeModel(FolderTreeCtrl& tree, std::vector<QIcon> images, QObject* parent = nullptr);

    QModelIndex IndexOf(const FolderItem* item) const;
    FolderItem* ItemOf(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    void BeginInsert(const FolderItem* parent, std::size_t first, std::size_t count) override;
    void EndInsert() override;
    void BeginRemove(const FolderItem* parent, std::size_t first, std::size_t count) override;
    void EndRemove() override;
    void ExpandedChanged(const FolderItem* item) override;
    void SelectionChanged(const FolderItem* previous, const FolderItem* current) override;

    // Where the dialog hears of expansion changes, to carry them to its view.
    std::function<void(const FolderItem*)> onExpandedChanged;

private:
    FolderTreeCtrl& tree_;
    std::vector<QIcon> images_;
};

// The nine 16 × 16 pictures of the tree's image list, in index order.
QPixmap FolderPicture(int index);

// The folder selection dialog: a tree of drives and folders, filled as it is opened.
class CFolderDlg final : public QDialog {
public:
    explicit CFolderDlg(const FolderServices& services, QWidget* parent = nullptr);
    ~CFolderDlg() override;

    QTreeView* Tree() const { return m_pTree; }
    QPushButton* OkButton() const { return m_pOk; }
    QPushButton* CancelButton() const { return m_pCancel; }
    FolderDlgRules& Rules() { return rules_; }
    FolderTreeModel& Model() { return *model_; }

    // The first showing runs the initialisation.
    void setVisible(bool visible) override;
    void accept() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    std::string m_strTitle;
    std::string m_strInitialPath;
    std::string m_strResult;

private:
    void OnInitDialog();
    void OnExpanded(const QModelIndex& index, bool expand);
    void OnCurrentChanged(const QModelIndex& current);
    void ShowSelection();

    FolderDlgRules rules_;
    FolderTreeModel* model_ = nullptr;
    QTreeView* m_pTree = nullptr;
    QPushButton* m_pOk = nullptr;
    QPushButton* m_pCancel = nullptr;
    bool initialised_ = false;
    bool busy_ = false;  // the tree is changing: the view's own signals are echoes
    bool clicking_ = false;  // a mouse button is down on the tree
};
