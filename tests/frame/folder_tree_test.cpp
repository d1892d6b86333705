#include "viewer/frame/folder_tree.h"

#include "platform/fake/fake_drives.h"
#include "platform/fake/fake_file_system.h"
#include "platform/fake/recording_message_sink.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

using platform::DriveType;

namespace {

// The fake file system with folders that can vanish or become unreadable after the
// tree listed them.
class ChangingFileSystem final : public platform::FileSystem {
public:
    bool Find(const std::string& path, platform::DirEntry* entry) const override {
        return !Gone(path) && inner.Find(path, entry);
    }
    platform::FileCause List(const std::string& folder, std::vector<platform::DirEntry>* entries) const override {
        entries->clear();
        if (Gone(folder)) return platform::FileCause::FileNotFound;
        if (unreadable.count(Trimmed(folder))) return platform::FileCause::AccessDenied;
        const platform::FileCause cause = inner.List(folder, entries);
        const std::string base = Trimmed(folder) == "/" ? "/" : Trimmed(folder) + "/";
        std::vector<platform::DirEntry> kept;
        for (auto& e : *entries)
            if (e.name == "." || e.name == ".." || !Gone(base + e.name)) kept.push_back(e);
        *entries = kept;
        return cause;
    }
    std::string CurrentDirectory() const override { return "/"; }
    std::unique_ptr<platform::File> Open(const std::string& path, platform::OpenMode mode, bool exclusive,
                                         platform::FileCause* cause) override {
        return inner.Open(path, mode, exclusive, cause);
    }

    platform::fake::FakeFileSystem inner;
    std::set<std::string> vanished;
    std::set<std::string> unreadable;

private:
    static std::string Trimmed(std::string p) {
        while (p.size() > 1 && p.back() == '/') p.pop_back();
        return p;
    }
    bool Gone(const std::string& path) const {
        const std::string p = Trimmed(path);
        for (const auto& v : vanished)
            if (p == v || p.rfind(v + "/", 0) == 0) return true;
        return false;
    }
};

// Counts what a window would be told, and checks that rows stay numbered.
class CountingView final : public FolderTreeView {
public:
    void BeginInsert(const FolderItem*, std::size_t, std::size_t count) override { inserted += count; }
    void EndInsert() override {}
    void BeginRemove(const FolderItem*, std::size_t, std::size_t count) override { removed += count; }
    void EndRemove() override {}
    void ExpandedChanged(const FolderItem*) override { ++expandChanges; }
    void SelectionChanged(const FolderItem*, const FolderItem* current) override { lastSelected = current; }

    std::size_t inserted = 0;
    std::size_t removed = 0;
    int expandChanges = 0;
    const FolderItem* lastSelected = nullptr;
};

class FolderTreeTest : public ::testing::Test {
protected:
    FolderTreeTest() {
        auto& fs = files.inner;
        fs.AddFolder("/home/ann/Pictures/Beach");
        fs.AddFolder("/home/ann/.cache");
        fs.AddFolder("/home/ann/music");
        fs.AddFolder("/home/ann/Albums");
        fs.AddFile("/home/ann/notes.txt");
        fs.AddFolder("/etc");
        fs.AddFolder("/empty");
        fs.AddFolder("/media/usb/Holiday/Day1");
        fs.AddFolder("/media/cd");
        fs.AddFolder("/proc/sys");
        fs.AddFolder("/mnt/share");
        fs.AddFile("/etc/hostname");
        drives.mounts = {{"/proc/", DriveType::NotADrive},
                         {"/", DriveType::Fixed},
                         {"/media/usb/", DriveType::Removable},
                         {"/proc/sys/", DriveType::RamDisk},  // inside a pseudo file system
                         {"/media/cd/", DriveType::CdRom},
                         {"/mnt/share/", DriveType::Remote},
                         {"/etc/hostname/", DriveType::Fixed},  // a file mounted over a file
                         {"/gone/", DriveType::Fixed}};
        drives.serials["/media/usb/"] = 0x1234;
    }

