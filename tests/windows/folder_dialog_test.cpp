// The folder selection dialog's tree-view control under Wine: the prefix's drives, folders
// filled as they are expanded, and a changed disk closing its drive.
#include "tests/windows/dialog_test_support.h"
#include "viewer/win32/dialogs/dialog_ids.h"
#include "viewer/win32/dialogs/folder_dlg.h"
#include "viewer/win32/dialogs/viewer_dialogs.h"

#include "platform/fake/fake_drives.h"
#include "platform/fake/recording_message_sink.h"
#include "platform/win32/win32_drives.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_folder_scan.h"
#include "viewer/res/texts.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace dialogtest;

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

struct Shown {
    std::string text;
    int image = -1, selectedImage = -1;
    bool expanded = false;
};

Shown Read(HWND tree, HTREEITEM item) {
    char text[MAX_PATH] = {};
    TVITEMA info{};
    info.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE;
    info.hItem = item;
    info.pszText = text;
    info.cchTextMax = sizeof text;
    info.stateMask = TVIS_EXPANDED;
    TreeView_GetItem(tree, &info);
    return {text, info.iImage, info.iSelectedImage, (info.state & TVIS_EXPANDED) != 0};
}

// The texts of the control's children of `parent` (null: the drives).
std::vector<std::string> Children(HWND tree, HTREEITEM parent) {
    std::vector<std::string> texts;
    HTREEITEM child = parent ? TreeView_GetChild(tree, parent) : TreeView_GetRoot(tree);
    for (; child; child = TreeView_GetNextSibling(tree, child)) texts.push_back(Read(tree, child).text);
    return texts;
}

HTREEITEM Find(HWND tree, HTREEITEM parent, const std::string& text) {
    HTREEITEM child = parent ? TreeView_GetChild(tree, parent) : TreeView_GetRoot(tree);
    for (; child; child = TreeView_GetNextSibling(tree, child))
        if (Read(tree, child).text == text) return child;
    return nullptr;
}

class FolderDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        char current[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, current);
        here_ = current;  // v:\tests\windows: the build folder is drive v:
        show_ = here_ + "\\folder-dialog-show";
        for (const char* folder : {"", "\\alpha", "\\alpha\\beta", "\\gamma"})
            CreateDirectoryA((show_ + folder).c_str(), nullptr);
    }

    // Expands the items on the way from the drive to the show's folder, as clicks on
    // their buttons would; returns the show's item.
    HTREEITEM OpenShow(HWND tree) {
        HTREEITEM item = Find(tree, nullptr, "V:\\");
        std::string rest = show_.substr(3) + "\\";
        while (item && !rest.empty()) {
            TreeView_Expand(tree, item, TVE_EXPAND);
            const std::string name = rest.substr(0, rest.find('\\'));
            rest.erase(0, name.size() + 1);
            item = Find(tree, item, name);
        }
        return item;
    }

    std::string here_, show_;
    platform::win32::Win32FileSystem fs;
    platform::win32::Win32FolderScan scan;
    platform::fake::RecordingMessageSink messages;
};

