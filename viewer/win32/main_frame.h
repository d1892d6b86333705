#pragma once

#include "viewer/document/command_target.h"

#include <windows.h>

#include <map>

class CommandRouter;
class DocumentProvider;

namespace platform {
class Clock;
}

// The viewer's frame window: the menu and accelerators of the resource script, the status
// bar with its four panes, and the view as its one child. Commands from the menu and the
// keys go through the router.
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
    // Maximises the window on its first layout with a document.
    void RecalcLayout();
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

    DocumentProvider& documents_;
    platform::Clock& clock_;
    CommandRouter* router_ = nullptr;
    HWND hwnd_ = nullptr;
    HWND status_ = nullptr;
    HWND view_ = nullptr;
    HACCEL accelerators_ = nullptr;
    // Status pane index of each indicator id.
    std::map<int, int> panes_;
    bool firstLayout_ = true;
};
