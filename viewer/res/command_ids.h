#pragma once

// Every command id of the viewer: the view's, the document's, the frame's, the
// application's and the framework's standard commands.
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

inline constexpr int ID_VIEW_APPLY_ZOOM = 33026;  // the document's zoom notice to the view

// Document
inline constexpr int ID_ZOOM_100 = 32940;
inline constexpr int ID_ZOOM_50 = 32941;
inline constexpr int ID_ZOOM_33 = 32942;
inline constexpr int ID_ZOOM_200 = 32939;
inline constexpr int ID_ZOOM_300 = 32938;
inline constexpr int ID_ZOOM_75 = 32946;
inline constexpr int ID_ZOOM_CUSTOM = 32936;
inline constexpr int ID_ZOOM_OUT = 32773;
inline constexpr int ID_ZOOM_IN = 32772;
inline constexpr int ID_HELP_TOPICS = 32774;

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
inline constexpr int ID_FILE_NEW = 57600;
inline constexpr int ID_FILE_OPEN = 57601;
inline constexpr int ID_FILE_PRINT_SETUP = 57606;
inline constexpr int ID_APP_ABOUT = 57664;
inline constexpr int ID_APP_EXIT = 57665;

}  // namespace cmd
