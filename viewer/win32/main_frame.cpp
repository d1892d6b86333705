#include "viewer/win32/main_frame.h"

#include "platform/clock.h"
#include "viewer/app/command_router.h"
#include "viewer/document/varnelle_doc.h"
#include "viewer/frame/command_tables.h"
#include "viewer/frame/status_pane_updates.h"
#include "viewer/res/command_ids.h"
#include "viewer/res/texts.h"
#include "viewer/view/view_services.h"
#include "viewer/win32/frame_tool_bar.h"
#include "viewer/win32/resource_ids.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

constexpr char kClassName[] = "VarnelleFrame";
constexpr UINT_PTR kClockTimer = 1;

void RegisterFrameClass() {
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kClassName;
        return RegisterClassA(&wc) != 0;
    }();
    (void)registered;
}

}  // namespace

MainFrameWin32::MainFrameWin32(DocumentProvider& documents, platform::Clock& clock)
    : documents_(documents), clock_(clock) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    RegisterFrameClass();
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    const std::string title = std::string(texts::kUntitled) + " - " + texts::kWindowTitle;
    hwnd_ = CreateWindowExA(0, kClassName, title.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                            CW_USEDEFAULT, 800, 600, nullptr, LoadMenuA(instance, MAKEINTRESOURCEA(IDR_MAINFRAME)),
                            instance, nullptr);
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure));
    accelerators_ = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_MAINFRAME));
    toolBar_ = std::make_unique<FrameToolBar>(hwnd_, IDR_MAINFRAME);

    status_ = CreateWindowExA(0, STATUSCLASSNAMEA, texts::kReady, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                              hwnd_, nullptr, instance, nullptr);
    int index = 1;
    for (const StatusPane& pane : StatusPanes()) {
        panes_[pane.id] = index;
        SendMessageA(status_, SB_SETTEXTA, index++, reinterpret_cast<LPARAM>(pane.initial));
    }
    AddCommands();
    Layout();
    SetTimer(hwnd_, kClockTimer, 1000, nullptr);
}

MainFrameWin32::~MainFrameWin32() {
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
}

void MainFrameWin32::SetView(HWND view) {
    view_ = view;
    Layout();
}

