#include "viewer/qt/main_frame.h"

#include "viewer/qt/viewer_shell.h"
#include "viewer/res/command_ids.h"
#include "viewer/view/view_keys.h"

#include "tests/support/qt_application.h"
#include "tests/support/qt_printing.h"
#include "tests/support/shell_fakes.h"
#include "tests/support/view_settings.h"
#include "tests/support/view_test_env.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

namespace {

// A 2 x 2 binary picture file.
std::string Ppm() { return std::string("P6\n2 2\n255\n") + std::string(12, '\x60'); }

class FrameTest : public ::testing::Test {
protected:
    FrameTest() {
        testsupport::EnsureQtApplication();
        env.fs.AddFolder("/show");
        for (const char* name : {"/show/a.ppm", "/show/b.ppm", "/show/c.ppm"}) env.fs.AddFile(name, Ppm());
        env.clock.now.hour = 0;
        env.clock.now.minute = 7;
        EXPECT_TRUE(env.app.InitInstance("0 /show", shell));
        frame = shell.Frame();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(frame));
        // The frame's tests want each slide on screen at once, without a sweep.
        testsupport::SetTransitionMode(shell.View()->View(), 2);
        Repaint();
    }

    // Paints once the picture worker has nothing left to do and its results are in, so the
    // slide asked for is the one on screen whatever the worker's speed.
    void Repaint() {
        for (int round = 0; round < 3; ++round) {
            shell.Pictures().WaitUntilIdle();
            QCoreApplication::processEvents();
            shell.View()->viewport()->repaint();
        }
    }

    QMenu* Menu(const QString& title) const {
        for (QAction* top : frame->menuBar()->actions())
            if (top->text() == title) return top->menu();
        return nullptr;
    }

    // The menu's item texts after its update ran, "-" for separators, "!" before greyed items.
    QStringList Items(QMenu* menu) const {
        emit menu->aboutToShow();
        QStringList items;
        for (QAction* a : menu->actions())
            items << (a->isSeparator() ? QStringLiteral("-") : (a->isEnabled() ? QString() : QStringLiteral("!")) + a->text());
        return items;
    }

    QString PaneText(int id) const { return frame->Pane(id)->text(); }

    testsupport::DocumentEnv env;
    testsupport::ShellFakes fakes{env.fs, env.timers};
    ViewerShell shell{env.app, fakes.Services()};
    CMainFrame* frame = nullptr;
};

TEST_F(FrameTest, MenusHoldEveryItemAndGreyWhatHasNoHandler) {
    QStringList tops;
    for (QAction* a : frame->menuBar()->actions()) tops << a->text();
    EXPECT_EQ(tops, (QStringList{"&File", "&Navigate", "&View", "&Help"}));
    EXPECT_EQ(Items(Menu("&File")), (QStringList{"&Open...\tCtrl+O", "&Close\tCtrl+N", "-", "&Print...\tCtrl+P",
                                                 "Print Pre&view", "-", "E&xit"}));
    // The show runs, so the slide items are greyed.
    EXPECT_EQ(Items(Menu("&Navigate")),
              (QStringList{"!Next Slide\tRight Arrow Key", "!Previous Slide\tLeft Arrow Key", "-", "Auto-Advance",
                           "Screen Transition", "!Navigator Bar..."}));
    EXPECT_EQ(Items(Menu("&View")), (QStringList{"Zoom", "Zoom (+)", "Zoom (-)", "Full Screen\tCtrl+F", "-",
                                                 "&Toolbar", "&Status Bar"}));
    QMenu* zoom = Menu("&View")->actions().first()->menu();
    ASSERT_NE(zoom, nullptr);
    EXPECT_EQ(Items(zoom), (QStringList{"300%", "200%", "100%", "75%", "50%", "33%", "-", "Custom..."}));
    EXPECT_EQ(Items(Menu("&Help")), (QStringList{"&Help Topics\tF1", "&About Quorvyn Collage Slideshow..."}));
    EXPECT_EQ(frame->windowTitle(), "Untitled - Quorvyn Collage Slideshow 5.0");
}

