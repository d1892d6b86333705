// The Install dialog and the dialogs it opens: access code, drive chooser, editor.

#include "dialog_driver.h"
#include "setup/qt/choose_drive_dlg.h"
#include "setup/qt/edit_config_dlg.h"
#include "setup/qt/install_dlg.h"
#include "setup/qt/instructions_dlg.h"
#include "setup/setup_texts.h"
#include "tests/support/comma_locale.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace setup {
namespace {

using platform::DriveType;
using test::Press;

const std::string kConfig =
    "[APPNAME]\r\nViewer;\r\n[DELREGKEY]\r\n[INSTSIZE]\r\n3072;\r\n[LINKDIR]\r\n[DIRDEST]\r\n"
    "[FILESOURCE]\r\na.txt;\r\n[FILEDEST]\r\na.txt;\r\n[LINKDEST]\r\n*;\r\n[LICAGREE]\r\n";

QStringList LabelTexts(const QWidget& dialog) {
    QStringList texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) texts << label->text();
    return texts;
}

class InstallDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::WriteFile(world.SetupDir() + "a.txt", "a");
        world.drives.spaces[world.DriveRoot()] = {5u << 20, 1024, 4096};  // 5 GB
    }
    std::unique_ptr<gui::CInstallDlg> Open() {
        auto dialog = std::make_unique<gui::CInstallDlg>(world.gui, "");
        dialog->show();
        return dialog;
    }
    static void Type(QLineEdit* box, const char* text) {
        box->clear();
        QTest::keyClicks(box, QString::fromLatin1(text));
    }

    test::DialogWorld world;
};

TEST_F(InstallDialogTest, OpeningShowsTheProposedDirectoryAndTheValues) {
    world.WriteConfig(kConfig);
    world.display.depth = 24;
    auto dialog = Open();
    EXPECT_EQ(dialog->windowTitle(), "Install");
    EXPECT_EQ(dialog->DirectoryBox()->text().toStdString(), world.DriveRoot() + "Viewer");
    EXPECT_EQ(dialog->DirectoryBox()->maxLength(), 200);
    const QStringList labels = LabelTexts(*dialog);
    EXPECT_TRUE(labels.contains("3 MB"));
    EXPECT_TRUE(labels.contains("5120 MB"));
    EXPECT_TRUE(labels.contains("24 BPP"));
    EXPECT_TRUE(dialog->EditButton()->isHidden());
    EXPECT_FALSE(dialog->EditButton()->isEnabled());
}

// The dialog's values read the same for a user whose locale groups digits and writes
// decimal commas (the Qt application, made with the world, has set its locale already).
class InstallDialogInACommaLocale : public InstallDialogTest {
protected:
    void SetUp() override {
        InstallDialogTest::SetUp();
        VARNELLE_ENTER_COMMA_LOCALE(locale_);
    }
    testsupport::CommaLocale locale_;
};

TEST_F(InstallDialogInACommaLocale, ValuesKeepTheirDigits) {
    world.WriteConfig("[APPNAME]\r\nViewer;\r\n[DELREGKEY]\r\n[INSTSIZE]\r\n1536000;\r\n[LINKDIR]\r\n[DIRDEST]\r\n"
                      "[FILESOURCE]\r\na.txt;\r\n[FILEDEST]\r\na.txt;\r\n[LINKDEST]\r\n*;\r\n[LICAGREE]\r\n");
    world.display.depth = 24;
    auto dialog = Open();
    const QStringList labels = LabelTexts(*dialog);
    EXPECT_TRUE(labels.contains("1500 MB")) << labels.join('|').toStdString();
    EXPECT_TRUE(labels.contains("5120 MB")) << labels.join('|').toStdString();
    EXPECT_TRUE(labels.contains("24 BPP")) << labels.join('|').toStdString();
}

