#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

class CommandRouter;

// The frame's tool bar (common controls): its buttons and their order from the tool bar
// resource, their pictures from the bitmap of the same number, their tool tips from the
// second line of each command's prompt. Made hidden: View > Toolbar shows it.
class FrameToolBar {
public:
    FrameToolBar(HWND frame, int resource);

    HWND Handle() const { return hwnd_; }
    bool Visible() const { return IsWindowVisible(hwnd_) != FALSE; }
    void SetVisible(bool visible);
    // The height it takes at the top of the frame: 0 while hidden.
    int Height() const;
    // Follows the frame's width.
    void Resize() const;
    // Enables each button as the router says.
    void Update(CommandRouter& router) const;
    // The command ids of the buttons in order, 0 for a separator.
    const std::vector<int>& Buttons() const { return buttons_; }
    // Answers a tool tip's request for its text; false for notices of other kinds.
    bool OnNotify(NMHDR* notice);

private:
    HWND hwnd_ = nullptr;
    std::vector<int> buttons_;
    std::map<int, std::string> tips_;
    std::wstring wideTip_;  // the text handed to a tool tip that asks in UTF-16
};
