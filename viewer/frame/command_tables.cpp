#include "viewer/frame/command_tables.h"

#include "viewer/res/command_ids.h"
#include "viewer/res/texts.h"

using namespace texts;

namespace {


constexpr MenuEntry kMenu[] = {
    {kFileMenu, nullptr, kOpenMenu, cmd::ID_FILE_OPEN, kOpenStatus},
    {kFileMenu, nullptr, kCloseMenu, cmd::ID_FILE_NEW, kCloseStatus},
    {kFileMenu, nullptr, "", 0, nullptr},
    {kFileMenu, nullptr, kPrintMenu, cmd::ID_FILE_PRINT, kPrintStatus},
    {kFileMenu, nullptr, kPrintPreviewMenu, cmd::ID_FILE_PRINT_PREVIEW, kPrintPreviewStatus},
    {kFileMenu, nullptr, "", 0, nullptr},
    {kFileMenu, nullptr, kExitMenu, cmd::ID_APP_EXIT, kExitStatus},
    {kNavigateMenu, nullptr, kNextSlideMenu, cmd::ID_NAVIGATE_NEXT, kNextSlideStatus},
    {kNavigateMenu, nullptr, kPreviousSlideMenu, cmd::ID_NAVIGATE_PREV, kPreviousSlideStatus},
    {kNavigateMenu, nullptr, "", 0, nullptr},
    {kNavigateMenu, nullptr, kAutoAdvanceMenu, cmd::ID_NAVIGATE_AUTO, kAutoAdvanceStatus},
    {kNavigateMenu, nullptr, kScreenTransitionMenu, cmd::ID_NAVIGATE_TRANSITIONS, kScreenTransitionStatus},
    {kNavigateMenu, nullptr, kNavigatorBarMenu, cmd::ID_NAVIGATE_NAVBAR, kNavigatorBarStatus},
    {kViewMenu, kZoomMenu, kZoom300Menu, cmd::ID_ZOOM_300, kZoom300Status},
    {kViewMenu, kZoomMenu, kZoom200Menu, cmd::ID_ZOOM_200, kZoom200Status},
    {kViewMenu, kZoomMenu, kZoom100Menu, cmd::ID_ZOOM_100, kZoom100Status},
    {kViewMenu, kZoomMenu, kZoom75Menu, cmd::ID_ZOOM_75, kZoom75Status},
    {kViewMenu, kZoomMenu, kZoom50Menu, cmd::ID_ZOOM_50, kZoom50Status},
    {kViewMenu, kZoomMenu, kZoom33Menu, cmd::ID_ZOOM_33, kZoom33Status},
    {kViewMenu, kZoomMenu, "", 0, nullptr},
    {kViewMenu, kZoomMenu, kZoomCustomMenu, cmd::ID_ZOOM_CUSTOM, kZoomCustomStatus},
    {kViewMenu, nullptr, kZoomInMenu, cmd::ID_ZOOM_IN, kZoomInStatus},
    {kViewMenu, nullptr, kZoomOutMenu, cmd::ID_ZOOM_OUT, kZoomOutStatus},
    {kViewMenu, nullptr, kFullScreenMenu, cmd::ID_VIEW_FULLSCREEN, kFullScreenStatus},
    {kViewMenu, nullptr, "", 0, nullptr},
    {kViewMenu, nullptr, kToolbarMenu, cmd::ID_VIEW_TOOLBAR, kToolbarStatus},
    {kViewMenu, nullptr, kStatusBarMenu, cmd::ID_VIEW_STATUS_BAR, kStatusBarStatus},
    {kHelpMenu, nullptr, kHelpTopicsMenu, cmd::ID_HELP_TOPICS, kHelpTopicsStatus},
    {kHelpMenu, nullptr, kAboutMenu, cmd::ID_APP_ABOUT, kAboutStatus},
};

// Help Topics reads "F1" in its menu, but its key is Ctrl+F1.
constexpr Accelerator kAccelerators[] = {
    {"Ctrl+A", cmd::ID_NAVIGATE_AUTO}, {"Ctrl+F", cmd::ID_VIEW_FULLSCREEN}, {"Ctrl+N", cmd::ID_FILE_NEW},
    {"Ctrl+O", cmd::ID_FILE_OPEN},     {"Ctrl+P", cmd::ID_FILE_PRINT},      {"Ctrl+F1", cmd::ID_HELP_TOPICS},
    {"F6", cmd::ID_NEXT_PANE},         {"Shift+F6", cmd::ID_PREV_PANE},
};

constexpr ToolButton kToolButtons[] = {{cmd::ID_FILE_OPEN}, {0}, {cmd::ID_FILE_PRINT}, {0}, {cmd::ID_HELP_TOPICS}};

constexpr StatusPane kStatusPanes[] = {
    {cmd::ID_INDICATOR_ZOOM, 60, kZoomPaneInitial},
    {cmd::ID_INDICATOR_SLIDE, 100, kSlidePaneInitial},
    {cmd::ID_INDICATOR_CLOCK, 60, kClockPaneInitial},
};

}  // namespace

std::span<const MenuEntry> MenuEntries() { return kMenu; }
std::span<const Accelerator> Accelerators() { return kAccelerators; }
std::span<const ToolButton> ToolButtons() { return kToolButtons; }
std::span<const StatusPane> StatusPanes() { return kStatusPanes; }

const char* CommandPrompt(int id) {
    for (const MenuEntry& entry : kMenu)
        if (entry.id == id) return entry.prompt;
    return nullptr;
}