TEST_F(FrameTest, CheckMarksFollowTheShowAndTheBars) {
    QMenu* navigate = Menu("&Navigate");
    Items(navigate);
    EXPECT_TRUE(navigate->actions()[3]->isChecked());  // Auto-Advance
    frame->RunCommand(cmd::ID_NAVIGATE_AUTO);
    Items(navigate);
    EXPECT_FALSE(navigate->actions()[3]->isChecked());
    EXPECT_TRUE(navigate->actions()[0]->isEnabled());

    QMenu* view = Menu("&View");
    Items(view);
    EXPECT_FALSE(view->actions()[5]->isChecked());  // the tool bar starts hidden
    EXPECT_TRUE(view->actions()[6]->isChecked());
    EXPECT_TRUE(frame->ToolBar()->isHidden());
    view->actions()[5]->trigger();
    Items(view);
    EXPECT_TRUE(view->actions()[5]->isChecked());
    EXPECT_FALSE(frame->ToolBar()->isHidden());
}

TEST_F(FrameTest, AcceleratorsMatchTheTableAndHelpTopicsTakesCtrlF1) {
    QStringList keys;
    for (QAction* a : frame->actions())
        if (!a->shortcut().isEmpty() && a->isEnabled()) keys << a->shortcut().toString();
    EXPECT_EQ(keys, (QStringList{"Ctrl+A", "Ctrl+F", "Ctrl+N", "Ctrl+O", "Ctrl+P", "Ctrl+F1", "F6", "Shift+F6"}));
    QStringList tips;
    for (QAction* a : frame->ToolBar()->actions())
        tips << (a->isSeparator() ? QStringLiteral("-") : a->toolTip());
    EXPECT_EQ(tips, (QStringList{"Open", "-", "Print", "-", "Help Topics"}));
    EXPECT_EQ(frame->ToolBar()->iconSize(), QSize(16, 15));
}

TEST_F(FrameTest, StatusPanesShowZoomSlideAndClock) {
    EXPECT_EQ(PaneText(cmd::ID_INDICATOR_ZOOM), "1:1");
    EXPECT_EQ(PaneText(cmd::ID_INDICATOR_SLIDE), "Slide 1 of 3");
    frame->UpdateClockPane();
    EXPECT_EQ(PaneText(cmd::ID_INDICATOR_CLOCK), "12:07 AM");
    env.clock.now.hour = 23;
    env.clock.now.minute = 59;
    frame->UpdateClockPane();
    EXPECT_EQ(PaneText(cmd::ID_INDICATOR_CLOCK), "11:59 PM");
    EXPECT_EQ(frame->Pane(cmd::ID_INDICATOR_ZOOM)->width(), 60);
    EXPECT_EQ(frame->Pane(cmd::ID_INDICATOR_SLIDE)->width(), 100);

    frame->RunCommand(cmd::ID_ZOOM_50);
    Repaint();
    EXPECT_EQ(PaneText(cmd::ID_INDICATOR_ZOOM), "1:2.02");  // 0.495

    // The auto-advance timer turns to the next slide.
    shell.View()->View().OnTimer(CVarnelleView::kAutoAdvanceTimer);
    Repaint();
    EXPECT_EQ(PaneText(cmd::ID_INDICATOR_SLIDE), "Slide 2 of 3");

    QStatusTipEvent tip(QStringLiteral("Show the project in full screen mode"));
    QCoreApplication::sendEvent(frame, &tip);
    EXPECT_EQ(frame->MessagePane()->text(), "Show the project in full screen mode");
    QStatusTipEvent none{QString()};
    QCoreApplication::sendEvent(frame, &none);
    EXPECT_EQ(frame->MessagePane()->text(), "Ready");
}

