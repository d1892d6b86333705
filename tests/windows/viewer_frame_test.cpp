// The frame under Wine: its tool bar, its prompts, full-screen mode, and the view's end.
#include "tests/windows/viewer_frame_fixture.h"

#include "viewer/res/command_ids.h"
#include "viewer/win32/frame_tool_bar.h"

#include <commctrl.h>

#include <memory>
#include <set>

namespace {

using namespace framefixture;

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

TEST_F(ViewerFrameTest, FullScreenFromTheMaximisedWindowGoesBackToIt) {
    // The program's own way: it opens maximised.
    ShowWindow(Frame(), SW_MAXIMIZE);
    Settle();
    ASSERT_TRUE(IsZoomed(Frame()));
    ASSERT_TRUE(shell->Frame()->RunCommand(cmd::ID_VIEW_FULLSCREEN));
    Settle();
    EXPECT_FALSE(IsZoomed(Frame()));
    const RECT full = WindowRect(Frame()), wanted = shell->Frame()->FullScreenRect();
    EXPECT_EQ(full.left, wanted.left);
    EXPECT_EQ(full.top, wanted.top);
    EXPECT_EQ(full.right, wanted.right);
    EXPECT_EQ(full.bottom, wanted.bottom);
    ASSERT_TRUE(shell->Frame()->RunCommand(cmd::ID_VIEW_FULLSCREEN));
    Settle();
    EXPECT_TRUE(IsZoomed(Frame()));
    EXPECT_TRUE(IsWindowVisible(shell->Frame()->StatusBar()));
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


// The start makes the user's profile key, as the framework does on a first run.
TEST_F(ViewerFrameTest, TheStartMakesTheProfileKey) {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Local AppWizard-Generated Applications\\Varnelle", 0,
                            KEY_READ, &key),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

}  // namespace
