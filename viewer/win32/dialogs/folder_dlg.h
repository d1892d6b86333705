#pragma once

#include "viewer/frame/folder_tree.h"
#include "viewer/win32/dialogs/dialog_ids.h"
#include "viewer/win32/dialogs/win32_dialog.h"

#include <commctrl.h>

#include <string>
#include <unordered_map>

// The folder selection dialog over a tree-view control: the core's tree holds the items
// and decides every expansion; the control shows them and follows each change.
class CFolderDlg final : public Win32Dialog, private FolderTreeView {
public:
    explicit CFolderDlg(const FolderServices& services);
    ~CFolderDlg() override;

    FolderDlgRules& Rules() { return rules_; }
    // The control's item showing a tree item, null when there is none.
    HTREEITEM HandleOf(const FolderItem* item) const;

    std::string m_strTitle;
    std::string m_strInitialPath;
    std::string m_strResult;

private:
    BOOL OnInitDialog() override;
    bool OnNotify(const NMHDR& header, LRESULT* result) override;
    void OnOK() override;

    void BeginInsert(const FolderItem* parent, std::size_t first, std::size_t count) override;
    void EndInsert() override;
    void BeginRemove(const FolderItem* parent, std::size_t first, std::size_t count) override;
    void EndRemove() override {}
    void ExpandedChanged(const FolderItem* item) override;
    void SelectionChanged(const FolderItem* previous, const FolderItem* current) override;

    void InsertShown(const FolderItem* item);
    void Forget(const FolderItem* item);
    // The control's selection follows the tree's, which moves when items are removed.
    void ShowSelection();
    HWND Tree() const { return Item(IDC_FOLDER_TREE); }

    FolderDlgRules rules_;
    HIMAGELIST images_ = nullptr;
    std::unordered_map<const FolderItem*, HTREEITEM> shown_;
    const FolderItem* inserting_ = nullptr;
    std::size_t insertFirst_ = 0, insertCount_ = 0;
    int busy_ = 0;  // the control is being changed: its notices are echoes
};
