#pragma once

#include "viewer/document/command_target.h"

#include <windows.h>

#include <map>
#include <memory>

class CommandRouter;
class DocumentProvider;
class FrameToolBar;

namespace platform {
class Clock;
}

// The viewer's frame window: the menu and accelerators of the resource script, the tool
// bar, the status bar with its four panes, the view as its one child, and full-screen mode.
// Commands from the menu, the keys and the tool bar go through the router.
class MainFrameWin32 final : public CommandTarget {
public:
    MainFrameWin32(DocumentProvider& documents, platform::Clock& clock);
    ~MainFrameWin32() override;

    HWND Handle() const { return hwnd_; }
    HACCEL Accelerators() const { return accelerators_; }
    void SetRouter(CommandRouter* router) { router_ = router; }
    void SetView(HWND view);
    // Runs a command if its item is enabled; false otherwise.
    bool RunCommand(int id);
    // Maximises the window on its first layout with a document, then follows the
    // document's full-screen flag.
    void RecalcLayout();
    // Enters or leaves full-screen mode: the window grows past the screen so that only its
    // client area shows.
    void OnViewFullScreen();
    bool FullScreen() const { return fullScreen_; }
    const RECT& FullScreenRect() const { return fullScreenRect_; }
    const FrameToolBar& ToolBar() const { return *toolBar_; }
    HWND StatusBar() const { return status_; }
    // The idle-time update: the status panes.
    void UpdateIdle();
    // The text of status pane `index` (0 is the message pane).
    std::string PaneText(int index) const;

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Layout();
    void UpdateMenu(HMENU menu);
    void ShowPrompt(int id);
    void AddCommands();
    void SyncFullScreen();

    DocumentProvider& documents_;
    platform::Clock& clock_;
    CommandRouter* router_ = nullptr;
    HWND hwnd_ = nullptr;
    HWND status_ = nullptr;
    HWND view_ = nullptr;
    std::unique_ptr<FrameToolBar> toolBar_;
    HACCEL accelerators_ = nullptr;
    // Status pane index of each indicator id.
    std::map<int, int> panes_;
    bool firstLayout_ = true;
    bool fullScreen_ = false;
    RECT fullScreenRect_{};
    WINDOWPLACEMENT previous_{};  // saved on entering full-screen mode
    bool toolBarWasVisible_ = false;
    bool statusBarWasVisible_ = false;
};
