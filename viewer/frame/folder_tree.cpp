#include "viewer/frame/folder_tree.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace {

constexpr char kSep = platform::kPathSeparator;

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

// Folder names in the order a reader expects: letters without regard to case, and the
// bytes themselves where that ties, so that the order never depends on the locale.
bool FolderNameLess(const std::string& a, const std::string& b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int ca = std::tolower(static_cast<unsigned char>(a[i]));
        const int cb = std::tolower(static_cast<unsigned char>(b[i]));
        if (ca != cb) return ca < cb;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

bool IsAncestorOrSelf(const FolderItem* ancestor, const FolderItem* item) {
    for (const FolderItem* p = item; p; p = p->parent)
        if (p == ancestor) return true;
    return false;
}

}  // namespace

// Clears a pointer the caller holds when the item it points at is deleted meanwhile.
class FolderTreeCtrl::Watch {
public:
    Watch(FolderTreeCtrl& tree, FolderItem** item) : tree_(tree) { tree_.watches_.push_back(item); }
    ~Watch() { tree_.watches_.pop_back(); }
    Watch(const Watch&) = delete;
    Watch& operator=(const Watch&) = delete;

private:
    FolderTreeCtrl& tree_;
};

FolderTreeCtrl::FolderTreeCtrl() { root_.expanded = true; }

FolderTreeCtrl::~FolderTreeCtrl() = default;

void FolderTreeCtrl::Renumber(FolderItem* parent, std::size_t from) {
    for (std::size_t i = from; i < parent->children.size(); ++i) parent->children[i]->row = i;
}

FolderItem* FolderTreeCtrl::InsertItem(FolderItem* parent, const std::string& text, int image, int selectedImage) {
    const std::size_t row = parent->children.size();
    if (view_) view_->BeginInsert(parent, row, 1);
    auto item = std::make_unique<FolderItem>();
    item->text = text;
    item->image = image;
    item->selectedImage = selectedImage;
    item->parent = parent;
    item->row = row;
    FolderItem* raw = item.get();
    parent->children.push_back(std::move(item));
    if (view_) view_->EndInsert();
    return raw;
}

void FolderTreeCtrl::InsertItems(FolderItem* parent, std::vector<NewItem> items) {
    if (items.empty()) return;
    const std::size_t first = parent->children.size();
    if (view_) view_->BeginInsert(parent, first, items.size());
    parent->children.reserve(first + items.size());
    for (auto& n : items) {
        auto item = std::make_unique<FolderItem>();
        item->text = std::move(n.text);
        item->image = n.image;
        item->selectedImage = n.selectedImage;
        item->parent = parent;
        item->row = parent->children.size();
        if (n.placeholder) {
            auto child = std::make_unique<FolderItem>();
            child->parent = item.get();
            item->children.push_back(std::move(child));
        }
        parent->children.push_back(std::move(item));
    }
    if (view_) view_->EndInsert();
}

void FolderTreeCtrl::InsertPlaceholder(FolderItem* parent) { InsertItem(parent, std::string(), 0, 0); }

void FolderTreeCtrl::RemoveRows(FolderItem* parent, std::size_t first, std::size_t count) {
    if (count == 0) return;
    const auto removed = [&](const FolderItem* p) {
        while (p && p->parent != parent) p = p->parent;
        return p && p->row >= first && p->row < first + count;
    };
    FolderItem* survivor = parent == &root_ ? nullptr : parent;
    if (reselect_ && removed(reselect_)) reselect_ = survivor;
    if (selected_ && removed(selected_)) {
        selected_ = nullptr;
        selectionLost_ = true;
        reselect_ = survivor;
    }
    for (FolderItem** w : watches_)
        if (*w && removed(*w)) *w = nullptr;
    if (view_) view_->BeginRemove(parent, first, count);
    auto begin = parent->children.begin() + static_cast<std::ptrdiff_t>(first);
    parent->children.erase(begin, begin + static_cast<std::ptrdiff_t>(count));
    Renumber(parent, first);
    if (view_) view_->EndRemove();
}

void FolderTreeCtrl::DeleteItem(FolderItem* item) {
    if (!item || item == &root_) return;
    RemoveRows(item->parent, item->row, 1);
    if (depth_ == 0) SelectAfterDeletion();
}

void FolderTreeCtrl::DeleteChildren(FolderItem* item) {
    RemoveRows(item, 0, item->children.size());
    if (depth_ == 0) SelectAfterDeletion();
}

// A deleted selection moves to the nearest item that is left, as a tree control does;
// the handler hears of it, so the selected path never names a removed item.
void FolderTreeCtrl::SelectAfterDeletion() {
    if (!selectionLost_) return;
    selectionLost_ = false;
    FolderItem* target = reselect_;
    reselect_ = nullptr;
    if (target) {
        Select(target, false);
    } else if (view_) {
        view_->SelectionChanged(nullptr, nullptr);
    }
}

