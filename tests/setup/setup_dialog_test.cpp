#include "setup/gui/setup_dialog.h"

#include "setup_test_env.h"

#include <QApplication>
#include <QLabel>

#include "tests/support/qt_application.h"

#include <gtest/gtest.h>

namespace {

QStringList LabelTexts(const QWidget& dialog) {
    QStringList texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) texts << label->text();
    return texts;
}

TEST(SetupDialog, TitleAndLabelsFromTheConfiguration) {
    testsupport::EnsureQtApplication();
    setup::test::TempDir temp;
    const std::string dir = temp.path() + "/";

    setup::gui::SetupDialog plain(dir);  // no config.cfg: the default texts
    EXPECT_EQ(plain.windowTitle(), "Setup");
    EXPECT_TRUE(LabelTexts(plain).contains("Install"));

    setup::test::WriteFile(dir + "config.cfg",
                           "[APPNAME]\r\nViewer;\r\n[DELREGKEY]\r\n[INSTSIZE]\r\n[LINKDIR]\r\n[DIRDEST]\r\n"
                           "[FILESOURCE]\r\n[FILEDEST]\r\n[LINKDEST]\r\n");
    setup::gui::SetupDialog named(dir);
    EXPECT_EQ(named.windowTitle(), "Viewer Setup");
    EXPECT_TRUE(LabelTexts(named).contains("Install Viewer"));
    EXPECT_TRUE(LabelTexts(named).contains("Uninstall Viewer"));
}

}  // namespace
