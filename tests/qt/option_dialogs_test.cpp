#include "viewer/qt/option_dialogs.h"

#include "gui_common/dialog_units.h"
#include "viewer/qt/viewer_dialogs.h"
#include "viewer/qt/viewer_shell.h"
#include "viewer/frame/zoom_scale_rule.h"
#include "viewer/res/command_ids.h"

#include "platform/fake/recording_message_sink.h"
#include "tests/support/comma_locale.h"
#include "tests/support/qt_application.h"
#include "tests/support/scripted_runner.h"
#include "tests/support/shell_fakes.h"
#include "tests/support/view_test_env.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

using testsupport::Click;
using testsupport::Press;

namespace {

TEST(ZoomScaleRule, AcceptsOneThirdToThreeAndOnlyDigitsAndPoints) {
    float scale = 0;
    EXPECT_EQ(CheckZoomScale("0.33", &scale), ZoomScaleVerdict::OutOfRange);
    EXPECT_EQ(CheckZoomScale("0.3333", &scale), ZoomScaleVerdict::Accept);
    EXPECT_EQ(CheckZoomScale("3", &scale), ZoomScaleVerdict::Accept);
    EXPECT_EQ(scale, 3.0f);
    EXPECT_EQ(CheckZoomScale("3.01", &scale), ZoomScaleVerdict::OutOfRange);
    EXPECT_EQ(CheckZoomScale("", &scale), ZoomScaleVerdict::OutOfRange);
    EXPECT_EQ(CheckZoomScale("1,5", &scale), ZoomScaleVerdict::InvalidCharacters);
    EXPECT_EQ(CheckZoomScale("-1", &scale), ZoomScaleVerdict::InvalidCharacters);
    EXPECT_EQ(CheckZoomScale("1.5 ", &scale), ZoomScaleVerdict::InvalidCharacters);
}

class OptionDialogTest : public ::testing::Test {
protected:
    OptionDialogTest() { testsupport::EnsureQtApplication(); }

    static void Type(QLineEdit* edit, const char* text) {
        edit->selectAll();
        QTest::keyClicks(edit, QString::fromLatin1(text));
    }

    platform::fake::RecordingMessageSink messages;
    testsupport::ScriptedRunner runner;
    ViewerDialogs dialogs{runner, messages};
};

TEST_F(OptionDialogTest, CustomZoomShowsTheFactorAndRefusesBadText) {
    float scale = 0.75f;
    runner.steps.push_back([&](QDialog& d) {
        auto& dialog = static_cast<CZoomDlg&>(d);
        EXPECT_EQ(dialog.scaleEdit->text(), "0.75");
        Type(dialog.scaleEdit, "1,5");
        Click(dialog, "OK");
        EXPECT_EQ(dialog.scaleEdit->text(), "1");
        Type(dialog.scaleEdit, "0.33");
        Click(dialog, "OK");
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.scaleEdit->text(), "0.33");
        Type(dialog.scaleEdit, "2.5");
        Click(dialog, "OK");
    });
    EXPECT_TRUE(dialogs.RunCustomZoom(scale));
    EXPECT_EQ(scale, 2.5f);
    EXPECT_EQ(messages.Texts(),
              (std::vector<std::string>{"Invalid scale value!", "The scale value must be between 0.33 and 3.0."}));

    scale = 2.0f;
    runner.steps.push_back([](QDialog& d) {
        EXPECT_EQ(static_cast<CZoomDlg&>(d).scaleEdit->text(), "2.0");
        Click(d, "Cancel");
    });
    EXPECT_FALSE(dialogs.RunCustomZoom(scale));
    EXPECT_EQ(scale, 2.0f);
}