bool FolderTreeCtrl::Expand(FolderItem* item) {
    if (!item || item == &root_ || item->expanded || item->children.empty()) return false;
    FolderItem* watched = item;
    bool allowed = true;
    {
        Watch watch(*this, &watched);
        if (handler_) {
            ++depth_;
            allowed = handler_->OnItemExpanding(item, true);
            --depth_;
        }
    }
    if (watched) {
        allowed = allowed && !watched->children.empty();
        watched->expanded = allowed;
        if (view_) view_->ExpandedChanged(watched);
    } else {
        allowed = false;
    }
    if (depth_ == 0) SelectAfterDeletion();
    return allowed;
}

bool FolderTreeCtrl::Collapse(FolderItem* item) {
    if (!item || item == &root_ || !item->expanded) return false;
    FolderItem* watched = item;
    bool allowed = true;
    {
        Watch watch(*this, &watched);
        if (handler_) {
            ++depth_;
            allowed = handler_->OnItemExpanding(item, false);
            --depth_;
        }
    }
    if (watched) {
        if (allowed) watched->expanded = false;
        if (view_) view_->ExpandedChanged(watched);
    } else {
        allowed = false;
    }
    if (depth_ == 0) SelectAfterDeletion();
    return allowed;
}

void FolderTreeCtrl::CollapseQuietly(FolderItem* item) {
    if (!item || item == &root_ || !item->expanded) return;
    item->expanded = false;
    if (view_) view_->ExpandedChanged(item);
}

void FolderTreeCtrl::Select(FolderItem* item, bool byClick) {
    if (item == &root_) item = nullptr;
    if (item == selected_) return;
    FolderItem* previous = selected_;
    // Single-expand: the outermost open item on the old selection's branch that does not
    // hold the new one closes.
    FolderItem* close = nullptr;
    if (byClick && previous && item)
        for (FolderItem* p = previous; p && p != &root_; p = p->parent)
            if (p->expanded && !IsAncestorOrSelf(p, item)) close = p;
    selected_ = item;
    if (view_) view_->SelectionChanged(previous, item);
    FolderItem* watchedItem = item;
    FolderItem* watchedClose = close;
    Watch watchItem(*this, &watchedItem);
    Watch watchClose(*this, &watchedClose);
    if (item && handler_) {
        ++depth_;
        handler_->OnSelChanged(item);
        --depth_;
    }
    if (byClick && watchedItem && selected_ == watchedItem) {
        if (watchedClose) Collapse(watchedClose);
        if (watchedItem && selected_ == watchedItem) Expand(watchedItem);
    }
    if (depth_ == 0) SelectAfterDeletion();
}

// --- CFolderTree ---

void CFolderTree::FillDrives() {
    listed_.clear();
    m_adwVolumeSerial.clear();
    const std::vector<platform::Mount> mounts = drives_.Mounts();
    for (const auto& m : mounts) {
        switch (m.type) {
        case platform::DriveType::Removable:
        case platform::DriveType::Fixed:
        case platform::DriveType::Remote:
        case platform::DriveType::CdRom:
        case platform::DriveType::RamDisk: break;
        default: continue;
        }
        // Mounts inside a pseudo file system (a tmpfs below /sys) are the system's, not drives.
        const bool insidePseudo = std::any_of(mounts.begin(), mounts.end(), [&](const platform::Mount& other) {
            return other.type == platform::DriveType::NotADrive && other.root != m.root &&
                   StartsWith(m.root, other.root);
        });
        if (insidePseudo) continue;
        // A file mounted over a file has no root directory. Removable and CD drives are listed
        // unread: without a disk their roots cannot be looked up.
        const bool unread = m.type == platform::DriveType::Removable || m.type == platform::DriveType::CdRom;
        if (platform::DirEntry entry; !unread && (!fs_.Find(m.root, &entry) || !entry.isDirectory)) continue;
        listed_.push_back(m);
    }
    std::sort(listed_.begin(), listed_.end(),
              [](const platform::Mount& a, const platform::Mount& b) { return a.root < b.root; });

    std::vector<FolderTreeCtrl::NewItem> items;
    for (const auto& m : listed_) {
        m_adwVolumeSerial[m.root] = kNoSerial;
        int image = kImageFixedDrive;
        bool placeholder = true;  // removable and CD drives are not read now
        switch (m.type) {
        case platform::DriveType::Removable: image = kImageRemovableDrive; break;
        case platform::DriveType::CdRom: image = kImageCdRomDrive; break;
        case platform::DriveType::Remote: image = kImageNetworkDrive; placeholder = HasSubfolders(m.root); break;
        case platform::DriveType::RamDisk: image = kImageRamDisk; placeholder = HasSubfolders(m.root); break;
        default: image = kImageFixedDrive; placeholder = HasSubfolders(m.root); break;
        }
        items.push_back({m.root, image, image, placeholder});
    }
    tree_.InsertItems(tree_.Root(), std::move(items));
}

bool CFolderTree::HasSubfolders(const std::string& path) const { return scan_.HasSubfolder(path); }

