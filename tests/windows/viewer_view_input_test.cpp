// The view under Wine: the fit on its pixels, the arrows' wrap, the navigator bar's pixels,
// cursors and buttons, the speed and zoom keys, the wheel, the auto-advance timer and a
// sweep's frames.
#include "tests/windows/viewer_frame_fixture.h"

#include "viewer/win32/resource_ids.h"

namespace {

using namespace framefixture;

TEST_F(ViewerFrameTest, FitsTheSlideCentredAndStepsWithWrap) {
    // 1600 x 1200 in 800 x 500: 666 x 500 at x = 67.
    const std::vector<std::uint32_t> row = GrabRow(View(), 250, 800);
    EXPECT_EQ(row[66], 0x000000u);
    EXPECT_EQ(row[67], kRed);
    EXPECT_EQ(row[732], kRed);
    EXPECT_EQ(row[733], 0x000000u);
    EXPECT_EQ(GrabRow(View(), 498, 800)[400], kRed);
    EXPECT_EQ(GrabRow(View(), 499, 800)[400], 0x000000u);  // 499 rows: the fit truncates
    EXPECT_EQ(Pane(2), "Slide 1 of 3");

    // The show runs after its first paint: Escape stops it, so the arrows step.
    ASSERT_TRUE(view().Show().AutoAdvance());
    Key(VK_ESCAPE);
    ASSERT_FALSE(view().Show().AutoAdvance());
    Key(VK_RIGHT);
    EXPECT_EQ(Pane(2), "Slide 2 of 3");
    EXPECT_EQ(GrabRow(View(), 250, 800)[400], kGreen);
    Key(VK_LEFT);
    Key(VK_LEFT);
    EXPECT_EQ(Pane(2), "Slide 3 of 3");
    EXPECT_EQ(GrabRow(View(), 250, 800)[400], 0x2828C8u);
    Key(VK_RIGHT);
    EXPECT_EQ(Pane(2), "Slide 1 of 3");
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
    // The key is up before the sweep begins, so its repaint comes first. The next slide is
    // decoded ahead meanwhile, so the paint after the key starts its sweep.
    shell->Pictures().WaitUntilIdle();
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

}  // namespace
