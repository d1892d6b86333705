#include "viewer/win32/dialogs/folder_dlg.h"

#include <array>

namespace {

// Bitmap resources of the image list, in index order (the RAM disk shows as a fixed drive).
constexpr std::array<int, kFolderImageCount> kPictures = {
    IDB_FIXED_DRIVE, IDB_REMOVABLE_DRIVE, IDB_CDROM_DRIVE,       IDB_NETWORK_DRIVE,    IDB_FIXED_DRIVE,
    IDB_FOLDER,      IDB_SELECTED_FOLDER, IDB_SPARE_OPEN_FOLDER, IDB_SPARE_COMPUTER};
constexpr int kImageGrowth = 7;
constexpr COLORREF kPictureMask = RGB(255, 0, 255);

class BusyScope {
public:
    explicit BusyScope(int& busy) : busy_(busy) { ++busy_; }
    ~BusyScope() { --busy_; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    int& busy_;
};

class WaitCursorScope {
public:
    WaitCursorScope() : previous_(SetCursor(LoadCursorA(nullptr, IDC_WAIT))) {}
    ~WaitCursorScope() { SetCursor(previous_); }
    WaitCursorScope(const WaitCursorScope&) = delete;
    WaitCursorScope& operator=(const WaitCursorScope&) = delete;

private:
    HCURSOR previous_;
};

}  // namespace

CFolderDlg::CFolderDlg(const FolderServices& services) : Win32Dialog(IDD_FOLDER), rules_(services) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);
}

CFolderDlg::~CFolderDlg() {
    rules_.Tree().SetView(nullptr);
    DestroyModeless();
    if (images_) ImageList_Destroy(images_);
}

HTREEITEM CFolderDlg::HandleOf(const FolderItem* item) const {
    const auto found = shown_.find(item);
    return found == shown_.end() ? nullptr : found->second;
}

BOOL CFolderDlg::OnInitDialog() {
    const WaitCursorScope wait;
    images_ = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, kFolderImageCount, kImageGrowth);
    for (int picture : kPictures) {
        HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(picture));
        ImageList_AddMasked(images_, bitmap, kPictureMask);
        DeleteObject(bitmap);
    }
    TreeView_SetImageList(Tree(), images_, TVSIL_NORMAL);
    TreeView_SetBkColor(Tree(), RGB(255, 255, 255));
    rules_.Tree().SetView(this);
    // A lone backslash is the root of the current drive, as the system reads it.
    rules_.m_strInitialPath = m_strInitialPath;
    char current[MAX_PATH] = {};
    if (m_strInitialPath == "\\" && GetCurrentDirectoryA(MAX_PATH, current) >= 3 && current[1] == ':')
        rules_.m_strInitialPath = std::string(current, 3);
    {
        const BusyScope busy(busy_);
        rules_.OnInitDialog();
    }
    ShowSelection();
    SetWindowTextA(Handle(), m_strTitle.c_str());
    return TRUE;
}

bool CFolderDlg::OnNotify(const NMHDR& header, LRESULT* result) {
    if (header.idFrom != IDC_FOLDER_TREE) return false;
    const auto& tree = reinterpret_cast<const NMTREEVIEWA&>(header);
    switch (header.code) {
    case TVN_ITEMEXPANDINGA: {
        *result = FALSE;
        if (busy_) return true;  // the control follows the tree
        // The tree decides and tells the control the outcome; the control never moves by itself.
        *result = TRUE;
        auto* item = reinterpret_cast<FolderItem*>(tree.itemNew.lParam);
        const WaitCursorScope wait;  // a folder of many sub-folders takes a moment
        {
            const BusyScope busy(busy_);
            if (tree.action & TVE_EXPAND) rules_.Tree().Expand(item);
            else rules_.Tree().Collapse(item);
        }
        ShowSelection();
        return true;
    }
    case TVN_SINGLEEXPAND:
        // The tree's own single-expand rule runs on the selection instead.
        *result = TVNRET_SKIPOLD | TVNRET_SKIPNEW;
        return true;
    case TVN_SELCHANGEDA: {
        if (busy_) return true;
        auto* item = reinterpret_cast<FolderItem*>(tree.itemNew.lParam);
        const WaitCursorScope wait;
        {
            const BusyScope busy(busy_);
            rules_.Tree().Select(item, tree.action == TVC_BYMOUSE);
        }
        ShowSelection();
        return true;
    }
    default: return false;
    }
}

void CFolderDlg::OnOK() {
    if (!rules_.OnOK()) return;
    m_strResult = rules_.m_strResult;
    End(IDOK);
}

void CFolderDlg::BeginInsert(const FolderItem* parent, std::size_t first, std::size_t count) {
    inserting_ = parent;
    insertFirst_ = first;
    insertCount_ = count;
}

void CFolderDlg::EndInsert() {
    const BusyScope busy(busy_);
    for (std::size_t i = insertFirst_; i < insertFirst_ + insertCount_; ++i)
        InsertShown(inserting_->children[i].get());
    inserting_ = nullptr;
}

// The tree only ever appends children, so each goes last under its parent.
void CFolderDlg::InsertShown(const FolderItem* item) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = item->parent->parent ? HandleOf(item->parent) : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(item->text.c_str());
    insert.item.iImage = item->image;
    insert.item.iSelectedImage = item->selectedImage;
    insert.item.lParam = reinterpret_cast<LPARAM>(item);
    shown_[item] = TreeView_InsertItem(Tree(), &insert);
    for (const auto& child : item->children) InsertShown(child.get());
}

void CFolderDlg::BeginRemove(const FolderItem* parent, std::size_t first, std::size_t count) {
    const BusyScope busy(busy_);
    for (std::size_t i = first; i < first + count; ++i) {
        const FolderItem* item = parent->children[i].get();
        if (HTREEITEM handle = HandleOf(item)) TreeView_DeleteItem(Tree(), handle);
        Forget(item);
    }
}

void CFolderDlg::Forget(const FolderItem* item) {
    shown_.erase(item);
    for (const auto& child : item->children) Forget(child.get());
}

void CFolderDlg::ExpandedChanged(const FolderItem* item) {
    const BusyScope busy(busy_);
    HTREEITEM handle = HandleOf(item);
    if (!handle) return;
    TreeView_Expand(Tree(), handle, item->expanded ? TVE_EXPAND : TVE_COLLAPSE);
    // Once an item has been open the control asks nobody before a program's expand or
    // collapse; without the mark every one goes through the tree again.
    TreeView_SetItemState(Tree(), handle, 0, TVIS_EXPANDEDONCE);
}

void CFolderDlg::SelectionChanged(const FolderItem* /*previous*/, const FolderItem* /*current*/) { ShowSelection(); }

void CFolderDlg::ShowSelection() {
    const BusyScope busy(busy_);
    HTREEITEM selected = HandleOf(rules_.Tree().Selected());
    if (TreeView_GetSelection(Tree()) != selected) TreeView_SelectItem(Tree(), selected);
    if (selected) TreeView_EnsureVisible(Tree(), selected);
}