std::size_t CFolderTree::FillFolder(FolderItem* item) {
    const std::string path = ItemPath(item);
    std::vector<std::string> names;
    if (scan_.ListFolders(path, &names) != platform::FileCause::None) {
        // A drive keeps its button so that it can be tried again (a disk put in later).
        if (IsDriveItem(item)) tree_.InsertPlaceholder(item);
        return 0;
    }
    std::sort(names.begin(), names.end(), FolderNameLess);
    std::string base = path;
    if (base.empty() || base.back() != kSep) base += kSep;
    std::vector<FolderTreeCtrl::NewItem> items;
    items.reserve(names.size());
    for (auto& name : names) {
        const bool sub = HasSubfolders(base + name);
        items.push_back({std::move(name), kImageFolder, kImageSelectedFolder, sub});
    }
    const std::size_t count = items.size();
    tree_.InsertItems(item, std::move(items));
    // An empty disk, or a mount point left behind by a removed one, keeps its button too:
    // otherwise the next disk in that drive could not be opened in this dialog.
    if (count == 0 && IsDriveItem(item)) tree_.InsertPlaceholder(item);
    return count;
}

std::string CFolderTree::ItemPath(const FolderItem* item) const {
    std::string path;
    for (const FolderItem* p = item; p && p != tree_.Root(); p = p->parent) {
        std::string text = p->text;
        if (!path.empty() && (text.empty() || text.back() != kSep)) text += kSep;
        path = text + path;
    }
    return path;
}

const platform::Mount* CFolderTree::DriveOf(const std::string& path) const {
    const platform::Mount* best = nullptr;
    for (const auto& m : listed_) {
        const bool holds = StartsWith(path, m.root) || path + kSep == m.root;
        if (holds && (!best || m.root.size() > best->root.size())) best = &m;
    }
    return best;
}

std::string CFolderTree::DriveRoot(const std::string& path) const {
    const platform::Mount* m = DriveOf(path);
    return m ? m->root : std::string();
}

bool CFolderTree::CheckMedia(const std::string& path) {
    const platform::Mount* m = DriveOf(path);
    if (!m || (m->type != platform::DriveType::Removable && m->type != platform::DriveType::CdRom)) return true;
    std::uint32_t serial = 0;
    std::uint32_t& stored = m_adwVolumeSerial[m->root];
    if (!drives_.QueryVolumeSerial(m->root, &serial)) {
        stored = kNoSerial;
        return false;
    }
    const bool same = stored == serial || stored == kNoSerial;
    stored = serial;
    return same;
}

void CFolderTree::ResetDrive(FolderItem* item) {
    // The item standing for the drive: a top-level item, or the folder a removable
    // drive is mounted on when it was reached through the drive above it.
    const std::string root = DriveRoot(ItemPath(item));
    FolderItem* drive = nullptr;
    FolderItem* top = item;
    for (FolderItem* p = item; p && p != tree_.Root(); p = p->parent) {
        const std::string path = ItemPath(p);
        if (!drive && (path == root || path + kSep == root)) drive = p;
        top = p;
    }
    if (!drive) drive = top;
    tree_.CollapseQuietly(drive);
    tree_.DeleteChildren(drive);
    tree_.InsertPlaceholder(drive);
}

// --- FolderDlgRules ---

FolderDlgRules::FolderDlgRules(const FolderServices& services)
    : folders_(tree_, services.drives, services.fs, services.scan), fileTools_(services.fs, services.messages) {
    tree_.SetHandler(this);
}

void FolderDlgRules::OnInitDialog() {
    folders_.FillDrives();
    if (m_strInitialPath.empty()) return;
    // The drive holding the initial path, compared exactly.
    const std::string root = folders_.DriveRoot(m_strInitialPath);
    if (root.empty()) return;
    for (const auto& item : tree_.Root()->children) {
        if (item->text == root) {
            tree_.Select(item.get(), false);
            return;
        }
    }
}

bool FolderDlgRules::OnItemExpanding(FolderItem* item, bool expand) {
    m_strCurrentPath = folders_.ItemPath(item);
    if (!folders_.CheckMedia(m_strCurrentPath)) {
        folders_.ResetDrive(item);
        return false;
    }
    if (!fileTools_.CheckFolderPath(m_strCurrentPath)) {
        tree_.DeleteItem(item);
        return false;
    }
    tree_.DeleteChildren(item);
    if (expand) return folders_.FillFolder(item) > 0;
    if (folders_.IsDriveItem(item) || folders_.HasSubfolders(m_strCurrentPath)) tree_.InsertPlaceholder(item);
    return true;
}

void FolderDlgRules::OnSelChanged(FolderItem* item) {
    m_strSelectedPath = m_strCurrentPath = folders_.ItemPath(item);
    if (!folders_.CheckMedia(m_strCurrentPath)) {
        folders_.ResetDrive(item);
    } else if (!fileTools_.CheckFolderPath(m_strCurrentPath)) {
        tree_.DeleteItem(item);
    }
}

bool FolderDlgRules::OnOK() {
    if (!tree_.Selected() || m_strSelectedPath.empty()) return false;
    m_strResult = m_strSelectedPath;
    return true;
}
