#include "viewer/win32/frame_tool_bar.h"

#include "viewer/app/command_router.h"
#include "viewer/frame/command_tables.h"

#include <commctrl.h>

namespace {

// The framework's control id of the standard tool bar.
constexpr int kToolBarId = 0xE800;
// A tool bar resource as windres writes it: button width, height and count, then the
// command ids, each a 32-bit number.
constexpr WORD kToolBarResourceType = 241;

std::vector<int> ResourceButtons(HINSTANCE instance, int resource, SIZE& button) {
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(resource), MAKEINTRESOURCEA(kToolBarResourceType));
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const auto* words = loaded ? static_cast<const DWORD*>(LockResource(loaded)) : nullptr;
    const DWORD size = found ? SizeofResource(instance, found) : 0;
    if (!words || size < 3 * sizeof(DWORD) || (size / sizeof(DWORD)) - 3 < words[2]) return {};
    button = {static_cast<LONG>(words[0]), static_cast<LONG>(words[1])};
    return std::vector<int>(words + 3, words + 3 + words[2]);
}

std::string TipOf(int id) {
    const char* prompt = CommandPrompt(id);
    if (!prompt) return {};
    const std::string text = prompt;
    const auto newline = text.find('\n');
    return newline == std::string::npos ? std::string() : text.substr(newline + 1);
}

}  // namespace

FrameToolBar::FrameToolBar(HWND frame, int resource) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    SIZE button{16, 15};
    buttons_ = ResourceButtons(instance, resource, button);
    hwnd_ = CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr, WS_CHILD | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP, 0, 0,
                            0, 0, frame, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kToolBarId)), instance, nullptr);
    SendMessageA(hwnd_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(hwnd_, TB_SETBITMAPSIZE, 0, MAKELPARAM(button.cx, button.cy));
    std::vector<TBBUTTON> added;
    int picture = 0;
    for (int id : buttons_) {
        TBBUTTON entry{};
        entry.idCommand = id;
        entry.fsState = TBSTATE_ENABLED;
        entry.fsStyle = id == 0 ? BTNS_SEP : BTNS_BUTTON;
        entry.iBitmap = id == 0 ? 0 : picture++;
        added.push_back(entry);
        if (id) tips_[id] = TipOf(id);
    }
    TBADDBITMAP pictures{instance, static_cast<UINT_PTR>(resource)};
    SendMessageA(hwnd_, TB_ADDBITMAP, picture, reinterpret_cast<LPARAM>(&pictures));
    SendMessageA(hwnd_, TB_ADDBUTTONSA, added.size(), reinterpret_cast<LPARAM>(added.data()));
    Resize();
}

void FrameToolBar::SetVisible(bool visible) { ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE); }

int FrameToolBar::Height() const {
    if (!Visible()) return 0;
    RECT rc{};
    GetWindowRect(hwnd_, &rc);
    return rc.bottom - rc.top;
}

void FrameToolBar::Resize() const { SendMessageA(hwnd_, TB_AUTOSIZE, 0, 0); }

void FrameToolBar::Update(CommandRouter& router) const {
    for (int id : buttons_)
        if (id) SendMessageA(hwnd_, TB_ENABLEBUTTON, id, MAKELPARAM(router.Update(id).enabled ? TRUE : FALSE, 0));
}

bool FrameToolBar::OnNotify(NMHDR* notice) {
    const auto found = tips_.find(static_cast<int>(notice->idFrom));
    if (notice->code == TTN_GETDISPINFOA) {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(notice);
        info->lpszText = const_cast<char*>(found == tips_.end() ? "" : found->second.c_str());
        info->hinst = nullptr;
        return true;
    }
    if (notice->code == TTN_GETDISPINFOW) {
        const std::string& tip = found == tips_.end() ? std::string() : found->second;
        wideTip_.assign(MultiByteToWideChar(CP_ACP, 0, tip.c_str(), -1, nullptr, 0), L'\0');
        MultiByteToWideChar(CP_ACP, 0, tip.c_str(), -1, wideTip_.data(), static_cast<int>(wideTip_.size()));
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(notice);
        info->lpszText = wideTip_.data();
        info->hinst = nullptr;
        return true;
    }
    return false;
}
