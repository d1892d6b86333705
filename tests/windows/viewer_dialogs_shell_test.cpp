// The viewer's commands reach their dialogs through the Win32 shell, and OK carries the
// values to the document and the view; Cancel leaves them.
#include "tests/windows/dialog_test_support.h"
#include "viewer/res/command_ids.h"
#include "viewer/view/loader_slide_pictures.h"
#include "viewer/view/show_picture_limits.h"
#include "viewer/win32/dialogs/dialog_ids.h"
#include "viewer/win32/win32_printer_service.h"
#include "viewer/win32/win32_shell.h"

#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_drives.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_folder_scan.h"
#include "platform/win32/win32_heap.h"
#include "platform/win32/win32_message_sink.h"
#include "platform/win32/win32_timer_service.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using namespace dialogtest;

class ShellDialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        CreateDirectoryA(kFolder, nullptr);
        ASSERT_TRUE(app.InitInstance(std::vector<std::string>{"0", kFolder}, shell));
        ASSERT_NE(shell.ActiveDocument(), nullptr);
    }

    // Runs a command with a script for the dialog it opens.
    void Run(int command, std::function<void(HWND)> script) {
        runner.script = std::move(script);
        shell.Frame()->RunCommand(command);
    }

    static constexpr const char* kFolder = "shell-dialogs-show";
    platform::win32::Win32FileSystem fs;
    platform::win32::Win32Clock clock;
    platform::win32::Win32Heap heap;
    platform::win32::Win32MessageSink messages;
    platform::win32::Win32Drives drives;
    platform::win32::Win32FolderScan folders;
    std::optional<platform::win32::Win32TimerService> viewTimers;
    Win32PrinterService printers;
    ScriptRunner runner;
    CVarnelleApp app{{fs, messages, clock, printers}};
    Win32Shell shell{app,
                     {heap,
                      [this](std::function<void(int)> onTick) -> platform::TimerService& {
                          return viewTimers.emplace(std::move(onTick));
                      },
                      drives, folders, LoaderDecoder(fs, heap), kShowPictureLimits},
                     &runner};
};

TEST_F(ShellDialogsTest, EachCommandOpensItsDialogAndOnlyOkChangesTheShow) {
    CVarnelleDoc& doc = *shell.ActiveDocument();
    const float zoom = doc.m_fZoom;
    std::string caption;
    const auto typeZoomAnd = [&](int button) {
        return [&caption, button](HWND d) {
            caption = WindowText(d);
            Type(d, IDC_ZOOM_SCALE, "2");
            Click(d, button);
        };
    };
    Run(cmd::ID_ZOOM_CUSTOM, typeZoomAnd(IDCANCEL));
    EXPECT_EQ(caption, "Custom Zoom");
    EXPECT_EQ(doc.m_fZoom, zoom);
    Run(cmd::ID_ZOOM_CUSTOM, typeZoomAnd(IDOK));
    EXPECT_NEAR(doc.m_fZoom, 2.0f, 0.01f);

    const auto pickCornerAnd = [&](int button) {
        return [&caption, button](HWND d) {
            caption = WindowText(d);
            CheckRadioButton(d, IDC_CORNER_UPPER_LEFT, IDC_CORNER_LOWER_RIGHT, IDC_CORNER_LOWER_RIGHT);
            CheckDlgButton(d, IDC_SHOW_NAVBAR, BST_UNCHECKED);
            Click(d, button);
        };
    };
    Run(cmd::ID_NAVIGATE_NAVBAR, pickCornerAnd(IDCANCEL));
    EXPECT_EQ(caption, "Navigation Bar");
    EXPECT_EQ(doc.m_nNavBarCorner, 0);
    EXPECT_EQ(doc.m_bNavBarVisible, 1);
    Run(cmd::ID_NAVIGATE_NAVBAR, pickCornerAnd(IDOK));
    EXPECT_EQ(doc.m_nNavBarCorner, 3);
    EXPECT_EQ(doc.m_bNavBarVisible, 0);

    const CVarnelleView& view = shell.View()->View();
    const float page = view.Show().PageInterval();
    const auto slowAnd = [&](int button) {
        return [&caption, button](HWND d) {
            caption = WindowText(d);
            Type(d, IDC_PAGE_INTERVAL, "42");
            Click(d, button);
        };
    };
    Run(cmd::ID_NAVIGATE_TRANSITIONS, slowAnd(IDCANCEL));
    EXPECT_EQ(caption, "Screen Transitions");
    EXPECT_EQ(view.Show().PageInterval(), page);
    Run(cmd::ID_NAVIGATE_TRANSITIONS, slowAnd(IDOK));
    EXPECT_EQ(view.Show().PageInterval(), 42.0f);

    for (const auto& [command, shown] : {std::pair{cmd::ID_HELP_TOPICS, "Quick Help"},
                                         {cmd::ID_APP_ABOUT, "About Quorvyn Collage Slideshow"},
                                         {cmd::ID_FILE_OPEN, "Folder Select"}}) {
        caption.clear();
        Run(command, [&caption](HWND d) {
            caption = WindowText(d);
            Click(d, IDCANCEL);
        });
        EXPECT_EQ(caption, shown) << command;
    }
}

}  // namespace
