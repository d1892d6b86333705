#include "viewer/frame/main_frame.h"

#include "viewer/app/varnelle_app.h"
#include "viewer/document/varnelle_doc.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>

#include "tests/support/qt_application.h"

#include <gtest/gtest.h>

namespace {

QAction* FindAction(QMenuBar* bar, const QString& menu, const QString& text) {
    for (QAction* top : bar->actions()) {
        if (top->text() != menu || !top->menu()) continue;
        for (QAction* a : top->menu()->actions())
            if (a->text() == text) return a;
    }
    return nullptr;
}

TEST(MainFrame, MenuItemsSendTheirCommandIds) {
    testsupport::EnsureQtApplication();
    std::vector<int> sent;
    CMainFrame frame([&](int id) { sent.push_back(id); });
    EXPECT_EQ(frame.windowTitle(), "Untitled - Quorvyn Collage Slideshow 5.0");

    QAction* open = FindAction(frame.menuBar(), "&File", "&Open...");
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->shortcut(), QKeySequence("Ctrl+O"));
    QAction* close = FindAction(frame.menuBar(), "&File", "&Close");
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->shortcut(), QKeySequence("Ctrl+N"));

    open->trigger();
    close->trigger();
    FindAction(frame.menuBar(), "&View", "33%")->trigger();
    FindAction(frame.menuBar(), "&View", "Zoom (-)")->trigger();
    EXPECT_EQ(sent, (std::vector<int>{CVarnelleApp::ID_FILE_OPEN, CVarnelleApp::ID_FILE_NEW, CVarnelleDoc::ID_ZOOM_33,
                                      CVarnelleDoc::ID_ZOOM_OUT}));
}

}  // namespace
