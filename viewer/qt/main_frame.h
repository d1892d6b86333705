#pragma once

#include "viewer/document/command_target.h"

#include <QList>
#include <QMainWindow>
#include <QRect>

#include <map>

class CommandRouter;
class DocumentProvider;
class FullScreenMenus;
class QAction;
class QLabel;
class QMenu;
class QTimer;
class QToolBar;

namespace platform {
class Clock;
}

// The viewer's frame window: menus, accelerators, tool bar, status bar with its panes, and
// full-screen mode. Commands from all of them go through the router.
class CMainFrame final : public QMainWindow, public CommandTarget {
    Q_OBJECT
public:
    CMainFrame(DocumentProvider& documents, platform::Clock& clock);
    ~CMainFrame() override;

    // The chain that menus, keys and tool buttons send their commands along.
    void SetRouter(CommandRouter* router) { router_ = router; }
    // Runs a command if its item is enabled; false otherwise.
    bool RunCommand(int id);

    // Maximises the window on its first layout with a document, then follows the
    // document's full-screen flag.
    void RecalcLayout();
    // The idle-time update: tool buttons and status panes.
    void UpdateIdle();
    void UpdateClockPane();
    void OnViewFullScreen();

    QToolBar* ToolBar() const { return m_wndToolBar; }
    QLabel* Pane(int id) const;
    QLabel* MessagePane() const { return messagePane_; }

    int m_bFullScreen = 0;
    QRect m_rcFullScreen;
    // The placement saved on entering full-screen mode.
    struct Placement {
        QRect geometry;
        Qt::WindowStates state;
    } m_wpPrev;
    int m_bFirstLayout = 1;
    int m_bToolBarWasVisible = 0;
    int m_bStatusBarWasVisible = 0;

protected:
    bool event(QEvent* event) override;

private:
    void AddCommands();
    void BuildMenus();
    void BuildAccelerators();
    void BuildToolBar();
    void BuildStatusBar();
    QAction* MakeCommandAction(const QString& text, int id, QObject* parent);
    void UpdateActions(const QList<QAction*>& actions);
    void SyncFullScreen();

    DocumentProvider& documents_;
    platform::Clock& clock_;
    CommandRouter* router_ = nullptr;
    QToolBar* m_wndToolBar = nullptr;
    QLabel* messagePane_ = nullptr;
    std::map<int, QLabel*> panes_;
    QList<QAction*> toolActions_;
    FullScreenMenus* fullScreenMenus_ = nullptr;
    QTimer* m_nClockTimer = nullptr;
};
