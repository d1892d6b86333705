// The main dialog and whole runs of Setup through its dialogs, against temporary folders
// and a recording message sink.

#include "dialog_driver.h"
#include "setup/qt/license_dlg.h"
#include "setup/qt/setup_dlg.h"
#include "setup/setup_texts.h"

#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace setup {
namespace {

using platform::MessageAnswer;
using test::Press;

QStringList LabelTexts(const QWidget& dialog) {
    QStringList texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) texts << label->text();
    return texts;
}

std::string ViewerConfig(const std::string& licence = "") {
    return "[APPNAME]\r\nViewer;\r\n[DELREGKEY]\r\nHKEY_CURRENT_USER\\Software\\Maker\\Viewer;\r\n"
           "[INSTSIZE]\r\n16;\r\n[LINKDIR]\r\nViewer Menu;\r\n[DIRDEST]\r\nbin;\r\n"
           "[FILESOURCE]\r\nconfig.cfg;\r\nviewer;\r\nReadme.txt;\r\n"
           "[FILEDEST]\r\nconfig.cfg;\r\nbin/viewer;\r\nReadme.txt;\r\n"
           "[LINKDEST]\r\n*;\r\nViewer;\r\n*;\r\n[LICAGREE]\r\n" + licence;
}

class SetupDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::WriteFile(world.SetupDir() + "viewer", "#!/bin/sh\n");
        test::WriteFile(world.SetupDir() + "Readme.txt", "read me");
        world.system.programsMenuDirectory = world.Root() + "/menu/";
        test::MakeDirectories(world.system.programsMenuDirectory);
    }
    int RunSetup() { return gui::CSetupApp(world.gui).Run(); }
    std::vector<std::string> Captions() const {
        std::vector<std::string> captions;
        for (const auto& m : world.messages.shown) captions.push_back(m.caption);
        return captions;
    }

    test::DialogWorld world;
};

TEST(SetupDialog, TitleAndLabelsFromTheConfiguration) {
    test::DialogWorld world;
    gui::CSetupDlg plain(world.gui);  // no config.cfg: the default texts
    EXPECT_EQ(plain.windowTitle(), "Setup");
    EXPECT_TRUE(LabelTexts(plain).contains("Install"));
    EXPECT_TRUE(LabelTexts(plain).contains("Uninstall"));

    world.WriteConfig("[APPNAME]\r\nViewer;\r\n[DELREGKEY]\r\n[INSTSIZE]\r\n[LINKDIR]\r\n[DIRDEST]\r\n"
                      "[FILESOURCE]\r\n[FILEDEST]\r\n[LINKDEST]\r\n");
    gui::CSetupDlg named(world.gui);
    EXPECT_EQ(named.windowTitle(), "Viewer Setup");
    EXPECT_TRUE(LabelTexts(named).contains("Install Viewer"));
    EXPECT_TRUE(LabelTexts(named).contains("Uninstall Viewer"));
    EXPECT_FALSE(named.windowIcon().isNull());
    EXPECT_EQ(named.SetupDirectory(), world.SetupDir());
    EXPECT_EQ(named.SystemName(), "");
}

TEST_F(SetupDialogTest, ClosingTheLicenceEndsTheProgramWithoutAWord) {
    world.WriteConfig(ViewerConfig("\r\nThe licence;\r\n"));
    const auto before = test::TakeSnapshot(world.Root());
    std::string shownText;
    world.runner.steps = {
        Press("Install..."),
        [&](QDialog& dialog) {
            auto* box = static_cast<gui::CLicenseDlg&>(dialog).TextBox();
            shownText = box->toPlainText().toStdString();
            EXPECT_TRUE(box->isReadOnly());
            EXPECT_EQ(box->palette().color(QPalette::Base), QColor(235, 235, 235));
            EXPECT_EQ(box->font().family(), "Times New Roman");
            EXPECT_EQ(box->font().pointSize(), 12);
            EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
            test::Click(dialog, "Close");
        }};
    EXPECT_EQ(RunSetup(), 0);
    EXPECT_EQ(world.runner.captions, (std::vector<std::string>{"Viewer Setup", "License Agreement"}));
    EXPECT_EQ(shownText, "The licence;\n");
    EXPECT_TRUE(world.messages.shown.empty());
    EXPECT_EQ(test::TakeSnapshot(world.Root()), before);
}