TEST_F(InstallDialogTest, AccessCodeRevealsEditOnlyWhenExactAndNotOnACdRom) {
    world.WriteConfig(kConfig);
    auto dialog = Open();
    Type(dialog->DirectoryBox(), "tkvQ!!");
    EXPECT_EQ(dialog->DirectoryBox()->text(), "tkvQ!!");
    EXPECT_TRUE(dialog->EditButton()->isHidden());

    Type(dialog->DirectoryBox(), "tkvq!!");
    EXPECT_EQ(dialog->DirectoryBox()->text().toStdString(), world.DriveRoot() + "Viewer");
    EXPECT_FALSE(dialog->EditButton()->isHidden());
    EXPECT_TRUE(dialog->EditButton()->isEnabled());
    Type(dialog->DirectoryBox(), "/elsewhere");  // it stays until the dialog closes
    EXPECT_FALSE(dialog->EditButton()->isHidden());

    world.drives.mounts.push_back({world.SetupDir(), DriveType::CdRom});
    auto onDisc = Open();
    Type(onDisc->DirectoryBox(), "tkvq!!");
    EXPECT_EQ(onDisc->DirectoryBox()->text(), "tkvq!!");
    EXPECT_TRUE(onDisc->EditButton()->isHidden());
    EXPECT_TRUE(world.messages.shown.empty());
}

TEST_F(InstallDialogTest, ChoosingADriveRewritesTheBox) {
    world.WriteConfig(kConfig);
    world.drives.mounts = {{"/", DriveType::Fixed}, {"/mnt/d/", DriveType::Fixed},
                           {"/media/cd/", DriveType::CdRom}, {"/mnt/b/", DriveType::Fixed}};
    world.drives.spaces["/mnt/d/"] = {2048, 1024, 4096};
    auto dialog = Open();
    auto* box = dialog->DirectoryBox();
    box->setText("/home/ann/Viewer");

    world.runner.steps = {[](QDialog& d) {
        auto& chooser = static_cast<gui::CChooseDriveDlg&>(d);
        QTreeWidget* tree = chooser.Tree();
        ASSERT_EQ(tree->topLevelItemCount(), 1);
        QTreeWidgetItem* root = chooser.RootItem();
        EXPECT_EQ(root->text(0), "Available Drives");
        EXPECT_TRUE(root->isExpanded());
        QStringList drives;
        for (int i = 0; i < root->childCount(); ++i) drives << root->child(i)->text(0);
        EXPECT_EQ(drives, (QStringList{"/", "/mnt/b/", "/mnt/d/"}));
        // The root only opens and closes on a double-click; a drive is chosen by one.
        const auto doubleClick = [tree](QTreeWidgetItem* item) {
            const QPoint at = tree->visualItemRect(item).center();
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
        };
        doubleClick(root);
        EXPECT_TRUE(d.isVisible());
        EXPECT_FALSE(root->isExpanded());
        doubleClick(root);
        ASSERT_TRUE(root->isExpanded());
        doubleClick(chooser.DriveItem(2));
    }};
    test::Click(*dialog, "Choose Drive");
    EXPECT_EQ(box->text(), "/mnt/d/home/ann/Viewer");
    EXPECT_EQ(dialog->Engine().InstallationDirectory(), "/mnt/d/home/ann/Viewer");
    EXPECT_TRUE(LabelTexts(*dialog).contains("2 MB"));

    // OK with "Available Drives" selected gives the system drive's root; Cancel nothing.
    world.runner.steps = {[](QDialog& d) {
                              auto& chooser = static_cast<gui::CChooseDriveDlg&>(d);
                              chooser.Tree()->setCurrentItem(chooser.RootItem());
                              test::Click(d, "OK");
                              EXPECT_EQ(chooser.ChosenRoot(), "/");
                          },
                          Press("Cancel")};
    test::Click(*dialog, "Choose Drive");
    EXPECT_EQ(box->text(), "/home/ann/Viewer");
    test::Click(*dialog, "Choose Drive");
    EXPECT_EQ(box->text(), "/home/ann/Viewer");
    EXPECT_EQ(world.runner.captions,
              (std::vector<std::string>(3, "Choose Directory")));
}

TEST_F(InstallDialogTest, EditorWritesTheTemplateWhenThereIsNoFile) {
    const auto editor = std::make_unique<gui::CEditConfigDlg>(world.gui);
    EXPECT_EQ(test::ReadFile(world.SetupDir() + "config.cfg"), texts::kConfigTemplate);
    EXPECT_EQ(editor->TextBox()->toPlainText().toStdString(),
              "[APPNAME]\n[DELREGKEY]\n[INSTSIZE]\n[LINKDIR]\n[DIRDEST]\n[FILESOURCE]\n"
              "[FILEDEST]\n[LINKDEST]\n");
}

