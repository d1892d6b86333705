// The Win32 face's real windows under Wine: a folder of three 1600 x 1200 pictures shown in
// a view whose client area is 800 x 500, its pixels grabbed from the window.
#include "viewer/win32/win32_printer_service.h"
#include "viewer/win32/win32_shell.h"

#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_drives.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_folder_scan.h"
#include "platform/win32/win32_heap.h"
#include "platform/win32/win32_message_sink.h"
#include "platform/win32/win32_timer_service.h"
#include "tests/support/view_settings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace {

// A 24-bit BMP file of one colour.
void WriteBmp(const std::string& path, int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    const int stride = (width * 3 + 3) & ~3;
    const std::uint32_t bits = static_cast<std::uint32_t>(stride) * height;
    std::vector<std::uint8_t> file(54 + bits, 0);
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
        for (int x = 0; x < width; ++x) {
            std::uint8_t* px = &file[54 + y * stride + x * 3];
            px[0] = b, px[1] = g, px[2] = r;
        }
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), file.size());
}

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// One row of the view's client area as 0xRRGGBB values, read back from the window.
std::vector<std::uint32_t> GrabRow(HWND view, int y, int width) {
    RedrawWindow(view, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC windowDc = GetDC(view);
    HDC memory = CreateCompatibleDC(windowDc);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -1, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, width, 1, windowDc, 0, y, SRCCOPY);
    GdiFlush();
    std::vector<std::uint32_t> row(static_cast<const std::uint32_t*>(bits), static_cast<const std::uint32_t*>(bits) + width);
    for (auto& px : row) px &= 0xFFFFFF;
    SelectObject(memory, old);
    DeleteObject(dib);
    DeleteDC(memory);
    ReleaseDC(view, windowDc);
    return row;
}

class ViewerWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        CreateDirectoryA(kFolder, nullptr);
        // Three slides told apart by colour, listed in name order.
        WriteBmp(std::string(kFolder) + "\\a.bmp", 1600, 1200, 200, 40, 40);
        WriteBmp(std::string(kFolder) + "\\b.bmp", 1600, 1200, 40, 200, 40);
        WriteBmp(std::string(kFolder) + "\\c.bmp", 1600, 1200, 40, 40, 200);
        ASSERT_TRUE(app.InitInstance(std::vector<std::string>{"0", kFolder}, shell));
        Pump();
        // Out of the maximised first layout, then sized so that the view's client is 800 x 500.
        // The scroll bars come and go with the fit, which is made with the client size at load
        // time: the frame is sized and the slide loaded again until the size holds.
        ShowWindow(shell.Frame()->Handle(), SW_RESTORE);
        RECT viewClient{};
        for (int attempt = 0; attempt < 4 && !(viewClient.right == 800 && viewClient.bottom == 500); ++attempt) {
            SizeViewClient(800, 500);
            shell.NewDocument(kFolder, "");
            // Each slide on screen at once, without a sweep: a load starts with the defaults.
            testsupport::SetTransitionMode(shell.View()->View(), 2);
            Pump();
            (void)GrabRow(shell.View()->Handle(), 0, 1);
            GetClientRect(shell.View()->Handle(), &viewClient);
        }
        ASSERT_EQ(viewClient.right, 800);
        ASSERT_EQ(viewClient.bottom, 500);
        SetForegroundWindow(shell.Frame()->Handle());
        SetFocus(shell.View()->Handle());
        Pump();
        (void)GrabRow(shell.View()->Handle(), 0, 1);
    }

    void SizeViewClient(int width, int height) {
        HWND frame = shell.Frame()->Handle();
        RECT frameRect{}, viewClient{};
        for (int attempt = 0; attempt < 3; ++attempt) {
            GetWindowRect(frame, &frameRect);
            GetClientRect(shell.View()->Handle(), &viewClient);
            const int w = frameRect.right - frameRect.left + width - viewClient.right;
            const int h = frameRect.bottom - frameRect.top + height - viewClient.bottom;
            SetWindowPos(frame, HWND_TOP, 0, 0, w, h, SWP_SHOWWINDOW);
            Pump();
        }
    }

    // Input that came while a paint was due runs after that paint, from a posted task: a few
    // rounds of paint and messages leave nothing waiting.
    void Settle() {
        for (int round = 0; round < 3; ++round) {
            Pump();
            (void)GrabRow(shell.View()->Handle(), 0, 1);
        }
    }

    std::string SlidePane() {
        shell.Frame()->UpdateIdle();
        return shell.Frame()->PaneText(2);
    }
    void Key(int vk) {
        SendMessageA(shell.View()->Handle(), WM_KEYDOWN, vk, 0);
        SendMessageA(shell.View()->Handle(), WM_KEYUP, vk, 0);
        Settle();
    }

    static constexpr const char* kFolder = "viewer-window-show";
    platform::win32::Win32FileSystem fs;
    platform::win32::Win32Clock clock;
    platform::win32::Win32Heap heap;
    platform::win32::Win32MessageSink messages;
    std::optional<platform::win32::Win32TimerService> viewTimers;
    Win32PrinterService printers;
    platform::win32::Win32Drives drives;
    platform::win32::Win32FolderScan folders;
    CVarnelleApp app{{fs, messages, clock, printers}};
    Win32Shell shell{app,
                     {heap,
                      [this](std::function<void(int)> onTick) -> platform::TimerService& {
                          return viewTimers.emplace(std::move(onTick));
                      },
                      drives, folders}};
};

TEST_F(ViewerWindowTest, FitsTheSlideCentredAndStepsWithWrap) {
    // 1600 x 1200 in 800 x 500: 666 x 500 at x = 67.
    const std::vector<std::uint32_t> row = GrabRow(shell.View()->Handle(), 250, 800);
    EXPECT_EQ(row[66], 0x000000u);
    EXPECT_EQ(row[67], 0xC82828u);
    EXPECT_EQ(row[732], 0xC82828u);
    EXPECT_EQ(row[733], 0x000000u);
    EXPECT_EQ(GrabRow(shell.View()->Handle(), 498, 800)[400], 0xC82828u);
    EXPECT_EQ(GrabRow(shell.View()->Handle(), 499, 800)[400], 0x000000u);  // 499 rows: the fit truncates
    EXPECT_EQ(SlidePane(), "Slide 1 of 3");

    // The show runs after its first paint: Escape stops it, so the arrows step.
    EXPECT_TRUE(shell.View()->View().Show().AutoAdvance());
    Key(VK_ESCAPE);
    ASSERT_FALSE(shell.View()->View().Show().AutoAdvance());
    Key(VK_RIGHT);
    EXPECT_EQ(SlidePane(), "Slide 2 of 3");
    EXPECT_EQ(GrabRow(shell.View()->Handle(), 250, 800)[400], 0x28C828u);
    Key(VK_LEFT);
    Key(VK_LEFT);
    EXPECT_EQ(SlidePane(), "Slide 3 of 3");
    EXPECT_EQ(GrabRow(shell.View()->Handle(), 250, 800)[400], 0x2828C8u);
    Key(VK_RIGHT);
    EXPECT_EQ(SlidePane(), "Slide 1 of 3");
}

}  // namespace