    void Init(const std::string& initial = "/") {
        rules.m_strInitialPath = initial;
        rules.Tree().SetView(&view);
        rules.OnInitDialog();
    }

    FolderTreeCtrl& Tree() { return rules.Tree(); }

    // The item reached by texts from the top, e.g. {"/", "home", "ann"}.
    FolderItem* At(std::initializer_list<const char*> texts) {
        FolderItem* item = Tree().Root();
        for (const char* t : texts) {
            FolderItem* next = nullptr;
            for (auto& c : item->children)
                if (c->text == t) next = c.get();
            if (!next) return nullptr;
            item = next;
        }
        return item;
    }

    static std::vector<std::string> Texts(const FolderItem* item) {
        std::vector<std::string> out;
        for (const auto& c : item->children) out.push_back(c->text);
        return out;
    }
    static bool HasPlaceholder(const FolderItem* item) {
        return item->children.size() == 1 && item->children[0]->text.empty();
    }

    ChangingFileSystem files;
    platform::ListingFolderScan scan{files};
    platform::fake::FakeDrives drives;
    platform::fake::RecordingMessageSink messages;
    FolderDlgRules rules{{drives, scan, files, messages}};
    CountingView view;
};

TEST_F(FolderTreeTest, DrivesListedRootFirstWithPicturesAndPlaceholdersByType) {
    Init();
    EXPECT_EQ(Texts(Tree().Root()), (std::vector<std::string>{"/", "/media/cd/", "/media/usb/", "/mnt/share/"}));
    EXPECT_EQ(At({"/"})->image, kImageFixedDrive);
    EXPECT_EQ(At({"/media/cd/"})->image, kImageCdRomDrive);
    EXPECT_EQ(At({"/media/usb/"})->image, kImageRemovableDrive);
    EXPECT_EQ(At({"/mnt/share/"})->image, kImageNetworkDrive);
    EXPECT_TRUE(HasPlaceholder(At({"/"})));
    // Removable and CD drives always get one, unread; a network drive only with sub-folders.
    EXPECT_TRUE(HasPlaceholder(At({"/media/cd/"})));
    EXPECT_TRUE(HasPlaceholder(At({"/media/usb/"})));
    EXPECT_TRUE(At({"/mnt/share/"})->children.empty());
    for (const auto& d : Tree().Root()->children) EXPECT_EQ(rules.Folders().m_adwVolumeSerial.at(d->text), CFolderTree::kNoSerial);
}

TEST_F(FolderTreeTest, ExpansionFillsSortedFoldersLazilyWithHiddenOnesAndPlaceholders) {
    Init();
    EXPECT_TRUE(Tree().Expand(At({"/"})));
    // Only one level is read: the grandchildren are placeholders until their turn.
    EXPECT_EQ(Texts(At({"/"})), (std::vector<std::string>{"empty", "etc", "home", "media", "mnt", "proc"}));
    EXPECT_TRUE(HasPlaceholder(At({"/", "home"})));
    EXPECT_TRUE(At({"/", "empty"})->children.empty());
    EXPECT_TRUE(Tree().Expand(At({"/", "home"})));
    ASSERT_TRUE(Tree().Expand(At({"/", "home", "ann"})));
    // Sorted without regard to case, the hidden folder included, the file left out.
    EXPECT_EQ(Texts(At({"/", "home", "ann"})), (std::vector<std::string>{".cache", "Albums", "music", "Pictures"}));
    const FolderItem* pictures = At({"/", "home", "ann", "Pictures"});
    EXPECT_EQ(pictures->image, kImageFolder);
    EXPECT_EQ(pictures->selectedImage, kImageSelectedFolder);
    EXPECT_TRUE(HasPlaceholder(pictures));
    EXPECT_TRUE(At({"/", "home", "ann", "music"})->children.empty());
    EXPECT_EQ(rules.Folders().ItemPath(pictures), "/home/ann/Pictures");
    EXPECT_EQ(rules.Folders().ItemPath(At({"/media/usb/"})), "/media/usb/");
    EXPECT_EQ(rules.m_strCurrentPath, "/home/ann");
}

TEST_F(FolderTreeTest, CollapseDropsChildrenAndLeavesAPlaceholderOnlyWhereThereAreSubfolders) {
    Init();
    Tree().Expand(At({"/"}));
    Tree().Expand(At({"/", "home"}));
    EXPECT_TRUE(Tree().Collapse(At({"/", "home"})));
    EXPECT_FALSE(At({"/", "home"})->expanded);
    EXPECT_TRUE(HasPlaceholder(At({"/", "home"})));
    EXPECT_TRUE(Tree().Collapse(At({"/"})));
    EXPECT_TRUE(HasPlaceholder(At({"/"})));
    // Still consistent for the window: every row it was told of was accounted for.
    std::size_t live = 0;
    std::function<void(const FolderItem*)> count = [&](const FolderItem* i) {
        for (const auto& c : i->children) {
            EXPECT_EQ(c->parent, i);
            EXPECT_EQ(i->children[c->row].get(), c.get());
            ++live;
            count(c.get());
        }
    };
    count(Tree().Root());
    EXPECT_GT(live, 0u);
}

TEST_F(FolderTreeTest, AnExpansionThatFindsNothingIsRefused) {
    files.inner.AddFolder("/home/ann/music/.x");  // its only folder, then gone
    Init();
    Tree().Expand(At({"/"}));
    Tree().Expand(At({"/", "home"}));
    Tree().Expand(At({"/", "home", "ann"}));
    files.vanished.insert("/home/ann/music/.x");
    FolderItem* music = At({"/", "home", "ann", "music"});
    ASSERT_TRUE(HasPlaceholder(music));
    EXPECT_FALSE(Tree().Expand(music));
    EXPECT_FALSE(music->expanded);
    EXPECT_TRUE(music->children.empty());
    EXPECT_GT(view.expandChanges, 0);  // told, so a window that opened it closes it
}

TEST_F(FolderTreeTest, VanishedFolderIsRemovedOnExpansionAndOnSelection) {
    Init();
    Tree().Expand(At({"/"}));
    Tree().Expand(At({"/", "home"}));
    Tree().Expand(At({"/", "home", "ann"}));
    files.vanished.insert("/home/ann/Pictures");
    EXPECT_FALSE(Tree().Expand(At({"/", "home", "ann", "Pictures"})));
    EXPECT_EQ(At({"/", "home", "ann", "Pictures"}), nullptr);

    files.vanished.insert("/home/ann/music");
    Tree().Select(At({"/", "home", "ann", "music"}), true);
    EXPECT_EQ(At({"/", "home", "ann", "music"}), nullptr);
    // The selection falls back to the folder above, so OK never returns the lost folder.
    EXPECT_EQ(Tree().Selected(), At({"/", "home", "ann"}));
    EXPECT_EQ(rules.m_strSelectedPath, "/home/ann");
    EXPECT_EQ(view.lastSelected, At({"/", "home", "ann"}));
    ASSERT_TRUE(rules.OnOK());
    EXPECT_EQ(rules.m_strResult, "/home/ann");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(FolderTreeTest, UnreadableFolderIsRefusedButStaysSelectable) {
    Init();
    Tree().Expand(At({"/"}));
    files.unreadable.insert("/home");
    EXPECT_FALSE(Tree().Expand(At({"/", "home"})));
    ASSERT_NE(At({"/", "home"}), nullptr);
    Tree().Select(At({"/", "home"}), true);
    EXPECT_EQ(rules.m_strSelectedPath, "/home");
}

TEST_F(FolderTreeTest, PathOverTheLimitWarnsAndRemovesTheItem) {
    const std::string longName(platform::kMaxPath, 'x');
    files.inner.AddFolder("/deep/" + longName);
    Init();
    Tree().Expand(At({"/"}));
    ASSERT_TRUE(Tree().Expand(At({"/", "deep"})));
    FolderItem* tooLong = At({"/", "deep"})->children.at(0).get();
    Tree().Select(tooLong, true);
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"Path is too long."}));
    EXPECT_TRUE(At({"/", "deep"})->children.empty());
    EXPECT_EQ(rules.m_strSelectedPath, "/deep");
}