TEST_F(SetupDialogTest, LicenceSelectionCollapsesOnRepaintWhereverTheReaderScrolled) {
    std::string text;
    for (int line = 0; line < 200; ++line) text += "Clause " + std::to_string(line) + "\r\n";
    gui::CLicenseDlg dialog(text, nullptr);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto* box = dialog.TextBox();
    box->selectAll();
    auto* bar = box->verticalScrollBar();
    bar->setValue(bar->maximum() / 2);
    const int scrolled = bar->value();
    ASSERT_GT(scrolled, 0);
    dialog.repaint();
    EXPECT_FALSE(box->textCursor().hasSelection());
    EXPECT_EQ(box->textCursor().position(), 0);
    EXPECT_EQ(bar->value(), scrolled);
}

TEST_F(SetupDialogTest, InstallAndUninstallThroughTheDialogs) {
    world.WriteConfig(ViewerConfig("Agree to this."));
    world.AddKey("HKEY_CURRENT_USER/Software/Maker/Viewer/Settings");
    world.runner.steps = {Press("Install..."), Press("Agree"), Press("Install")};
    EXPECT_EQ(RunSetup(), 0);
    EXPECT_EQ(world.runner.captions,
              (std::vector<std::string>{"Viewer Setup", "License Agreement", "Install"}));
    ASSERT_EQ(world.messages.shown.size(), 1u);
    EXPECT_EQ(world.messages.shown[0].text, "Setup has finished installing Viewer");
    EXPECT_EQ(world.messages.shown[0].caption, "Finished");
    EXPECT_EQ(world.messages.shown[0].icon, platform::MessageIcon::Information);

    const std::string s = world.SetupDir();
    const std::string i = world.DriveRoot() + "Viewer/";
    const std::string menu = world.system.programsMenuDirectory + "Viewer Menu";
    const std::string key = "HKEY_CURRENT_USER\\Software\\Maker\\Viewer";
    EXPECT_EQ(test::ReadFile(i + "/Install.log"),
              "Creating the \"" + i + "\" directory...Success.\r\n"
              "Creating the \"" + i + "bin\" directory...Success.\r\n"
              "Copying \"" + s + "config.cfg\" to \"" + i + "config.cfg\"...Success.\r\n"
              "Copying \"" + s + "viewer\" to \"" + i + "bin/viewer\"...Success.\r\n"
              "Copying \"" + s + "Readme.txt\" to \"" + i + "Readme.txt\"...Success.\r\n"
              "Deleting the \"" + menu + "/Viewer\" shortcut...Failed.\r\n"
              "Deleting the \"" + menu + "\" shortcut directory...Failed.\r\n"
              "Creating the \"" + menu + "\" shortcut directory...Success.\r\n"
              "Creating the \"Viewer\" shortcut...Success.\r\n"
              "Checking existance of the \"" + key + "\" registry key...Success.\r\n"
              "Deleting the \"" + key + "\" registry key...Success.\r\n");
    const std::string entry = test::ReadFile(menu + "/Viewer.desktop");
    EXPECT_NE(entry.find("Exec=\"" + i + "bin/viewer\"\n"), std::string::npos) << entry;
    EXPECT_FALSE(world.HasKey("HKEY_CURRENT_USER/Software/Maker/Viewer"));

    // The uninstall runs from the copy of Setup in the installation directory.
    world.files.SetCurrentDirectory(world.DriveRoot() + "Viewer");
    world.messages.shown.clear();
    world.runner.captions.clear();
    world.runner.steps = {Press("Uninstall...")};
    EXPECT_EQ(RunSetup(), 0);
    EXPECT_EQ(world.runner.captions, (std::vector<std::string>{"Viewer Setup"}));
    EXPECT_EQ(Captions(), (std::vector<std::string>{"Careful", "Note"}));
    EXPECT_EQ(world.messages.shown[0].text, "Are you sure you want to uninstall Viewer?");
    EXPECT_EQ(world.messages.shown[0].buttons, platform::MessageButtons::YesNo);
    EXPECT_EQ(test::ReadFile(i + "/Uninstall.log"),
              "Checking existance of the \"" + key + "\" registry key...Does not exist.\r\n"
              "Deleting the \"" + menu + "/Viewer\" shortcut...Success.\r\n"
              "Deleting the \"" + menu + "\" shortcut directory...Success.\r\n"
              "Deleting the \"" + i + "config.cfg\" file...Success.\r\n"
              "Deleting the \"" + i + "bin/viewer\" file...Success.\r\n"
              "Deleting the \"" + i + "Readme.txt\" file...Success.\r\n"
              "Deleting the \"" + i + "bin\" directory...Success.\r\n");
    EXPECT_FALSE(test::Exists(menu));
    EXPECT_TRUE(test::Exists(world.system.programsMenuDirectory));
}