void MainFrameWin32::Layout() {
    RECT client{};
    GetClientRect(hwnd_, &client);
    SendMessageA(status_, WM_SIZE, 0, 0);
    toolBar_->Resize();
    const int top = toolBar_->Height();
    RECT bar{};
    GetWindowRect(status_, &bar);
    const int barHeight = IsWindowVisible(status_) ? bar.bottom - bar.top : 0;
    // The panes sit at the right, each as wide as its table says; the message pane has the rest.
    std::vector<int> edges;
    int right = client.right;
    const auto panes = StatusPanes();
    std::vector<int> widths;
    for (const StatusPane& pane : panes) widths.push_back(pane.width);
    for (auto w = widths.rbegin(); w != widths.rend(); ++w) right -= *w;
    edges.push_back(right);
    for (int w : widths) edges.push_back(right += w);
    edges.back() = -1;
    SendMessageA(status_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    if (view_) MoveWindow(view_, 0, top, client.right, client.bottom - barHeight - top, TRUE);
}

bool MainFrameWin32::RunCommand(int id) {
    if (!router_ || !router_->Update(id).enabled) return false;
    const bool handled = router_->Route(id);
    UpdateIdle();
    return handled;
}

void MainFrameWin32::RecalcLayout() {
    if (documents_.ActiveDocument()) {
        if (firstLayout_) {
            firstLayout_ = false;
            WINDOWPLACEMENT placement{};
            placement.length = sizeof(placement);
            GetWindowPlacement(hwnd_, &placement);
            placement.showCmd = SW_SHOWMAXIMIZED;
            SetWindowPlacement(hwnd_, &placement);
        }
        SyncFullScreen();
    }
    Layout();
}

void MainFrameWin32::SyncFullScreen() {
    const CVarnelleDoc* doc = documents_.ActiveDocument();
    if (doc && fullScreen_ != (doc->m_bFullScreen != 0)) OnViewFullScreen();
}

void MainFrameWin32::OnViewFullScreen() {
    CVarnelleDoc* doc = documents_.ActiveDocument();
    if (!doc) return;
    WINDOWPLACEMENT next{};
    if (!fullScreen_) {
        toolBarWasVisible_ = toolBar_->Visible();
        statusBarWasVisible_ = IsWindowVisible(status_) != FALSE;
        toolBar_->SetVisible(false);
        ShowWindow(status_, SW_HIDE);
        previous_.length = sizeof(previous_);
        GetWindowPlacement(hwnd_, &previous_);
        // Grown past the screen by the caption, borders and menu, so that only the client
        // area is on it.
        GetWindowRect(GetDesktopWindow(), &fullScreenRect_);
        InflateRect(&fullScreenRect_, 2, 2);
        AdjustWindowRectEx(&fullScreenRect_, static_cast<DWORD>(GetWindowLongA(hwnd_, GWL_STYLE)), TRUE,
                           static_cast<DWORD>(GetWindowLongA(hwnd_, GWL_EXSTYLE)));
        next = previous_;
        next.showCmd = SW_SHOWNORMAL;
        next.rcNormalPosition = fullScreenRect_;
        fullScreen_ = true;
        doc->m_bFullScreen = 1;
    } else {
        toolBar_->SetVisible(toolBarWasVisible_);
        if (statusBarWasVisible_) ShowWindow(status_, SW_SHOW);
        next = previous_;
        fullScreen_ = false;
        doc->m_bFullScreen = 0;
    }
    SetWindowPlacement(hwnd_, &next);
    Layout();
}

void MainFrameWin32::UpdateIdle() {
    if (!router_) return;
    toolBar_->Update(*router_);
    for (const auto& [id, index] : panes_) {
        const CmdUI ui = router_->Update(id);
        if (ui.hasText) SendMessageA(status_, SB_SETTEXTA, index, reinterpret_cast<LPARAM>(ui.text.c_str()));
    }
}

std::string MainFrameWin32::PaneText(int index) const {
    const auto length = LOWORD(SendMessageA(status_, SB_GETTEXTLENGTHA, index, 0));
    std::string text(length + 1, '\0');
    SendMessageA(status_, SB_GETTEXTA, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return text;
}

void MainFrameWin32::UpdateMenu(HMENU menu) {
    if (!router_) return;
    for (int i = 0, n = GetMenuItemCount(menu); i < n; ++i) {
        const UINT id = GetMenuItemID(menu, i);
        if (id == 0 || id == static_cast<UINT>(-1)) continue;  // separator or popup
        const CmdUI ui = router_->Update(static_cast<int>(id));
        EnableMenuItem(menu, id, MF_BYCOMMAND | (ui.enabled ? MF_ENABLED : MF_GRAYED));
        CheckMenuItem(menu, id, MF_BYCOMMAND | (ui.checked ? MF_CHECKED : MF_UNCHECKED));
    }
}

void MainFrameWin32::ShowPrompt(int id) {
    // The prompt's first line is the status message; the tool tip follows its newline.
    const char* prompt = id ? CommandPrompt(id) : nullptr;
    std::string message = prompt ? std::string(prompt).substr(0, std::string(prompt).find('\n')) : texts::kReady;
    SendMessageA(status_, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(message.c_str()));
}

LRESULT CALLBACK MainFrameWin32::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<MainFrameWin32*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    return self ? self->Handle(message, wParam, lParam) : DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT MainFrameWin32::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE: Layout(); return 0;
    case WM_SETFOCUS:
        if (view_) SetFocus(view_);
        return 0;
    case WM_COMMAND: RunCommand(LOWORD(wParam)); return 0;
    case WM_INITMENUPOPUP: UpdateMenu(reinterpret_cast<HMENU>(wParam)); return 0;
    case WM_MENUSELECT:
        ShowPrompt(HIWORD(wParam) & (MF_POPUP | MF_SEPARATOR) || lParam == 0 ? 0 : LOWORD(wParam));
        return 0;
    case WM_TIMER:
        if (wParam == kClockTimer) UpdateIdle();
        return 0;
    case WM_NOTIFY: {
        auto* notice = reinterpret_cast<NMHDR*>(lParam);
        if (notice->code == TBN_HOTITEMCHANGE) {
            // The fly-by prompt: the message pane shows the button under the mouse.
            const auto* hot = reinterpret_cast<NMTBHOTITEM*>(notice);
            ShowPrompt(hot->dwFlags & HICF_LEAVING ? 0 : hot->idNew);
            return 0;
        }
        if (toolBar_->OnNotify(notice)) return 0;
        break;
    }
    case WM_GETMINMAXINFO:
        // Full-screen mode needs a window larger than the screen.
        if (fullScreen_) {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            const POINT size{fullScreenRect_.right - fullScreenRect_.left, fullScreenRect_.bottom - fullScreenRect_.top};
            info->ptMaxSize = size;
            info->ptMaxTrackSize = size;
        }
        break;
    case WM_CLOSE: PostQuitMessage(0); return 0;
    default: break;
    }
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

void MainFrameWin32::AddCommands() {
    AddCommand(cmd::ID_VIEW_FULLSCREEN, [this] { OnViewFullScreen(); }, [this](CmdUI& ui) {
        if (!documents_.ActiveDocument()) return;
        ui.Enable();
        ui.SetCheck(fullScreen_);
    });
    AddCommand(
        cmd::ID_VIEW_TOOLBAR,
        [this] {
            toolBar_->SetVisible(!toolBar_->Visible());
            Layout();
        },
        [this](CmdUI& ui) {
            ui.Enable();
            ui.SetCheck(toolBar_->Visible());
        });
    AddCommand(
        cmd::ID_VIEW_STATUS_BAR,
        [this] {
            ShowWindow(status_, IsWindowVisible(status_) ? SW_HIDE : SW_SHOW);
            Layout();
        },
        [this](CmdUI& ui) {
            ui.Enable();
            ui.SetCheck(IsWindowVisible(status_) != FALSE);
        });
    // The frame has one pane: the view keeps the focus.
    const auto focusView = [this] {
        if (view_) SetFocus(view_);
    };
    AddCommand(cmd::ID_NEXT_PANE, focusView);
    AddCommand(cmd::ID_PREV_PANE, focusView);
    ForEachPaneUpdate(documents_, clock_,
                      [this](int id, std::function<void(CmdUI&)> update) { AddUpdate(id, std::move(update)); });
}