TEST_F(FolderTreeTest, ChangedDiskCollapsesTheDriveAndTheNextExpansionShowsTheNewDisk) {
    Init();
    FolderItem* usb = At({"/media/usb/"});
    ASSERT_TRUE(Tree().Expand(usb));  // first look: any serial passes
    ASSERT_TRUE(Tree().Expand(At({"/media/usb/", "Holiday"})));
    EXPECT_EQ(rules.Folders().m_adwVolumeSerial.at("/media/usb/"), 0x1234u);

    // Another disk: other folders, another serial.
    files.vanished.insert("/media/usb/Holiday");
    files.inner.AddFolder("/media/usb/Work");
    drives.serials["/media/usb/"] = 0x5678;
    Tree().Select(At({"/media/usb/", "Holiday", "Day1"}), true);
    EXPECT_FALSE(usb->expanded);
    EXPECT_TRUE(HasPlaceholder(usb));
    EXPECT_EQ(Tree().Selected(), usb);

    EXPECT_TRUE(Tree().Expand(usb));
    EXPECT_EQ(Texts(usb), (std::vector<std::string>{"Work"}));
}

TEST_F(FolderTreeTest, ExchangeBetweenTwoExpansionsRefusesTheSecondAndAllowsTheThird) {
    Init();
    FolderItem* usb = At({"/media/usb/"});
    ASSERT_TRUE(Tree().Expand(usb));
    ASSERT_TRUE(Tree().Collapse(usb));
    drives.serials["/media/usb/"] = 0x9999;
    EXPECT_FALSE(Tree().Expand(usb));
    EXPECT_TRUE(HasPlaceholder(usb));
    EXPECT_TRUE(Tree().Expand(usb));
}

