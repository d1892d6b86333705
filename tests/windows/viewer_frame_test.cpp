// The Win32 frame and view under Wine, over their real windows: the tool bar, the navigator
// bar's cursors and buttons, the speed and zoom keys, auto-advance and sweeps, full-screen
// mode. A folder of three 1600 x 1200 pictures of one colour each, in a view of 800 x 500.
#include "viewer/res/command_ids.h"
#include "viewer/win32/frame_tool_bar.h"
#include "viewer/win32/resource_ids.h"
#include "viewer/win32/win32_printer_service.h"
#include "viewer/win32/win32_shell.h"

#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_heap.h"
#include "platform/win32/win32_message_sink.h"
#include "platform/win32/win32_timer_service.h"
#include "tests/support/view_settings.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t kRed = 0xC82828, kGreen = 0x28C828;

void WriteBmp(const std::string& path, int width, int height, std::uint32_t rgb) {
    const int stride = (width * 3 + 3) & ~3;
    std::vector<std::uint8_t> file(54 + static_cast<std::size_t>(stride) * height, 0);
    auto put32 = [&](int at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) file[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    file[0] = 'B', file[1] = 'M';
    put32(2, static_cast<std::uint32_t>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));
    file[26] = 1, file[28] = 24;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c) file[54 + y * stride + x * 3 + c] = static_cast<std::uint8_t>(rgb >> (8 * c));
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), file.size());
}

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// One row of a window's client area as 0xRRGGBB values, after a paint unless told not to.
std::vector<std::uint32_t> GrabRow(HWND window, int y, int width, bool paint = true) {
    if (paint) RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC windowDc = GetDC(window);
    HDC memory = CreateCompatibleDC(windowDc);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -1, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, width, 1, windowDc, 0, y, SRCCOPY);
    GdiFlush();
    std::vector<std::uint32_t> row(static_cast<const std::uint32_t*>(bits),
                                   static_cast<const std::uint32_t*>(bits) + width);
    for (auto& px : row) px &= 0xFFFFFF;
    SelectObject(memory, old);
    DeleteObject(dib);
    DeleteDC(memory);
    ReleaseDC(window, windowDc);
    return row;
}

RECT WindowRect(HWND window) {
    RECT rc{};
    GetWindowRect(window, &rc);
    return rc;
}

class ViewerFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        CreateDirectoryA(kFolder, nullptr);
        WriteBmp(std::string(kFolder) + "\\a.bmp", 1600, 1200, kRed);
        WriteBmp(std::string(kFolder) + "\\b.bmp", 1600, 1200, kGreen);
        WriteBmp(std::string(kFolder) + "\\c.bmp", 1600, 1200, 0x2828C8);
        shell.emplace(app, Win32ShellServices{heap, [this](std::function<void(int)> onTick) -> platform::TimerService& {
                                                  return viewTimers.emplace(std::move(onTick));
                                              }});
        ASSERT_TRUE(app.InitInstance(std::vector<std::string>{"0", kFolder}, *shell));
        Pump();
        ShowWindow(Frame(), SW_RESTORE);
        // The fit is made with the client size at load time: size, then load again.
        RECT client{};
        for (int attempt = 0; attempt < 4 && !(client.right == 800 && client.bottom == 500); ++attempt) {
            for (int round = 0; round < 3; ++round) {
                GetClientRect(View(), &client);
                const RECT frame = WindowRect(Frame());
                SetWindowPos(Frame(), HWND_TOP, 0, 0, frame.right - frame.left + 800 - client.right,
                             frame.bottom - frame.top + 500 - client.bottom, SWP_SHOWWINDOW);
                Pump();
            }
            shell->NewDocument(kFolder, "");
            testsupport::SetTransitionMode(view(), 2);
            Settle();
            GetClientRect(View(), &client);
        }
        ASSERT_EQ(client.right, 800);
        ASSERT_EQ(client.bottom, 500);
        SetForegroundWindow(Frame());
        SetFocus(View());
        Settle();
    }

    HWND Frame() { return shell->Frame()->Handle(); }
    HWND View() { return shell->View()->Handle(); }
    CVarnelleView& view() { return shell->View()->View(); }
    void Settle() {
        for (int round = 0; round < 3; ++round) {
            Pump();
            (void)GrabRow(View(), 0, 1);
        }
    }
    std::string Pane(int index) {
        shell->Frame()->UpdateIdle();
        return shell->Frame()->PaneText(index);
    }
    void Key(int vk) {
        SendMessageA(View(), WM_KEYDOWN, vk, 0);
        SendMessageA(View(), WM_KEYUP, vk, 0);
        Settle();
    }
    void Mouse(UINT message, int x, int y) {
        SendMessageA(View(), message, 0, MAKELPARAM(x, y));
        Settle();
    }
    void Click(int x, int y) {
        Mouse(WM_MOUSEMOVE, x, y);
        Mouse(WM_LBUTTONDOWN, x, y);
        Mouse(WM_LBUTTONUP, x, y);
    }
    static HCURSOR ProgramCursor(int id) { return LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id)); }

    static constexpr const char* kFolder = "viewer-frame-show";
    platform::win32::Win32FileSystem fs;
    platform::win32::Win32Clock clock;
    platform::win32::Win32Heap heap;
    platform::win32::Win32MessageSink messages;
    std::optional<platform::win32::Win32TimerService> viewTimers;
    Win32PrinterService printers;
    CVarnelleApp app{{fs, messages, clock, printers}};
    std::optional<Win32Shell> shell;
};

