#pragma once

// Command ids of the view, the frame and the framework's standard commands. The document's
// and the application's own commands are declared with their classes.
namespace cmd {

// View
inline constexpr int ID_NAVIGATE_NAVBAR = 32771;
inline constexpr int ID_NAVIGATE_TRANSITIONS = 32775;
inline constexpr int ID_NAVIGATE_AUTO = 32820;
inline constexpr int ID_NAVIGATE_PREV = 33021;
inline constexpr int ID_NAVIGATE_NEXT = 33022;
inline constexpr int ID_FILE_PRINT = 57607;
inline constexpr int ID_FILE_PRINT_DIRECT = 57608;
inline constexpr int ID_FILE_PRINT_PREVIEW = 57609;

// Frame
inline constexpr int ID_VIEW_FULLSCREEN = 32935;
inline constexpr int ID_VIEW_TOOLBAR = 59392;
inline constexpr int ID_VIEW_STATUS_BAR = 59393;
inline constexpr int ID_NEXT_PANE = 57680;
inline constexpr int ID_PREV_PANE = 57681;
inline constexpr int ID_INDICATOR_ZOOM = 33023;
inline constexpr int ID_INDICATOR_SLIDE = 33024;
inline constexpr int ID_INDICATOR_CLOCK = 33025;

// Application
inline constexpr int ID_FILE_PRINT_SETUP = 57606;
inline constexpr int ID_APP_ABOUT = 57664;
inline constexpr int ID_APP_EXIT = 57665;

}  // namespace cmd