// A drive whose root cannot be looked up without a disk in it (a drive root on Windows is
// never found by a directory search) is listed all the same, unread.
TEST_F(FolderTreeTest, RemovableAndCdDrivesAreListedWithoutLookingAtTheirRoots) {
    drives.mounts = {{"/", DriveType::Fixed}, {"/media/floppy/", DriveType::Removable},
                     {"/media/dvd/", DriveType::CdRom}};
    Init();
    EXPECT_EQ(Texts(Tree().Root()), (std::vector<std::string>{"/", "/media/dvd/", "/media/floppy/"}));
    EXPECT_EQ(At({"/media/floppy/"})->image, kImageRemovableDrive);
    EXPECT_TRUE(HasPlaceholder(At({"/media/floppy/"})));
    EXPECT_TRUE(HasPlaceholder(At({"/media/dvd/"})));
}

TEST_F(FolderTreeTest, DriveWithoutMediumKeepsItsPlaceholder) {
    Init();
    FolderItem* cd = At({"/media/cd/"});
    EXPECT_FALSE(Tree().Expand(cd));  // no serial: no disk
    EXPECT_TRUE(HasPlaceholder(cd));
    EXPECT_EQ(rules.Folders().m_adwVolumeSerial.at("/media/cd/"), CFolderTree::kNoSerial);
    // A disk with no folders on it: still refused, the button stays for the next disk.
    drives.serials["/media/cd/"] = 7;
    EXPECT_FALSE(Tree().Expand(cd));
    EXPECT_TRUE(HasPlaceholder(cd));
    files.inner.AddFolder("/media/cd/Photos");
    EXPECT_TRUE(Tree().Expand(cd));
    EXPECT_EQ(Texts(cd), (std::vector<std::string>{"Photos"}));
}

