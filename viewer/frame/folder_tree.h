#pragma once

#include "viewer/app/file_tools.h"

#include "platform/drives.h"
#include "platform/file_system.h"
#include "platform/folder_scan.h"
#include "platform/messages.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

// Indices into the folder tree's image list.
enum FolderImage : int {
    kImageFixedDrive = 0,
    kImageRemovableDrive = 1,
    kImageCdRomDrive = 2,
    kImageNetworkDrive = 3,
    kImageRamDisk = 4,
    kImageFolder = 5,
    kImageSelectedFolder = 6,
    kImageSpareOpenFolder = 7,  // loaded, not shown
    kImageSpareComputer = 8,    // loaded, not shown
    kFolderImageCount = 9,
};

// One item of the tree: text, picture and selected picture, children in display order.
struct FolderItem {
    std::string text;
    int image = 0;
    int selectedImage = 0;
    bool expanded = false;
    FolderItem* parent = nullptr;
    std::size_t row = 0;  // index among the parent's children
    std::vector<std::unique_ptr<FolderItem>> children;
};

// What a window showing the tree is told, so it can follow every change.
class FolderTreeView {
public:
    virtual ~FolderTreeView() = default;
    virtual void BeginInsert(const FolderItem* parent, std::size_t first, std::size_t count) = 0;
    virtual void EndInsert() = 0;
    virtual void BeginRemove(const FolderItem* parent, std::size_t first, std::size_t count) = 0;
    virtual void EndRemove() = 0;
    // Also sent after a refused expand or collapse, so that a window which already
    // moved by itself goes back.
    virtual void ExpandedChanged(const FolderItem* item) = 0;
    virtual void SelectionChanged(const FolderItem* previous, const FolderItem* current) = 0;
};

// A tree control's data without a window: items, expansion, selection. Asks its handler
// before an item expands or collapses and tells it after the selection changed; clicking
// an item expands it and collapses the branch selected before (single-expand).
class FolderTreeCtrl {
public:
    class Handler {
    public:
        virtual ~Handler() = default;
        // False refuses. The handler may delete the item.
        virtual bool OnItemExpanding(FolderItem* item, bool expand) = 0;
        virtual void OnSelChanged(FolderItem* item) = 0;
    };

    struct NewItem {
        std::string text;
        int image = 0;
        int selectedImage = 0;
        bool placeholder = false;  // give it a placeholder child
    };

    FolderTreeCtrl();
    ~FolderTreeCtrl();
    FolderTreeCtrl(const FolderTreeCtrl&) = delete;
    FolderTreeCtrl& operator=(const FolderTreeCtrl&) = delete;

    void SetHandler(Handler* handler) { handler_ = handler; }
    void SetView(FolderTreeView* view) { view_ = view; }

    // The invisible root; its children are the top-level items.
    FolderItem* Root() { return &root_; }
    const FolderItem* Root() const { return &root_; }
    FolderItem* Selected() const { return selected_; }

    FolderItem* InsertItem(FolderItem* parent, const std::string& text, int image, int selectedImage);
    // Appends many children at once (the caller has put them in order).
    void InsertItems(FolderItem* parent, std::vector<NewItem> items);
    void InsertPlaceholder(FolderItem* parent);
    void DeleteItem(FolderItem* item);
    void DeleteChildren(FolderItem* item);

    // Expand and collapse as the user asks: the handler decides. True when done.
    bool Expand(FolderItem* item);
    bool Collapse(FolderItem* item);
    // Closes an item without asking the handler (the handler's own reset).
    void CollapseQuietly(FolderItem* item);
    // `byClick`: chosen with the mouse, which also expands the item (single-expand). Keys
    // only move the selection, so that walking down the list does not open every folder
    // on the way.
    void Select(FolderItem* item, bool byClick);

private:
    class Watch;
    void RemoveRows(FolderItem* parent, std::size_t first, std::size_t count);
    void Forget(const FolderItem* gone);
    void SelectAfterDeletion();
    void Renumber(FolderItem* parent, std::size_t from);

    FolderItem root_;
    Handler* handler_ = nullptr;
    FolderTreeView* view_ = nullptr;
    FolderItem* selected_ = nullptr;
    // Set when the selected item was deleted: the nearest item that survived.
    FolderItem* reselect_ = nullptr;
    bool selectionLost_ = false;
    int depth_ = 0;  // nesting of handler calls
    std::vector<FolderItem**> watches_;
};

// Keeps the tree: lists the drives, fills folders when they are expanded and notices when
// a removable disk or CD was changed.
class CFolderTree {
public:
    // Every drive's serial starts as this: none seen yet.
    static constexpr std::uint32_t kNoSerial = 0xFFFFFFFFu;

    CFolderTree(FolderTreeCtrl& tree, const platform::Drives& drives, const platform::FileSystem& fs,
                const platform::FolderScan& scan)
        : tree_(tree), drives_(drives), fs_(fs), scan_(scan) {}

    // One top-level item a drive, root first, then by path.
    void FillDrives();
    bool HasSubfolders(const std::string& path) const;
    // Number of sub-folders inserted under the item (sorted, each with a placeholder
    // when it has sub-folders of its own).
    std::size_t FillFolder(FolderItem* item);
    std::string ItemPath(const FolderItem* item) const;
    // False when the disk in a removable or CD drive holding the path was changed or
    // cannot be read; other drives always pass.
    bool CheckMedia(const std::string& path);
    // Closes the drive holding the item back to a placeholder after a failed media check.
    void ResetDrive(FolderItem* item);
    // The listed drive root that holds the path (the longest), empty when none does.
    std::string DriveRoot(const std::string& path) const;
    bool IsDriveItem(const FolderItem* item) const { return item->parent == tree_.Root(); }

    // Last serial number seen per drive root.
    std::map<std::string, std::uint32_t> m_adwVolumeSerial;

private:
    const platform::Mount* DriveOf(const std::string& path) const;

    FolderTreeCtrl& tree_;
    const platform::Drives& drives_;
    const platform::FileSystem& fs_;
    const platform::FolderScan& scan_;
    std::vector<platform::Mount> listed_;
};

// The services the folder selection needs.
struct FolderServices {
    const platform::Drives& drives;
    const platform::FolderScan& scan;
    platform::FileSystem& fs;
    platform::MessageSink& messages;
};

// The folder selection dialog's rules without its window: initialisation, the tree's
// notifications and OK.
class FolderDlgRules final : public FolderTreeCtrl::Handler {
public:
    explicit FolderDlgRules(const FolderServices& services);

    // Fills the drives and preselects the drive of m_strInitialPath.
    void OnInitDialog();
    bool OnItemExpanding(FolderItem* item, bool expand) override;
    void OnSelChanged(FolderItem* item) override;
    // False while nothing is selected: the dialog stays open.
    bool OnOK();

    FolderTreeCtrl& Tree() { return tree_; }
    CFolderTree& Folders() { return folders_; }

    std::string m_strCurrentPath;
    std::string m_strSelectedPath;
    std::string m_strResult;
    std::string m_strInitialPath;

private:
    FolderTreeCtrl tree_;
    CFolderTree folders_;
    CFileTools fileTools_;
};
