#pragma once
// The Win32 frame and view under Wine, over their real windows: a folder of three
// 1600 x 1200 pictures of one colour each (red, green, blue), shown in a view of 800 x 500,
// transitions off, the show running. Boxes are recorded, not raised.
#include "viewer/document/dib_tools.h"
#include "viewer/res/texts.h"
#include "viewer/view/loader_slide_pictures.h"
#include "viewer/view/show_picture_limits.h"
#include "viewer/win32/resource_ids.h"
#include "viewer/win32/win32_printer_service.h"
#include "viewer/win32/win32_shell.h"

#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_drives.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_folder_scan.h"
#include "platform/win32/win32_heap.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_timer_service.h"
#include "platform/fake/recording_message_sink.h"
#include "tests/support/view_settings.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace framefixture {

inline constexpr std::uint32_t kRed = 0xC82828, kGreen = 0x28C828;

inline void WriteBmp(const std::string& path, int width, int height, std::uint32_t rgb) {
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

inline void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// One row of a window's client area as 0xRRGGBB values, after a paint unless told not to.
inline std::vector<std::uint32_t> GrabRow(HWND window, int y, int width, bool paint = true) {
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

// The system's files, noting the threads that read each whole file (as the decoders do).
class WatchedFiles final : public platform::FileSystem {
public:
    bool Find(const std::string& path, platform::DirEntry* entry) const override { return files_.Find(path, entry); }
    platform::FileCause List(const std::string& folder, std::vector<platform::DirEntry>* entries) const override {
        return files_.List(folder, entries);
    }
    std::string CurrentDirectory() const override { return files_.CurrentDirectory(); }
    std::unique_ptr<platform::File> Open(const std::string& path, platform::OpenMode mode, bool exclusive,
                                         platform::FileCause* cause) override {
        return files_.Open(path, mode, exclusive, cause);
    }
    std::unique_ptr<platform::FileBytes> ReadOnlyBytes(const std::string& path, std::uint64_t maxBytes,
                                                       platform::FileCause* cause) override {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            readers_[path].insert(GetCurrentThreadId());
        }
        return files_.ReadOnlyBytes(path, maxBytes, cause);
    }
    std::set<DWORD> Readers(const std::string& path) const {
        std::lock_guard<std::mutex> lock(mutex_);
        const auto found = readers_.find(path);
        return found == readers_.end() ? std::set<DWORD>{} : found->second;
    }

private:
    platform::win32::Win32FileSystem files_;
    mutable std::mutex mutex_;
    std::map<std::string, std::set<DWORD>> readers_;
};

// A file whose name starts with this fails to decode with a box of the picture tools, as a
// picture whose working copy cannot be made does.
inline constexpr const char* kBoxedName = "boxed";

// The program's decoder, with the boxed files above.
inline SlidePictureCache::Decoder TestDecoder(platform::FileSystem& files, platform::Heap& heap) {
    return [&heap, decode = LoaderDecoder(files, heap)](const std::string& path, const imagelib::ReductionRule& rule,
                                                       DibImage& target, imagelib::PictureScale& scale,
                                                       platform::MessageSink& messages) {
        if (path.substr(path.find_last_of('\\') + 1).rfind(kBoxedName, 0) == 0) {
            CDibTools(messages, heap).ShowInvalidImagePointer(texts::kInvalidImagePointer104);
            return false;
        }
        return decode(path, rule, target, scale, messages);
    };
}

inline RECT WindowRect(HWND window) {
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
                                              },
                                              drives, folders, TestDecoder(fs, heap), kShowPictureLimits});
        shell->SetProfileStore(registry);
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
    // Paints once the picture worker has nothing left to do and its results are in, so the
    // slide asked for is the one on screen whatever the worker's speed.
    void Settle() {
        for (int round = 0; round < 3; ++round) {
            shell->Pictures().WaitUntilIdle();
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
    WatchedFiles fs;
    platform::win32::Win32Clock clock;
    platform::win32::Win32Heap heap;
    platform::win32::Win32Drives drives;
    platform::win32::Win32FolderScan folders;
    platform::fake::RecordingMessageSink messages;
    platform::win32::Win32Registry registry;
    std::optional<platform::win32::Win32TimerService> viewTimers;
    Win32PrinterService printers;
    CVarnelleApp app{{fs, messages, clock, printers}};
    std::optional<Win32Shell> shell;
};

}  // namespace framefixture
