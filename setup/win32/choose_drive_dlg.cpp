#include "setup/win32/choose_drive_dlg.h"

#include "setup/setup_texts.h"
#include "setup/system_checks.h"
#include "setup/win32/resource.h"
#include "setup/win32/setup_pictures.h"

namespace setup::win32 {
namespace {

enum Picture { kClosedFolder = 0, kOpenFolder = 1, kDownArrow = 2, kHardDrive = 3 };

HTREEITEM InsertItem(HWND tree, HTREEITEM parent, const std::string& text, int picture) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<char*>(text.c_str());
    insert.item.iImage = insert.item.iSelectedImage = picture;
    return reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

void SetPicture(HWND tree, HTREEITEM item, int picture) {
    TVITEMA change{};
    change.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    change.hItem = item;
    change.iImage = change.iSelectedImage = picture;
    ::SendMessageA(tree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
}

}  // namespace

CChooseDriveDlg::~CChooseDriveDlg() {
    if (m_hImages) ::ImageList_Destroy(m_hImages);
}

void CChooseDriveDlg::OnInit() {
    ::SetWindowTextA(Window(), texts::kChooseDirectoryCaption);
    const ControlText buttons[] = {{IDOK, texts::kOkButton}, {IDCANCEL, texts::kCancelButton}};
    SetTexts(Window(), buttons);
    m_hTree = Item(IDC_DRIVE_TREE);
    m_hImages = CreateTreeImageList();
    ::SendMessageA(m_hTree, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(m_hImages));

    m_astrDrives = FixedDriveList(m_drives);
    m_hRootItem = InsertItem(m_hTree, TVI_ROOT, texts::kAvailableDrives, kClosedFolder);
    for (const auto& root : m_astrDrives) InsertItem(m_hTree, m_hRootItem, root, kHardDrive);
    ::SendMessageA(m_hTree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(m_hRootItem));
    SetPicture(m_hTree, m_hRootItem, kDownArrow);
    // A tree takes its first item as the selection when it gets the focus.
    ::SendMessageA(m_hTree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(m_hRootItem));
}

std::string CChooseDriveDlg::ItemLabel(HTREEITEM item) const {
    char buffer[MAX_PATH] = {};
    TVITEMA get{};
    get.mask = TVIF_TEXT;
    get.hItem = item;
    get.pszText = buffer;
    get.cchTextMax = sizeof buffer;
    ::SendMessageA(m_hTree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&get));
    return buffer;
}

bool CChooseDriveDlg::OnCommand(int id, int) {
    if (id != IDOK) return false;
    const auto selected =
        reinterpret_cast<HTREEITEM>(::SendMessageA(m_hTree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    m_strChosenRoot = !selected || selected == m_hRootItem ? texts::kDefaultDriveRoot : ItemLabel(selected);
    Close(IDOK);
    return true;
}

bool CChooseDriveDlg::OnMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR*) {
    if (message != WM_NOTIFY) return false;
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->hwndFrom != m_hTree || header->code != NM_DBLCLK) return false;
    TVHITTESTINFO hit{};
    ::GetCursorPos(&hit.pt);
    ::ScreenToClient(m_hTree, &hit.pt);
    const auto item = reinterpret_cast<HTREEITEM>(::SendMessageA(m_hTree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    // The root keeps its picture and only opens or closes, as the tree does by itself.
    if (!item || item == m_hRootItem) return false;
    m_strChosenRoot = ItemLabel(item);
    Close(IDOK);
    return true;
}

}  // namespace setup::win32