TEST_F(ViewerFrameTest, ToolBarStartsHiddenHasTheResourceButtonsAndToggles) {
    const FrameToolBar& bar = shell->Frame()->ToolBar();
    EXPECT_FALSE(bar.Visible());
    EXPECT_EQ(bar.Buttons(), (std::vector<int>{cmd::ID_FILE_OPEN, 0, cmd::ID_FILE_PRINT, 0, cmd::ID_HELP_TOPICS}));
    EXPECT_EQ(SendMessageA(bar.Handle(), TB_BUTTONCOUNT, 0, 0), 5);

    const RECT viewBefore = WindowRect(View());
    ASSERT_TRUE(shell->Frame()->RunCommand(cmd::ID_VIEW_TOOLBAR));
    Settle();
    ASSERT_TRUE(bar.Visible());
    // The view moves down below the bar and loses its height.
    const RECT barRect = WindowRect(bar.Handle());
    EXPECT_GT(barRect.bottom, barRect.top);
    EXPECT_EQ(WindowRect(View()).top, barRect.bottom);
    EXPECT_EQ(WindowRect(View()).bottom, viewBefore.bottom);
    // The Open button shows its folder picture: its yellows are on the bar.
    RECT open{};
    SendMessageA(bar.Handle(), TB_GETRECT, cmd::ID_FILE_OPEN, reinterpret_cast<LPARAM>(&open));
    std::set<std::uint32_t> colours;
    for (int y = open.top; y < open.bottom; ++y)
        for (std::uint32_t px : GrabRow(bar.Handle(), y, open.right)) colours.insert(px);
    EXPECT_TRUE(colours.count(0xFFE880) || colours.count(0xF0C840)) << colours.size() << " colours";

    ASSERT_TRUE(shell->Frame()->RunCommand(cmd::ID_VIEW_TOOLBAR));
    Settle();
    EXPECT_FALSE(bar.Visible());
    EXPECT_EQ(WindowRect(View()).top, viewBefore.top);
}

TEST_F(ViewerFrameTest, ToolTipsAreThePromptsSecondLines) {
    const HWND bar = shell->Frame()->ToolBar().Handle();
    for (const auto& [id, tip] : {std::pair{cmd::ID_FILE_OPEN, "Open"}, {cmd::ID_FILE_PRINT, "Print"},
                                  {cmd::ID_HELP_TOPICS, "Help Topics"}}) {
        NMTTDISPINFOA info{};
        info.hdr = {bar, static_cast<UINT_PTR>(id), TTN_GETDISPINFOA};
        SendMessageA(Frame(), WM_NOTIFY, id, reinterpret_cast<LPARAM>(&info));
        ASSERT_NE(info.lpszText, nullptr);
        EXPECT_STREQ(info.lpszText, tip);
        NMTTDISPINFOW wide{};
        wide.hdr = {bar, static_cast<UINT_PTR>(id), TTN_GETDISPINFOW};
        SendMessageA(Frame(), WM_NOTIFY, id, reinterpret_cast<LPARAM>(&wide));
        ASSERT_NE(wide.lpszText, nullptr);
        EXPECT_EQ(std::wstring(wide.lpszText), std::wstring(tip, tip + std::string(tip).size()));
    }
}