TEST_F(FolderDialogTest, ListsTheDrivesPreselectsCAndExpandsFolders) {
    platform::win32::Win32Drives drives;
    CFolderDlg dialog({drives, scan, fs, messages});
    dialog.m_strTitle = texts::kFolderSelectTitle;
    dialog.m_strInitialPath = "C:\\";
    HWND d = dialog.Create(nullptr);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(WindowText(d), texts::kFolderSelectTitle);
    ExpectDialogFont(d);
    HWND tree = GetDlgItem(d, IDC_FOLDER_TREE);
    ExpectAt(d, tree, {7, 7, 193, 163}, "tree");
    ExpectItem(d, IDOK, {42, 178, 50, 14}, "OK");
    ExpectItem(d, IDCANCEL, {115, 178, 50, 14}, "Cancel");
    const LONG style = GetWindowLongA(tree, GWL_STYLE);
    for (LONG bit : std::vector<LONG>{TVS_HASBUTTONS, TVS_HASLINES, TVS_LINESATROOT, TVS_DISABLEDRAGDROP,
                                      TVS_SHOWSELALWAYS, TVS_SINGLEEXPAND, WS_TABSTOP})
        EXPECT_EQ(style & bit, bit) << std::hex << bit;
    // The control turns its border into a client edge.
    EXPECT_TRUE((style & WS_BORDER) || (GetWindowLongA(tree, GWL_EXSTYLE) & WS_EX_CLIENTEDGE));
    HIMAGELIST images = TreeView_GetImageList(tree, TVSIL_NORMAL);
    EXPECT_EQ(ImageList_GetImageCount(images), 9);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(images, &cx, &cy);
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(cy, 16);

    // Every drive the system reports, in letter order.
    std::vector<std::string> letters;
    const DWORD mask = GetLogicalDrives();
    for (int i = 0; i < 26; ++i)
        if (mask & (1u << i)) letters.push_back(std::string(1, static_cast<char>('A' + i)) + ":\\");
    EXPECT_EQ(Children(tree, nullptr), letters);
    ASSERT_NE(Find(tree, nullptr, "V:\\"), nullptr);
    const HTREEITEM c = Find(tree, nullptr, "C:\\");
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(TreeView_GetSelection(tree), c);
    EXPECT_EQ(Read(tree, c).image, 0) << "C: is a fixed drive";

    const HTREEITEM show = OpenShow(tree);
    ASSERT_NE(show, nullptr) << show_;
    TreeView_Expand(tree, show, TVE_EXPAND);
    EXPECT_TRUE(Read(tree, show).expanded);
    EXPECT_EQ(Children(tree, show), (std::vector<std::string>{"alpha", "gamma"}));
    const HTREEITEM alpha = Find(tree, show, "alpha");
    EXPECT_EQ(Read(tree, alpha).image, 5);
    EXPECT_EQ(Read(tree, alpha).selectedImage, 6);
    // alpha holds a folder: a placeholder draws its button; gamma holds none.
    EXPECT_EQ(Children(tree, alpha), std::vector<std::string>{""});
    EXPECT_TRUE(Children(tree, Find(tree, show, "gamma")).empty());
    TreeView_Expand(tree, alpha, TVE_EXPAND);
    EXPECT_EQ(Children(tree, alpha), std::vector<std::string>{"beta"});

    // The user's collapse (the minus key on the selected item) empties the folder back to
    // its placeholder; the plus key fills it again.
    TreeView_SelectItem(tree, alpha);
    SendMessageA(tree, WM_KEYDOWN, VK_SUBTRACT, 0);
    EXPECT_FALSE(Read(tree, alpha).expanded);
    EXPECT_EQ(Children(tree, alpha), std::vector<std::string>{""});
    SendMessageA(tree, WM_KEYDOWN, VK_ADD, 0);
    EXPECT_TRUE(Read(tree, alpha).expanded);
    EXPECT_EQ(Children(tree, alpha), std::vector<std::string>{"beta"});

    // A click on gamma selects it and closes alpha's branch (single-expand).
    RECT at{};
    const HTREEITEM gamma = Find(tree, show, "gamma");
    TreeView_EnsureVisible(tree, gamma);
    TreeView_GetItemRect(tree, gamma, &at, TRUE);
    const LPARAM point = MAKELPARAM((at.left + at.right) / 2, (at.top + at.bottom) / 2);
    PostMessageA(tree, WM_LBUTTONUP, 0, point);
    SendMessageA(tree, WM_LBUTTONDOWN, MK_LBUTTON, point);
    Pump();
    EXPECT_EQ(TreeView_GetSelection(tree), gamma);
    EXPECT_EQ(dialog.Rules().m_strSelectedPath, show_ + "\\gamma");
    EXPECT_FALSE(Read(tree, alpha).expanded);
    EXPECT_EQ(Children(tree, alpha), std::vector<std::string>{""});

    TreeView_SelectItem(tree, alpha);
    EXPECT_EQ(dialog.Rules().m_strSelectedPath, show_ + "\\alpha");
    Click(d, IDOK);
    EXPECT_EQ(dialog.Result(), IDOK);
    EXPECT_EQ(dialog.m_strResult, show_ + "\\alpha");
}

