#include "viewer/qt/main_frame.h"

#include "gui_common/text_bytes.h"
#include "platform/clock.h"
#include "viewer/app/command_router.h"
#include "viewer/document/varnelle_doc.h"
#include "viewer/qt/app_icon.h"
#include "viewer/frame/command_tables.h"
#include "viewer/qt/full_screen_menus.h"
#include "viewer/frame/status_pane_updates.h"
#include "viewer/qt/toolbar_pictures.h"
#include "viewer/res/command_ids.h"
#include "viewer/res/texts.h"
#include "viewer/view/view_services.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>

namespace {

// The parts of a command prompt: the status message and the tool tip.
QString PromptPart(int id, int part) {
    const char* prompt = CommandPrompt(id);
    return prompt ? gui::FromBytes(prompt).section('\n', part, part) : QString();
}

}  // namespace

CMainFrame::CMainFrame(DocumentProvider& documents, platform::Clock& clock) : documents_(documents), clock_(clock) {
    setWindowTitle(gui::FromBytes(texts::kUntitled) + " - " + gui::FromBytes(texts::kWindowTitle));
    setWindowIcon(QIcon(ViewerIcon()));
    resize(800, 600);
    AddCommands();
    BuildMenus();
    BuildAccelerators();
    BuildToolBar();
    BuildStatusBar();
    m_nClockTimer = new QTimer(this);
    connect(m_nClockTimer, &QTimer::timeout, this, &CMainFrame::UpdateClockPane);
    m_nClockTimer->start(1000);
    m_wndToolBar->hide();
}

CMainFrame::~CMainFrame() = default;

QAction* CMainFrame::MakeCommandAction(const QString& text, int id, QObject* parent) {
    auto* action = new QAction(text, parent);
    action->setData(id);  // the id the menu update asks about
    action->setStatusTip(PromptPart(id, 0));
    connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
    return action;
}

void CMainFrame::BuildMenus() {
    std::map<QString, QMenu*> menus;
    for (const MenuEntry& entry : MenuEntries()) {
        QMenu*& top = menus[gui::FromBytes(entry.popup)];
        if (!top) {
            top = menuBar()->addMenu(gui::FromBytes(entry.popup));
            connect(top, &QMenu::aboutToShow, this, [this, top] { UpdateActions(top->actions()); });
        }
        QMenu* menu = top;
        if (entry.subPopup) {
            QMenu* sub = top->findChild<QMenu*>(gui::FromBytes(entry.subPopup), Qt::FindDirectChildrenOnly);
            if (!sub) {
                sub = top->addMenu(gui::FromBytes(entry.subPopup));
                sub->setObjectName(gui::FromBytes(entry.subPopup));
                connect(sub, &QMenu::aboutToShow, this, [this, sub] { UpdateActions(sub->actions()); });
            }
            menu = sub;
        }
        if (entry.id == 0) menu->addSeparator();
        else menu->addAction(MakeCommandAction(gui::FromBytes(entry.text), entry.id, menu));
    }
}

void CMainFrame::BuildAccelerators() {
    // Keys belong to the window, not to the menu bar, so they still work in full-screen
    // mode where the menu bar is hidden.
    for (const Accelerator& accelerator : Accelerators()) {
        auto* action = new QAction(this);
        action->setShortcut(QKeySequence(gui::FromBytes(accelerator.keys)));
        const int id = accelerator.id;
        connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
        addAction(action);
    }
    // In full-screen mode Alt and a menu's mnemonic still open that menu.
    QList<QMenu*> menus;
    for (QAction* top : menuBar()->actions()) menus.push_back(top->menu());
    fullScreenMenus_ = new FullScreenMenus(this, menus);
}

void CMainFrame::BuildToolBar() {
    m_wndToolBar = addToolBar(QString());
    m_wndToolBar->setObjectName(QStringLiteral("toolbar"));
    m_wndToolBar->setIconSize(QSize(16, 15));
    m_wndToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    for (const ToolButton& button : ToolButtons()) {
        if (button.id == 0) {
            m_wndToolBar->addSeparator();
            continue;
        }
        QAction* action = MakeCommandAction(PromptPart(button.id, 1), button.id, m_wndToolBar);
        action->setIcon(QIcon(ToolButtonPicture(button.id)));
        action->setToolTip(PromptPart(button.id, 1));
        m_wndToolBar->addAction(action);
        toolActions_.push_back(action);
    }
}

void CMainFrame::BuildStatusBar() {
    messagePane_ = new QLabel(gui::FromBytes(texts::kReady));
    statusBar()->addWidget(messagePane_, 1);
    for (const StatusPane& pane : StatusPanes()) {
        auto* label = new QLabel(gui::FromBytes(pane.initial));
        label->setFixedWidth(pane.width);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        statusBar()->addPermanentWidget(label);
        panes_[pane.id] = label;
    }
}