TEST_F(InstallDialogTest, EditorKeepsTheFileOnCancelAndWritesCrLfOnOk) {
    const std::string mixed = "[APPNAME]\nCaf\xc3\xa9;\r\n[LICAGREE]\rend";
    world.WriteConfig(mixed);
    world.runner.steps = {Press("Cancel"), [](QDialog& d) {
                              auto* box = static_cast<gui::CEditConfigDlg&>(d).TextBox();
                              box->appendPlainText(QStringLiteral("more"));
                              test::Click(d, "OK");
                          }};
    {
        gui::CEditConfigDlg editor(world.gui);
        EXPECT_NE(world.runner.Run(editor), QDialog::Accepted);
        EXPECT_EQ(test::ReadFile(world.SetupDir() + "config.cfg"), mixed);
    }
    gui::CEditConfigDlg editor(world.gui);
    EXPECT_EQ(world.runner.Run(editor), QDialog::Accepted);
    EXPECT_EQ(test::ReadFile(world.SetupDir() + "config.cfg"),
              "[APPNAME]\r\nCaf\xc3\xa9;\r\n[LICAGREE]\r\nend\r\nmore");
}

TEST_F(InstallDialogTest, EditorGivesBackBytesThatAreNotUtf8) {
    const std::string latin = "[APPNAME]\r\nCaf\xe9;\r\n";
    world.WriteConfig(latin);
    world.runner.steps = {Press("OK")};
    gui::CEditConfigDlg editor(world.gui);
    EXPECT_EQ(world.runner.Run(editor), QDialog::Accepted);
    EXPECT_EQ(test::ReadFile(world.SetupDir() + "config.cfg"), latin);
}

TEST_F(InstallDialogTest, BrokenEditSaysSoAndInstallThenRefuses) {
    world.WriteConfig(kConfig);
    auto dialog = Open();
    Type(dialog->DirectoryBox(), "tkvq!!");
    world.runner.steps = {[](QDialog& d) {
                              test::Click(d, "Instructions...");
                              auto* box = static_cast<gui::CEditConfigDlg&>(d).TextBox();
                              box->setPlainText(box->toPlainText().replace("[LICAGREE]", ""));
                              test::Click(d, "OK");
                          },
                          [](QDialog& d) {
                              const QStringList labels = LabelTexts(d);
                              EXPECT_EQ(labels.size(), 19);
                              EXPECT_EQ(labels.front().toStdString(), texts::kInstructions[0]);
                              test::Click(d, "Close");
                          }};
    test::Click(*dialog, "Edit");
    EXPECT_EQ(world.runner.captions, (std::vector<std::string>{"Edit Config.cfg", "Instructions"}));
    EXPECT_FALSE(dialog->Engine().Valid());
    test::Click(*dialog, "Install");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(world.messages.Texts(),
              (std::vector<std::string>{"Bad config.cfg file.", texts::kSetupFilesCorrupted}));
    EXPECT_EQ(world.messages.shown[0].caption, "Setup");
    EXPECT_FALSE(test::Exists(world.DriveRoot() + "Viewer"));
}

TEST_F(InstallDialogTest, EditThatRaisesTheSizeRefreshesTheLabelsButNotTheDirectory) {
    world.WriteConfig(kConfig);
    auto dialog = Open();
    Type(dialog->DirectoryBox(), "tkvq!!");
    dialog->DirectoryBox()->setText("/somewhere/else");
    world.runner.steps = {[](QDialog& d) {
        auto* box = static_cast<gui::CEditConfigDlg&>(d).TextBox();
        box->setPlainText(box->toPlainText().replace("3072;", "10240;"));
        test::Click(d, "OK");
    }};
    test::Click(*dialog, "Edit");
    EXPECT_TRUE(dialog->Engine().Valid());
    EXPECT_TRUE(LabelTexts(*dialog).contains("10 MB"));
    EXPECT_EQ(dialog->DirectoryBox()->text(), "/somewhere/else");
    EXPECT_TRUE(world.messages.shown.empty());
}

TEST(InstructionsDialog, NineteenTextsInOrderAndTheyFitTheDialog) {
    test::DialogWorld world;
    gui::CInstructionsDlg dialog;
    const auto labels = dialog.findChildren<QLabel*>();
    ASSERT_EQ(labels.size(), 19);
    int lastTop = -1;
    for (int i = 0; i < labels.size(); ++i) {
        EXPECT_EQ(labels[i]->text().toStdString(), texts::kInstructions[i]);
        EXPECT_GT(labels[i]->y(), lastTop);
        EXPECT_LE(labels[i]->geometry().right(), dialog.width());
        lastTop = labels[i]->y();
    }
}

}  // namespace
}  // namespace setup