TEST_F(ViewerFrameTest, AButtonUnderTheMouseShowsItsPromptUntilTheMouseLeavesTheBar) {
    const HWND bar = shell->Frame()->ToolBar().Handle();
    NMTBHOTITEM hot{};
    hot.hdr = {bar, 0xE800, static_cast<UINT>(TBN_HOTITEMCHANGE)};
    hot.idNew = cmd::ID_FILE_OPEN;
    hot.dwFlags = HICF_MOUSE | HICF_ENTERING;
    SendMessageA(Frame(), WM_NOTIFY, 0xE800, reinterpret_cast<LPARAM>(&hot));
    EXPECT_EQ(shell->Frame()->PaneText(0), "Choose a folder of pictures to show");
    hot.idOld = cmd::ID_FILE_OPEN;
    hot.idNew = 0;
    hot.dwFlags = HICF_MOUSE | HICF_LEAVING;
    SendMessageA(Frame(), WM_NOTIFY, 0xE800, reinterpret_cast<LPARAM>(&hot));
    EXPECT_EQ(shell->Frame()->PaneText(0), "Ready");
}

TEST_F(ViewerFrameTest, MenuItemsShowTheirPromptsFirstLinesAndClosingTheMenuSaysReady) {
    const HMENU menu = GetMenu(Frame());
    SendMessageA(Frame(), WM_MENUSELECT, MAKEWPARAM(cmd::ID_VIEW_FULLSCREEN, MF_STRING), reinterpret_cast<LPARAM>(menu));
    EXPECT_EQ(shell->Frame()->PaneText(0), "Show the project in full screen mode");
    SendMessageA(Frame(), WM_MENUSELECT, MAKEWPARAM(0, MF_POPUP), reinterpret_cast<LPARAM>(menu));
    EXPECT_EQ(shell->Frame()->PaneText(0), "Ready");
    SendMessageA(Frame(), WM_MENUSELECT, MAKEWPARAM(cmd::ID_APP_EXIT, MF_STRING), reinterpret_cast<LPARAM>(menu));
    EXPECT_NE(shell->Frame()->PaneText(0), "Ready");
    SendMessageA(Frame(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(shell->Frame()->PaneText(0), "Ready");
}

TEST_F(ViewerFrameTest, NavigatorBarIsOnThePixelsWithItsCursorsAndItsButtonsHitWhereItsTableSays) {
    // The bar covers the slide's left part at the top; beyond its 280 pixels the slide shows.
    const std::vector<std::uint32_t> row = GrabRow(View(), 12, 800);
    EXPECT_NE(row[200], kRed);
    EXPECT_NE(row[200], 0u);
    EXPECT_EQ(row[290], kRed);

    Mouse(WM_MOUSEMOVE, 400, 300);
    EXPECT_EQ(shell->View()->Cursor(), ProgramCursor(IDC_MAGNIFIER));
    Mouse(WM_MOUSEMOVE, 100, 12);
    EXPECT_EQ(shell->View()->Cursor(), ProgramCursor(IDC_NAV_POINT));
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(ProgramCursor(IDC_NAV_POINT), &info));
    EXPECT_EQ(info.xHotspot, 12u);
    EXPECT_EQ(info.yHotspot, 1u);
    DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);

    Key(VK_ESCAPE);  // stops the show: the arrows of the bar step
    Mouse(WM_LBUTTONDOWN, 81, 12);
    EXPECT_EQ(shell->View()->Cursor(), ProgramCursor(IDC_NAV_PRESS));
    Mouse(WM_LBUTTONUP, 81, 12);
    EXPECT_EQ(Pane(2), "Slide 2 of 3");  // x = 81 is the first of ">>>"
    EXPECT_EQ(GrabRow(View(), 250, 800)[400], kGreen);
    Click(80, 12);
    EXPECT_EQ(Pane(2), "Slide 1 of 3");  // x = 80 is the last of "<<<"

    // EXIT sends the application's exit command: the program's loop ends. Nothing may read
    // the queue between the release and the look for the quit.
    Mouse(WM_MOUSEMOVE, 250, 12);
    Mouse(WM_LBUTTONDOWN, 250, 12);
    SendMessageA(View(), WM_LBUTTONUP, 0, MAKELPARAM(250, 12));
    MSG quit;
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(ViewerFrameTest, UpAndDownChangeTheSpeedWhileTheShowRunsAndTheZoomWhenItIsStopped) {
    ASSERT_TRUE(view().Show().AutoAdvance());
    Key(VK_UP);
    EXPECT_FLOAT_EQ(view().Show().PageInterval(), 5.0f);
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_FLOAT_EQ(view().Show().PageInterval(), 7.0f);
    EXPECT_EQ(Pane(1), "1:2.402");  // the fit, 500 / 1200, untouched

    Key(VK_ESCAPE);
    Mouse(WM_MOUSEMOVE, 400, 250);
    Key(VK_UP);  // from the fit's level 8 to level 9, 0.495
    EXPECT_EQ(Pane(1), "1:2.02");
    EXPECT_EQ(GrabRow(View(), 250, 800)[100], kRed);  // 792 x 594 now, with scroll bars
    // 594 pixels high: a wheel notch down pages a tenth of that, and never zooms.
    const int top = shell->View()->ScrollPosition().y;
    SendMessageA(View(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), MAKELPARAM(400, 250));
    Settle();
    EXPECT_EQ(shell->View()->ScrollPosition().y, top + 59);
    EXPECT_EQ(Pane(1), "1:2.02");
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_EQ(Pane(1), "1:2.857");  // level 7, 0.35
    EXPECT_FLOAT_EQ(view().Show().PageInterval(), 7.0f);
}

TEST_F(ViewerFrameTest, TheViewTimerTurnsTheSlideAndASweepEndsOnTheNextSlidesPixels) {
    // The timer service's own window gets the system's tick of timer 1.
    const HWND timers = FindWindowExA(HWND_MESSAGE, nullptr, "VarnelleTimerWindow", nullptr);
    ASSERT_NE(timers, nullptr);
    SendMessageA(timers, WM_TIMER, 1, 0);
    Settle();
    EXPECT_EQ(Pane(2), "Slide 2 of 3");
    EXPECT_EQ(GrabRow(View(), 250, 800)[400], kGreen);

    // Sweeps on every paint, each a tenth of a second long: the paint returns with the sweep
    // under way, and frames on the window's timer finish it.
    Key(VK_ESCAPE);
    view().SetTransitions(1, 6.0f, 1.0f);
    SendMessageA(View(), WM_KEYDOWN, VK_RIGHT, 0);
    UpdateWindow(View());
    EXPECT_TRUE(view().InTransition());
    SendMessageA(View(), WM_KEYUP, VK_RIGHT, 0);
    const DWORD start = GetTickCount();
    MSG message;
    while (view().InTransition() && GetTickCount() - start < 3000 && GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    ASSERT_FALSE(view().InTransition());
    // The sweep's last frame, as it is on the window.
    const std::vector<std::uint32_t> row = GrabRow(View(), 250, 800, false);
    EXPECT_EQ(row[67], 0x2828C8u);
    EXPECT_EQ(row[400], 0x2828C8u);
    EXPECT_EQ(row[732], 0x2828C8u);
    EXPECT_EQ(Pane(2), "Slide 3 of 3");

    // The window grows during a sweep: once it is over, the slide is painted at its new place.
    // The key is up before the sweep begins, so its repaint comes first.
    view().SetTransitions(1, 6.0f, 3.0f);
    SendMessageA(View(), WM_KEYDOWN, VK_RIGHT, 0);
    SendMessageA(View(), WM_KEYUP, VK_RIGHT, 0);
    UpdateWindow(View());
    ASSERT_TRUE(view().InTransition());
    const RECT frame = WindowRect(Frame());
    SetWindowPos(Frame(), nullptr, 0, 0, frame.right - frame.left + 100, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    const DWORD resized = GetTickCount();
    while (view().InTransition() && GetTickCount() - resized < 3000 && GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    ASSERT_FALSE(view().InTransition());
    testsupport::SetTransitionMode(view(), 2);  // the repaint itself without a sweep
    Pump();
    UpdateWindow(View());
    RECT client{};
    GetClientRect(View(), &client);
    ASSERT_EQ(client.right, 900);
    const std::vector<std::uint32_t> wider = GrabRow(View(), 250, 900, false);
    EXPECT_EQ(wider[116], 0u);  // 666 pixels centred in 900: x = 117
    EXPECT_EQ(wider[117], kRed);
    EXPECT_EQ(wider[782], kRed);
    EXPECT_EQ(wider[783], 0u);
}

TEST_F(ViewerFrameTest, FullScreenPutsOnlyTheClientAreaOnTheScreenAndEscapeLeavesIt) {
    ASSERT_TRUE(shell->Frame()->RunCommand(cmd::ID_VIEW_STATUS_BAR));  // hidden: stays hidden after
    ASSERT_TRUE(shell->Frame()->RunCommand(cmd::ID_VIEW_TOOLBAR));     // shown: comes back after
    Settle();
    const RECT windowed = WindowRect(Frame());
    ASSERT_TRUE(shell->Frame()->RunCommand(cmd::ID_VIEW_FULLSCREEN));
    Settle();
    EXPECT_TRUE(shell->Frame()->FullScreen());

    RECT expected{};
    GetWindowRect(GetDesktopWindow(), &expected);
    const RECT screen = expected;
    InflateRect(&expected, 2, 2);
    AdjustWindowRectEx(&expected, static_cast<DWORD>(GetWindowLongA(Frame(), GWL_STYLE)), TRUE,
                       static_cast<DWORD>(GetWindowLongA(Frame(), GWL_EXSTYLE)));
    const RECT full = WindowRect(Frame());
    EXPECT_EQ(full.left, expected.left);
    EXPECT_EQ(full.top, expected.top);
    EXPECT_EQ(full.right, expected.right);
    EXPECT_EQ(full.bottom, expected.bottom);
    // Caption, borders and menu lie outside the screen; the view covers it.
    const RECT viewRect = WindowRect(View());
    EXPECT_LE(viewRect.left, screen.left);
    EXPECT_LE(viewRect.top, screen.top);
    EXPECT_GE(viewRect.right, screen.right);
    EXPECT_GE(viewRect.bottom, screen.bottom);
    EXPECT_FALSE(shell->Frame()->ToolBar().Visible());
    EXPECT_FALSE(IsWindowVisible(shell->Frame()->StatusBar()));

    // Back in its window the slide is centred again: the whole client area is painted anew,
    // not only what the smaller size uncovered. Nothing else paints before the look.
    SendMessageA(View(), WM_KEYDOWN, VK_ESCAPE, 0);
    SendMessageA(View(), WM_KEYUP, VK_ESCAPE, 0);
    Pump();
    UpdateWindow(View());
    RECT client{};
    GetClientRect(View(), &client);
    const int left = (client.right - 666) / 2;
    const std::vector<std::uint32_t> row = GrabRow(View(), 250, client.right, false);
    EXPECT_EQ(row[left - 1], 0u);
    EXPECT_EQ(row[left], kRed);
    EXPECT_EQ(row[left + 665], kRed);
    EXPECT_EQ(row[left + 666], 0u);
    EXPECT_FALSE(shell->Frame()->FullScreen());
    const RECT back = WindowRect(Frame());
    EXPECT_EQ(back.left, windowed.left);
    EXPECT_EQ(back.top, windowed.top);
    EXPECT_EQ(back.right, windowed.right);
    EXPECT_EQ(back.bottom, windowed.bottom);
    EXPECT_TRUE(shell->Frame()->ToolBar().Visible());
    EXPECT_FALSE(IsWindowVisible(shell->Frame()->StatusBar()));
}

TEST_F(ViewerFrameTest, TasksStillQueuedAreFreedWithTheView) {
    auto guard = std::make_shared<int>(0);
    const std::weak_ptr<int> watch = guard;
    shell->View()->Post([guard] {});
    guard.reset();
    ASSERT_FALSE(watch.expired());
    shell.reset();
    EXPECT_TRUE(watch.expired());
}

}  // namespace