TEST_F(OptionDialogTest, TransitionIntervalsArePromptedAsTheUserTypes) {
    CTransitionsDlg dialog(messages);
    dialog.m_nMode = 1;
    dialog.m_fPageInterval = 6.0f;
    dialog.m_fTransInterval = 1000000.0f;
    dialog.OnInitDialog();
    dialog.show();
    EXPECT_EQ(dialog.pageEdit->text(), "6");
    EXPECT_EQ(dialog.transitionEdit->text(), "1e+06");
    Type(dialog.pageEdit, "x");
    Type(dialog.pageEdit, "2000000");
    Type(dialog.pageEdit, "0.75");
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"Please enter a number.",
                                                          "Please enter a number between 0 and 1e+06."}));
    // The framework's prompts carry the program's name, as they do in the Print dialog.
    for (const auto& prompt : messages.shown) EXPECT_EQ(prompt.caption, "Varnelle");
    EXPECT_EQ(dialog.m_fPageInterval, 0.75f);
    dialog.findChildren<QRadioButton*>()[2]->click();
    Click(dialog, "OK");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.m_nMode, 2);
}

TEST_F(OptionDialogTest, NavigationBarShowsNoCornerForAValueOutOfRange) {
    CNavBarDlg dialog;
    dialog.m_nCorner = 7;
    dialog.m_bShowNavBar = 1;
    dialog.OnInitDialog();
    for (QRadioButton* corner : dialog.findChildren<QRadioButton*>()) EXPECT_FALSE(corner->isChecked());
    EXPECT_TRUE(dialog.findChild<QCheckBox*>()->isChecked());
    dialog.findChildren<QRadioButton*>()[3]->click();
    dialog.accept();
    EXPECT_EQ(dialog.m_nCorner, 3);
}

// "Show the Navigation Bar" is a multi-line check box: its text wraps whole inside its
// 62 x 19 rectangle, and a click anywhere on it, the text's last line too, toggles it.
TEST_F(OptionDialogTest, NavigationBarCheckBoxWrapsItsTextInItsRectangle) {
    CNavBarDlg dialog;
    const gui::DialogUnits units(dialog.font());
    auto* show = dialog.findChild<QCheckBox*>();
    ASSERT_NE(show, nullptr);
    EXPECT_EQ(show->text(), "Show the Navigation Bar");
    EXPECT_EQ(show->geometry(), units.ToPixels(68, 84, 62, 19));
    EXPECT_LE(show->minimumSizeHint().width(), show->width());
    ASSERT_TRUE(show->hasHeightForWidth());
    EXPECT_LE(show->heightForWidth(show->width()), show->height());
    // One line of the text would not fit: it really is wrapped.
    EXPECT_GT(show->sizeHint().width(), show->width());

    dialog.OnInitDialog();
    dialog.show();
    QTest::mouseClick(show, Qt::LeftButton, {}, QPoint(show->width() - 2, show->height() - 2));
    EXPECT_TRUE(show->isChecked());
    dialog.accept();
    EXPECT_EQ(dialog.m_bShowNavBar, 1);
}

TEST_F(OptionDialogTest, ControlsSitWhereTheirDialogUnitsPutThem) {
    CZoomDlg zoom(messages);
    const gui::DialogUnits units(zoom.font());
    EXPECT_EQ(zoom.size(), units.ToPixels(186, 94));
    EXPECT_EQ(zoom.scaleEdit->geometry(), units.ToPixels(108, 34, 36, 13));
    EXPECT_EQ(testsupport::Button(zoom, "Cancel")->geometry(), units.ToPixels(108, 73, 50, 14));
    CTransitionsDlg transitions(messages);
    EXPECT_EQ(transitions.transitionEdit->geometry(), units.ToPixels(112, 87, 23, 13));
    CQuickHelpDlg help;
    EXPECT_EQ(help.size(), units.ToPixels(312, 204));
    EXPECT_EQ(testsupport::Button(help, "Close")->geometry(), units.ToPixels(130, 183, 50, 14));
}