QLabel* CMainFrame::Pane(int id) const {
    const auto it = panes_.find(id);
    return it == panes_.end() ? nullptr : it->second;
}

bool CMainFrame::RunCommand(int id) {
    if (!router_ || !router_->Update(id).enabled) return false;
    const bool handled = router_->Route(id);
    UpdateIdle();
    return handled;
}

void CMainFrame::UpdateActions(const QList<QAction*>& actions) {
    if (!router_) return;
    for (QAction* action : actions) {
        if (action->isSeparator() || action->menu()) continue;
        const CmdUI ui = router_->Update(action->data().toInt());
        action->setEnabled(ui.enabled);
        action->setCheckable(ui.checked || action->isCheckable());
        action->setChecked(ui.checked);
    }
}

void CMainFrame::UpdateIdle() {
    UpdateActions(toolActions_);
    if (!router_) return;
    for (const auto& [id, label] : panes_) {
        const CmdUI ui = router_->Update(id);
        if (ui.hasText) label->setText(gui::FromBytes(ui.text));
    }
}

void CMainFrame::UpdateClockPane() {
    CmdUI ui(cmd::ID_INDICATOR_CLOCK);
    if (OnUpdateCommand(ui) && ui.hasText) panes_[cmd::ID_INDICATOR_CLOCK]->setText(gui::FromBytes(ui.text));
}

bool CMainFrame::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        messagePane_->setText(tip.isEmpty() ? gui::FromBytes(texts::kReady) : tip);
        return true;
    }
    return QMainWindow::event(event);
}

void CMainFrame::RecalcLayout() {
    if (!documents_.ActiveDocument()) return;
    if (m_bFirstLayout) {
        // Sized to the screen as well, so that the window fills it even where no window
        // manager carries out the maximised state.
        if (QScreen* screen = this->screen()) setGeometry(screen->availableGeometry());
        setWindowState(windowState() | Qt::WindowMaximized);
        m_bFirstLayout = 0;
    }
    SyncFullScreen();
}

void CMainFrame::SyncFullScreen() {
    const CVarnelleDoc* doc = documents_.ActiveDocument();
    if (doc && m_bFullScreen != doc->m_bFullScreen) OnViewFullScreen();
}

void CMainFrame::OnViewFullScreen() {
    CVarnelleDoc* doc = documents_.ActiveDocument();
    if (!doc) return;
    if (!m_bFullScreen) {
        m_bToolBarWasVisible = m_wndToolBar->isHidden() ? 0 : 1;
        m_bStatusBarWasVisible = statusBar()->isHidden() ? 0 : 1;
        m_wndToolBar->hide();
        statusBar()->hide();
        m_wpPrev = {geometry(), windowState()};
        // Only the client area shows: the menu bar goes, and the window covers the whole
        // screen whether or not a window manager honours the full-screen state.
        QScreen* screen = this->screen();
        m_rcFullScreen = screen ? screen->geometry() : geometry();
        menuBar()->hide();
        fullScreenMenus_->SetEnabled(true);
        setGeometry(m_rcFullScreen);
        setWindowState(Qt::WindowFullScreen);
        m_bFullScreen = 1;
        doc->m_bFullScreen = 1;
    } else {
        if (m_bToolBarWasVisible) m_wndToolBar->show();
        if (m_bStatusBarWasVisible) statusBar()->show();
        menuBar()->show();
        fullScreenMenus_->SetEnabled(false);
        setWindowState(m_wpPrev.state & ~Qt::WindowFullScreen);
        setGeometry(m_wpPrev.geometry);
        m_bFullScreen = 0;
        doc->m_bFullScreen = 0;
    }
}

void CMainFrame::AddCommands() {
    AddCommand(cmd::ID_VIEW_FULLSCREEN, [this] { OnViewFullScreen(); }, [this](CmdUI& ui) {
        if (!documents_.ActiveDocument()) return;
        ui.Enable();
        ui.SetCheck(m_bFullScreen == 1);
    });
    AddCommand(
        cmd::ID_VIEW_TOOLBAR, [this] { m_wndToolBar->setVisible(m_wndToolBar->isHidden()); },
        [this](CmdUI& ui) {
            ui.Enable();
            ui.SetCheck(!m_wndToolBar->isHidden());
        });
    AddCommand(
        cmd::ID_VIEW_STATUS_BAR, [this] { statusBar()->setVisible(statusBar()->isHidden()); },
        [this](CmdUI& ui) {
            ui.Enable();
            ui.SetCheck(!statusBar()->isHidden());
        });
    // The frame has one pane: the view keeps the focus.
    const auto focusView = [this] {
        if (centralWidget()) centralWidget()->setFocus();
    };
    AddCommand(cmd::ID_NEXT_PANE, focusView);
    AddCommand(cmd::ID_PREV_PANE, focusView);
    ForEachPaneUpdate(documents_, clock_,
                      [this](int id, std::function<void(CmdUI&)> update) { AddUpdate(id, std::move(update)); });
}