TEST_F(SetupDialogTest, CancelAndNoKeepTheMainDialogOpen) {
    world.WriteConfig(ViewerConfig());  // no licence text: straight to the Install dialog
    const auto before = test::TakeSnapshot(world.Root());
    world.messages.answers = {MessageAnswer::No};
    world.runner.steps = {[](QDialog& main) {
                              test::Click(main, "Install...");
                              EXPECT_TRUE(main.isVisible());
                              test::Click(main, "Uninstall...");
                              EXPECT_TRUE(main.isVisible());
                              test::Click(main, "Exit");
                          },
                          Press("Cancel")};
    EXPECT_EQ(RunSetup(), 0);
    EXPECT_EQ(world.runner.captions, (std::vector<std::string>{"Viewer Setup", "Install"}));
    EXPECT_EQ(Captions(), (std::vector<std::string>{"Careful"}));
    EXPECT_EQ(test::TakeSnapshot(world.Root()), before);
}

TEST_F(SetupDialogTest, AdministratorRefusalLeavesTheMainDialogOpen) {
    world.WriteConfig(ViewerConfig("Licence"));
    world.system.hasVersion = true;
    world.system.version = {2, 5, 1};  // the NT system that asks for the right
    world.system.administrator = false;
    world.runner.steps = {[](QDialog& main) {
        test::Click(main, "Install...");
        test::Click(main, "Uninstall...");
        EXPECT_TRUE(main.isVisible());
        test::Click(main, "Exit");
    }};
    EXPECT_EQ(RunSetup(), 0);
    EXPECT_EQ(world.runner.captions.size(), 1u);
    EXPECT_EQ(world.messages.Texts(), (std::vector<std::string>{texts::kInstallNeedsAdministrator,
                                                                texts::kUninstallNeedsAdministrator}));
}

TEST_F(SetupDialogTest, ExploreReplacesSetupOnlyWhenTheStartSucceeds) {
    world.process.starts = false;
    auto& process = world.process;
    world.runner.steps = {[&process](QDialog& main) {
        test::Click(main, "Explore...");
        EXPECT_TRUE(main.isVisible());
        process.starts = true;
        test::Click(main, "Explore...");
        EXPECT_FALSE(main.isVisible());
    }};
    EXPECT_EQ(RunSetup(), 0);
    const std::vector<std::string> call{"xdg-open", world.SetupDir().substr(0, world.SetupDir().size() - 1)};
    EXPECT_EQ(world.process.calls, (std::vector<std::vector<std::string>>{call, call}));
    EXPECT_TRUE(world.messages.shown.empty());
}

}  // namespace
}  // namespace setup