// The drive is found by its text exactly. (Given the focus with nothing selected, the
// control itself then selects its first item, as it does on Windows.)
TEST_F(FolderDialogTest, TheInitialPathPreselectsItsDriveOnlyWhenWrittenInCapitals) {
    platform::win32::Win32Drives drives;
    for (const auto& [initial, selected] : {std::pair{"V:\\", true}, {"v:\\", false}}) {
        CFolderDlg dialog({drives, scan, fs, messages});
        dialog.m_strInitialPath = initial;
        HWND d = dialog.Create(nullptr);
        HWND tree = GetDlgItem(d, IDC_FOLDER_TREE);
        EXPECT_EQ(TreeView_GetSelection(tree) == Find(tree, nullptr, "V:\\"), selected) << initial;
    }
}

// File > Open starts the dialog at "\\": the current drive's root.
TEST_F(FolderDialogTest, ALoneBackslashPreselectsTheCurrentDrive) {
    platform::win32::Win32Drives drives;
    char before[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, before);
    ASSERT_TRUE(SetCurrentDirectoryA("V:\\"));
    CFolderDlg dialog({drives, scan, fs, messages});
    dialog.m_strInitialPath = "\\";
    HWND d = dialog.Create(nullptr);
    HWND tree = GetDlgItem(d, IDC_FOLDER_TREE);
    EXPECT_EQ(TreeView_GetSelection(tree), Find(tree, nullptr, "V:\\"));
    SetCurrentDirectoryA(before);
}

TEST_F(FolderDialogTest, AChangedDiskClosesItsDriveAndTheNextExpansionReadsTheNewOne) {
    platform::fake::FakeDrives drives;
    drives.mounts = {{"V:\\", platform::DriveType::Removable}};
    drives.serials["V:\\"] = 1;
    CFolderDlg dialog({drives, scan, fs, messages});
    HWND d = dialog.Create(nullptr);
    HWND tree = GetDlgItem(d, IDC_FOLDER_TREE);
    const HTREEITEM v = Find(tree, nullptr, "V:\\");
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(Read(tree, v).image, 1);
    const HTREEITEM show = OpenShow(tree);
    ASSERT_NE(show, nullptr);

    drives.serials["V:\\"] = 2;
    TreeView_Expand(tree, show, TVE_EXPAND);
    EXPECT_FALSE(Read(tree, v).expanded);
    EXPECT_EQ(Children(tree, v), std::vector<std::string>{""});
    EXPECT_EQ(dialog.HandleOf(dialog.Rules().Tree().Root()->children[0]->children[0].get()),
              TreeView_GetChild(tree, v));

    TreeView_Expand(tree, v, TVE_EXPAND);
    EXPECT_TRUE(Read(tree, v).expanded);
    EXPECT_NE(Find(tree, v, "tests"), nullptr);
}

TEST_F(FolderDialogTest, ACdDriveWithoutADiskKeepsItsPlaceholder) {
    platform::fake::FakeDrives drives;
    drives.mounts = {{"V:\\", platform::DriveType::CdRom}};
    CFolderDlg dialog({drives, scan, fs, messages});
    HWND d = dialog.Create(nullptr);
    HWND tree = GetDlgItem(d, IDC_FOLDER_TREE);
    const HTREEITEM v = Find(tree, nullptr, "V:\\");
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(Read(tree, v).image, 2);
    TreeView_Expand(tree, v, TVE_EXPAND);
    EXPECT_FALSE(Read(tree, v).expanded);
    EXPECT_EQ(Children(tree, v), std::vector<std::string>{""});
}

// File > Open's path: the chosen folder comes back only after OK.
TEST_F(FolderDialogTest, OpenReturnsTheFolderOnlyAfterOk) {
    platform::win32::Win32Drives drives;
    ScriptRunner runner;
    Win32ViewerDialogs dialogs(runner, messages);
    std::string result = "unchanged";
    runner.script = [](HWND d) { Click(d, IDCANCEL); };
    EXPECT_FALSE(dialogs.RunFolder({drives, scan, fs, messages}, texts::kFolderSelectTitle, "C:\\", result));
    EXPECT_EQ(result, "unchanged");
    runner.script = [](HWND d) {
        EXPECT_EQ(WindowText(d), texts::kFolderSelectTitle);
        Click(d, IDOK);
    };
    EXPECT_TRUE(dialogs.RunFolder({drives, scan, fs, messages}, texts::kFolderSelectTitle, "C:\\", result));
    EXPECT_EQ(result, "C:\\");
}

}  // namespace