TEST_F(FolderTreeTest, RemovableDriveReachedThroughTheRootCollapsesItsOwnFolder) {
    Init();
    Tree().Expand(At({"/"}));
    Tree().Expand(At({"/", "media"}));
    ASSERT_TRUE(Tree().Expand(At({"/", "media", "usb"})));
    drives.serials.erase("/media/usb/");  // pulled out
    EXPECT_FALSE(Tree().Expand(At({"/", "media", "usb", "Holiday"})));
    EXPECT_TRUE(At({"/"})->expanded);
    EXPECT_TRUE(HasPlaceholder(At({"/", "media", "usb"})));
}

TEST_F(FolderTreeTest, VanishedMountPointDropsAFixedDriveWhenOpened) {
    files.inner.AddFolder("/data/x");
    drives.mounts.push_back({"/data/", DriveType::Fixed});
    Init();
    ASSERT_NE(At({"/data/"}), nullptr);
    files.vanished.insert("/data");
    EXPECT_FALSE(Tree().Expand(At({"/data/"})));
    EXPECT_EQ(At({"/data/"}), nullptr);
}

TEST_F(FolderTreeTest, PreselectionPicksTheDriveHoldingTheInitialPathExactly) {
    Init("/");
    EXPECT_EQ(Tree().Selected(), At({"/"}));
    EXPECT_FALSE(At({"/"})->expanded);  // chosen by the program, not by a click
    ASSERT_TRUE(rules.OnOK());
    EXPECT_EQ(rules.m_strResult, "/");
}

TEST_F(FolderTreeTest, PreselectionOfAPathOnAnotherDriveAndOfNothing) {
    Init("/media/usb/Holiday");
    EXPECT_EQ(Tree().Selected(), At({"/media/usb/"}));
    EXPECT_EQ(rules.m_strSelectedPath, "/media/usb/");

    FolderDlgRules other{{drives, scan, files, messages}};
    other.m_strInitialPath = "media/usb";  // not written from the root
    other.OnInitDialog();
    EXPECT_EQ(other.Tree().Selected(), nullptr);
    EXPECT_FALSE(other.OnOK());  // nothing chosen: the dialog stays open
    EXPECT_TRUE(other.m_strResult.empty());
}

TEST_F(FolderTreeTest, SelectingByHandExpandsItAndClosesTheBranchSelectedBefore) {
    Init();
    Tree().Select(At({"/"}), true);
    EXPECT_FALSE(At({"/"})->expanded);  // already selected by the preselection
    Tree().Expand(At({"/"}));
    Tree().Select(At({"/", "home"}), true);
    EXPECT_TRUE(At({"/", "home"})->expanded);
    Tree().Select(At({"/", "home", "ann"}), true);
    EXPECT_TRUE(At({"/", "home"})->expanded);  // holds the new selection
    EXPECT_TRUE(At({"/", "home", "ann"})->expanded);
    Tree().Select(At({"/", "media"}), true);
    EXPECT_FALSE(At({"/", "home"})->expanded);
    EXPECT_TRUE(HasPlaceholder(At({"/", "home"})));
    EXPECT_TRUE(At({"/", "media"})->expanded);
    EXPECT_EQ(rules.m_strSelectedPath, "/media");
    // Closing the drive above the selection takes the selection up to it.
    Tree().Select(At({"/", "media", "usb"}), true);
    EXPECT_TRUE(Tree().Collapse(At({"/"})));
    EXPECT_EQ(Tree().Selected(), At({"/"}));
    EXPECT_EQ(rules.m_strSelectedPath, "/");
}

TEST_F(FolderTreeTest, NamesThatAreNotUtf8KeepTheirBytesInThePath) {
    const std::string name = "caf\xe9\xff";
    files.inner.AddFolder("/home/" + name);
    Init();
    Tree().Expand(At({"/"}));
    Tree().Expand(At({"/", "home"}));
    FolderItem* odd = At({"/", "home", name.c_str()});
    ASSERT_NE(odd, nullptr);
    Tree().Select(odd, true);
    EXPECT_EQ(rules.m_strSelectedPath, "/home/" + name);
}

}  // namespace