TEST_F(FrameTest, FullScreenShowsOnlyTheSlideAndRestoresTheBarsAsTheyWere) {
    const QRect before = frame->geometry();
    ASSERT_TRUE(frame->RunCommand(cmd::ID_VIEW_FULLSCREEN));
    EXPECT_EQ(shell.ActiveDocument()->m_bFullScreen, 1);
    EXPECT_TRUE(frame->menuBar()->isHidden());
    EXPECT_TRUE(frame->statusBar()->isHidden());
    EXPECT_TRUE(frame->windowState() & Qt::WindowFullScreen);
    EXPECT_EQ(frame->geometry(), frame->screen()->geometry());
    EXPECT_EQ(frame->m_bStatusBarWasVisible, 1);
    EXPECT_EQ(frame->m_bToolBarWasVisible, 0);

    frame->RunCommand(cmd::ID_VIEW_FULLSCREEN);
    EXPECT_EQ(shell.ActiveDocument()->m_bFullScreen, 0);
    EXPECT_FALSE(frame->menuBar()->isHidden());
    EXPECT_FALSE(frame->statusBar()->isHidden());
    EXPECT_TRUE(frame->ToolBar()->isHidden());
    EXPECT_FALSE(frame->windowState() & Qt::WindowFullScreen);
    EXPECT_EQ(frame->geometry(), before);
}

// Alt+F, then arrow keys through the menus: after each key, the menus open and the item
// highlighted in the innermost one ("View Zoom: 300%").
QStringList WalkMenus(CMainFrame* frame, const std::vector<QMenu*>& menus) {
    QStringList seen;
    const auto record = [&] {
        QStringList open;
        for (QMenu* menu : menus)
            if (menu->isVisible()) open << menu->title().remove('&');
        const auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        const QAction* active = popup ? popup->activeAction() : nullptr;
        seen << open.join(' ') + ": " + (active ? active->text().section('\t', 0, 0).remove('&') : QString());
    };
    QTest::keyClick(frame, Qt::Key_F, Qt::AltModifier);
    record();
    for (Qt::Key key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Left, Qt::Key_Right, Qt::Key_Right,
                        Qt::Key_Right, Qt::Key_Left, Qt::Key_Left, Qt::Key_Escape}) {
        QWidget* popup = QApplication::activePopupWidget();
        if (!popup) break;
        QTest::keyClick(popup, key);
        record();
    }
    return seen;
}

// Quick Help promises the arrow keys between menus; with the menu bar hidden they work as on
// the menu bar: Right on a submenu's item opens it, Left in a submenu closes it, both ends wrap.
TEST_F(FrameTest, ArrowKeysSwitchMenusAlsoInFullScreen) {
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    QMenu* view = Menu("&View");
    const std::vector<QMenu*> menus = {Menu("&File"), Menu("&Navigate"), view, view->actions().first()->menu(),
                                       Menu("&Help")};
    const QStringList expected = {"File: Open...", "Navigate: Auto-Advance", "View: Zoom", "View Zoom: 300%",
                                  "View: Zoom", "View Zoom: 300%", "Help: Help Topics", "File: Open...",
                                  "Help: Help Topics", "View: Zoom", ": "};
    EXPECT_EQ(WalkMenus(frame, menus), expected);
    frame->RunCommand(cmd::ID_VIEW_FULLSCREEN);
    ASSERT_TRUE(frame->menuBar()->isHidden());
    EXPECT_EQ(WalkMenus(frame, menus), expected);
}

TEST_F(FrameTest, EscapeInTheViewTakesTheFrameOutOfFullScreen) {
    frame->RunCommand(cmd::ID_VIEW_FULLSCREEN);
    QTest::keyClick(shell.View(), Qt::Key_Escape);
    EXPECT_EQ(frame->m_bFullScreen, 0);
    EXPECT_FALSE(frame->menuBar()->isHidden());
    EXPECT_FALSE(shell.View()->View().Show().AutoAdvance());
    // With the show stopped the arrow keys turn slides.
    QTest::keyClick(shell.View(), Qt::Key_Left);
    Repaint();
    EXPECT_EQ(PaneText(cmd::ID_INDICATOR_SLIDE), "Slide 3 of 3");
}

TEST_F(FrameTest, CloseEmptiesTheShow) {
    frame->RunCommand(cmd::ID_FILE_NEW);
    Repaint();
    EXPECT_EQ(PaneText(cmd::ID_INDICATOR_SLIDE), "Slide 0 of 0");
    EXPECT_FALSE(env.timers.IsRunning(CVarnelleView::kAutoAdvanceTimer));
}

}  // namespace
