#include "viewer/qt/folder_dlg.h"

#include "gui_common/dialog_units.h"
#include "platform/fake/fake_drives.h"
#include "platform/fake/fake_file_system.h"
#include "platform/fake/recording_message_sink.h"
#include "tests/support/qt_application.h"

#include <QImage>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

using platform::DriveType;

namespace {

class FolderDlgTest : public ::testing::Test {
protected:
    FolderDlgTest() {
        fs.AddFolder("/home/ann/Pictures");
        fs.AddFolder("/home/bob");
        fs.AddFolder("/srv/www");
        fs.AddFolder("/media/usb");
        drives.mounts = {{"/", DriveType::Fixed}, {"/media/usb/", DriveType::Removable}};
        dialog.m_strTitle = "Folder Select";
        dialog.m_strInitialPath = "/";
    }

    QModelIndex IndexOf(std::initializer_list<const char*> texts) {
        QModelIndex index;
        for (const char* t : texts) {
            QModelIndex next;
            auto& model = dialog.Model();
            for (int r = 0; r < model.rowCount(index); ++r)
                if (model.index(r, 0, index).data().toString() == QString::fromUtf8(t)) next = model.index(r, 0, index);
            if (!next.isValid()) return {};
            index = next;
        }
        return index;
    }

    struct QtFirst {
        QtFirst() { testsupport::EnsureQtApplication(); }
    } qtFirst;  // before the dialog
    platform::fake::FakeFileSystem fs;
    platform::ListingFolderScan scan{fs};
    platform::fake::FakeDrives drives;
    platform::fake::RecordingMessageSink messages;
    CFolderDlg dialog{{drives, scan, fs, messages}};
};

TEST_F(FolderDlgTest, ControlsSitWhereTheirDialogUnitsPutThem) {
    EXPECT_EQ(dialog.windowTitle(), "Folder Selection");
    const gui::DialogUnits units(dialog.font());
    EXPECT_EQ(dialog.size(), units.ToPixels(207, 199));
    EXPECT_EQ(dialog.Tree()->geometry(), units.ToPixels(7, 7, 193, 163));
    EXPECT_EQ(dialog.OkButton()->geometry(), units.ToPixels(42, 178, 50, 14));
    EXPECT_EQ(dialog.CancelButton()->geometry(), units.ToPixels(115, 178, 50, 14));
    EXPECT_EQ(dialog.OkButton()->text(), "OK");
    EXPECT_EQ(dialog.CancelButton()->text(), "Cancel");
    EXPECT_TRUE(dialog.OkButton()->isDefault());
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Folder Select");
}

TEST_F(FolderDlgTest, OpensWithTheRootDriveChosenSoOkAtOnceGivesIt) {
    dialog.show();
    EXPECT_EQ(dialog.Tree()->currentIndex(), IndexOf({"/"}));
    EXPECT_EQ(dialog.Model().rowCount(), 2);
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.m_strResult, "/");
}

TEST_F(FolderDlgTest, CancelLeavesNoResult) {
    dialog.show();
    QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(dialog.m_strResult.empty());
}

TEST_F(FolderDlgTest, ExpandingInTheViewFillsTheModelAndARefusalClosesItAgain) {
    dialog.show();
    QTreeView* view = dialog.Tree();
    view->expand(IndexOf({"/"}));
    EXPECT_TRUE(view->isExpanded(IndexOf({"/"})));
    EXPECT_EQ(dialog.Model().rowCount(IndexOf({"/"})), 3);  // home, media, srv
    // The USB drive has no disk in it: the view opened it, the tree refuses.
    const QModelIndex usb = IndexOf({"/media/usb/"});
    view->expand(usb);
    EXPECT_FALSE(view->isExpanded(usb));
    EXPECT_EQ(dialog.Model().rowCount(usb), 1);
}

TEST_F(FolderDlgTest, AClickOpensTheFolderAndMovesTheResultButKeysOnlyMove) {
    dialog.show();
    QTreeView* view = dialog.Tree();
    view->expand(IndexOf({"/"}));
    const QModelIndex home = IndexOf({"/", "home"});
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(home).center());
    EXPECT_EQ(view->currentIndex(), home);
    EXPECT_TRUE(view->isExpanded(home));
    EXPECT_EQ(dialog.Rules().m_strSelectedPath, "/home");

    QTest::keyClick(view, Qt::Key_Down);  // onto "ann", without opening it
    const QModelIndex ann = IndexOf({"/", "home", "ann"});
    EXPECT_EQ(view->currentIndex(), ann);
    EXPECT_FALSE(view->isExpanded(ann));
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.m_strResult, "/home/ann");
}

TEST_F(FolderDlgTest, AVanishedFolderLeavesTheViewAndTheSelectionGoesUp) {
    fs.AddFolder("/srv/old");
    dialog.show();
    QTreeView* view = dialog.Tree();
    view->expand(IndexOf({"/"}));
    view->expand(IndexOf({"/", "srv"}));
    ASSERT_TRUE(IndexOf({"/", "srv", "old"}).isValid());
    // A file system without it: the same folders, "old" never made.
    platform::fake::FakeFileSystem after;
    after.AddFolder("/home/ann/Pictures");
    after.AddFolder("/srv/www");
    fs = after;
    view->setCurrentIndex(IndexOf({"/", "srv", "old"}));
    EXPECT_FALSE(IndexOf({"/", "srv", "old"}).isValid());
    EXPECT_EQ(view->currentIndex(), IndexOf({"/", "srv"}));
    EXPECT_EQ(dialog.Rules().m_strSelectedPath, "/srv");
}

TEST(FolderPictures, NineSixteenBySixteenPicturesTheRamDiskBorrowingTheFixedDrive) {
    testsupport::EnsureQtApplication();
    std::vector<QImage> pictures;
    for (int i = 0; i < kFolderImageCount; ++i) {
        const QImage image = FolderPicture(i).toImage();
        EXPECT_EQ(image.size(), QSize(16, 16));
        EXPECT_NE(image, QImage(16, 16, image.format())) << i;
        pictures.push_back(image);
    }
    EXPECT_EQ(pictures[kImageRamDisk], pictures[kImageFixedDrive]);
    for (int a = 0; a < kFolderImageCount; ++a)
        for (int b = a + 1; b < kFolderImageCount; ++b)
            if (!(a == kImageFixedDrive && b == kImageRamDisk)) {
                EXPECT_NE(pictures[a], pictures[b]) << a << " " << b;
            }
}

}  // namespace