// Through the frame's menus: the dialogs' items are enabled, Cancel changes nothing.
TEST_F(OptionDialogTest, MenuCommandsRunTheirDialogs) {
    testsupport::DocumentEnv env;
    env.fs.AddFolder("/show");
    testsupport::ShellFakes fakes{env.fs, env.timers};
    ViewerShell shell(env.app, fakes.Services(), &runner);
    ASSERT_TRUE(env.app.InitInstance("0 /show", shell));
    CMainFrame* frame = shell.Frame();
    const float zoom = shell.ActiveDocument()->m_fZoom;
    runner.steps = {Press("Cancel"), Press("Close"), Press("OK"), Press("Cancel"), Press("Cancel")};
    EXPECT_TRUE(frame->RunCommand(cmd::ID_ZOOM_CUSTOM));
    EXPECT_TRUE(frame->RunCommand(cmd::ID_HELP_TOPICS));
    EXPECT_TRUE(frame->RunCommand(cmd::ID_APP_ABOUT));
    EXPECT_TRUE(frame->RunCommand(cmd::ID_NAVIGATE_TRANSITIONS));
    EXPECT_TRUE(frame->RunCommand(cmd::ID_NAVIGATE_NAVBAR));  // the empty show does not run
    EXPECT_EQ(runner.captions, (std::vector<std::string>{"Custom Zoom", "Quick Help", "About Quorvyn Collage Slideshow",
                                                         "Screen Transitions", "Navigation Bar"}));
    EXPECT_EQ(shell.ActiveDocument()->m_fZoom, zoom);
}

// The intervals the user sets with Up during the show (6, 5, 4, 3, then 2.7 s) come back
// from the dialog as shown, whatever decimal point the user's locale writes.
class TransitionsInACommaLocale : public testsupport::CommaLocaleTest {
protected:
    // Qt sets the locale from the environment when its application starts: start it first.
    void SetUp() override {
        testsupport::EnsureQtApplication();
        CommaLocaleTest::SetUp();
    }
};

TEST_F(TransitionsInACommaLocale, OkOnTheIntervalsShownKeepsThem) {
    testsupport::DocumentEnv env;
    env.fs.AddFolder("/show");
    for (const char* name : {"/show/a.ppm", "/show/b.ppm"}) env.fs.AddFile(name, std::string("P6\n1 1\n255\n\x60\x60\x60"));
    testsupport::ScriptedRunner runner;
    testsupport::ShellFakes fakes{env.fs, env.timers};
    ViewerShell shell(env.app, fakes.Services(), &runner);
    ASSERT_TRUE(env.app.InitInstance("0 /show", shell));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(shell.Frame()));
    CVarnelleView& view = shell.View()->View();
    // The first paint that shows the slide starts the show: the window's first one when the
    // slide was decoded in time, or the one the decode's end asks for. A paint after it
    // would start a sweep, which holds the keys below.
    ASSERT_TRUE(QTest::qWaitFor([&] {
        shell.Pictures().WaitUntilIdle();
        return view.Show().AutoAdvance();
    }));
    for (int i = 0; i < 4; ++i) QTest::keyClick(shell.View(), Qt::Key_Up);
    ASSERT_EQ(view.Show().PageInterval(), 2.7f);
    const float transition = view.Show().TransInterval();

    runner.steps.push_back([](QDialog& d) {
        auto& dialog = static_cast<CTransitionsDlg&>(d);
        EXPECT_EQ(dialog.pageEdit->text(), "2.7");
        EXPECT_EQ(dialog.transitionEdit->text(), "8.1");
        Click(dialog, "OK");
    });
    EXPECT_TRUE(shell.Frame()->RunCommand(cmd::ID_NAVIGATE_TRANSITIONS));
    EXPECT_EQ(runner.captions, std::vector<std::string>{"Screen Transitions"});
    EXPECT_EQ(env.messages.Texts(), std::vector<std::string>{});
    EXPECT_EQ(view.Show().PageInterval(), 2.7f);
    EXPECT_EQ(view.Show().TransInterval(), transition);
}

}  // namespace
