#pragma once

// Every text the viewer shows or writes, in one place.
namespace texts {

// Application and document template
inline constexpr const char* kWindowTitle = "Quorvyn Collage Slideshow 5.0";
inline constexpr const char* kAppTitle = "Varnelle";
inline constexpr const char* kUntitled = "Untitled";
inline constexpr const char* kProfileKey = "Local AppWizard-Generated Applications";
inline constexpr const char* kCollageFilter = "Collage Files (*.lit)";
inline constexpr const char* kAboutMenu = "&About Quorvyn Collage Slideshow...";
inline constexpr const char* kOpenMenu = "&Open...\tCtrl+O";
inline constexpr const char* kCloseMenu = "&Close\tCtrl+N";
inline constexpr const char* kCloseStatus = "Close the current slideshow\nClose";
inline constexpr const char* kFolderSelectTitle = "Folder Select";

// Menus, in the order they show; a tab starts the key shown beside an item
inline constexpr const char* kFileMenu = "&File";
inline constexpr const char* kNavigateMenu = "&Navigate";
inline constexpr const char* kViewMenu = "&View";
inline constexpr const char* kHelpMenu = "&Help";
inline constexpr const char* kZoomMenu = "Zoom";
inline constexpr const char* kPrintMenu = "&Print...\tCtrl+P";
inline constexpr const char* kPrintPreviewMenu = "Print Pre&view";
inline constexpr const char* kExitMenu = "E&xit";
inline constexpr const char* kNextSlideMenu = "Next Slide\tRight Arrow Key";
inline constexpr const char* kPreviousSlideMenu = "Previous Slide\tLeft Arrow Key";
inline constexpr const char* kAutoAdvanceMenu = "Auto-Advance";
inline constexpr const char* kScreenTransitionMenu = "Screen Transition";
inline constexpr const char* kNavigatorBarMenu = "Navigator Bar...";
inline constexpr const char* kZoom300Menu = "300%";
inline constexpr const char* kZoom200Menu = "200%";
inline constexpr const char* kZoom100Menu = "100%";
inline constexpr const char* kZoom75Menu = "75%";
inline constexpr const char* kZoom50Menu = "50%";
inline constexpr const char* kZoom33Menu = "33%";
inline constexpr const char* kZoomCustomMenu = "Custom...";
inline constexpr const char* kZoomInMenu = "Zoom (+)";
inline constexpr const char* kZoomOutMenu = "Zoom (-)";
inline constexpr const char* kFullScreenMenu = "Full Screen\tCtrl+F";
inline constexpr const char* kToolbarMenu = "&Toolbar";
inline constexpr const char* kStatusBarMenu = "&Status Bar";
inline constexpr const char* kHelpTopicsMenu = "&Help Topics\tF1";

// Command prompts: the status bar shows the part before the line feed while an item is
// highlighted, a tool button's tip is the part after it.
inline constexpr const char* kOpenStatus = "Choose a folder of pictures to show\nOpen";
inline constexpr const char* kPrintStatus = "Print the slide on screen\nPrint";
inline constexpr const char* kPrintPreviewStatus = "Show the printed page\nPrint Preview";
inline constexpr const char* kExitStatus = "Quit the slideshow\nExit";
inline constexpr const char* kNextSlideStatus = "Show the next slide\nNext Slide";
inline constexpr const char* kPreviousSlideStatus = "Show the previous slide\nPrevious Slide";
inline constexpr const char* kAutoAdvanceStatus = "Turn the slides automatically\nAuto-Advance";
inline constexpr const char* kScreenTransitionStatus = "Choose how slides appear\nScreen Transition";
inline constexpr const char* kNavigatorBarStatus = "Show, hide or move the navigator bar\nNavigator Bar";
inline constexpr const char* kZoom300Status = "Show the slide at 300%\n300%";
inline constexpr const char* kZoom200Status = "Show the slide at 200%\n200%";
inline constexpr const char* kZoom100Status = "Show the slide at its own size\n100%";
inline constexpr const char* kZoom75Status = "Show the slide at 75%\n75%";
inline constexpr const char* kZoom50Status = "Show the slide at 50%\n50%";
inline constexpr const char* kZoom33Status = "Show the slide at 33%\n33%";
inline constexpr const char* kZoomCustomStatus = "Select your own zoom factor\nCustom";
inline constexpr const char* kZoomInStatus = "Enlarge the slide\nZoom In";
inline constexpr const char* kZoomOutStatus = "Reduce the slide\nZoom Out";
inline constexpr const char* kFullScreenStatus = "Show the project in full screen mode\nFull Screen";
inline constexpr const char* kToolbarStatus = "Show or hide the toolbar\nToggle ToolBar";
inline constexpr const char* kStatusBarStatus = "Show or hide the status bar\nToggle StatusBar";
inline constexpr const char* kHelpTopicsStatus = "Show the keys and buttons of the slideshow\nHelp Topics";
inline constexpr const char* kAboutStatus = "Display program information, version number and copyright\nAbout";

// Status bar
inline constexpr const char* kReady = "Ready";
inline constexpr const char* kZoomPaneInitial = "1:1";
inline constexpr const char* kSlidePaneInitial = "Page";
inline constexpr const char* kClockPaneInitial = "12:00 AM";
inline constexpr const char* kSlidePaneFormat = "Slide %d of %d";
inline constexpr const char* kClockPaneFormat = "%i:%02i";
inline constexpr const char* kAm = "AM";
inline constexpr const char* kPm = "PM";

// Option dialogs
inline constexpr const char* kOkButton = "OK";
inline constexpr const char* kCancelButton = "Cancel";
inline constexpr const char* kCloseButton = "Close";
inline constexpr const char* kZoomCaption = "Custom Zoom";
inline constexpr const char* kZoomLabel = "Zoom Scale Factor:";
inline constexpr const char* kInvalidScale = "Invalid scale value!";
inline constexpr const char* kScaleOutOfRange = "The scale value must be between 0.33 and 3.0.";
inline constexpr const char* kTransitionsCaption = "Screen Transitions";
inline constexpr const char* kTransitionsDuringAuto = "Transitions only during 'Auto'";
inline constexpr const char* kTransitionsAlways = "Transition on all page turns";
inline constexpr const char* kTransitionsNone = "No Transitions";
inline constexpr const char* kPageTurnInterval = "Page turn interval:";
inline constexpr const char* kTransitionInterval = "Transition interval:";
inline constexpr const char* kNavBarCaption = "Navigation Bar";
inline constexpr const char* kUpperLeft = "Upper Left";
inline constexpr const char* kUpperRight = "Upper Right";
inline constexpr const char* kLowerLeft = "Lower Left";
inline constexpr const char* kLowerRight = "Lower Right";
inline constexpr const char* kShowNavBar = "Show the Navigation Bar";
inline constexpr const char* kCornerPosition = "Corner Position";
inline constexpr const char* kQuickHelpCaption = "Quick Help";
inline constexpr const char* kQuickHelpBullet = "*";
inline constexpr const char* kQuickHelpLines[] = {
    "To see menu options, Alt+F for the File menu and use the right and left keyboard arrows to switch menus, or "
    "turn off Full Screen mode.",
    "To toggle Full Screen mode on/off, use Ctrl+F or choose View | Full Screen from the menu.",
    "To change slides, use the left and right arrow keys on the keyboard, or the Navigator bar arrows onscreen "
    "(<<<, >>>).",
    "To toggle Auto canvas advance on/off, click Auto button on Navigator bar, or choose Navigate | Auto-advance "
    "from the menu.",
    "To toggle Screen Transitions on/off, choose Navigate | Screen Transitions.",
    "To Zoom in/out, use up and down keyboard arrows, or choose a View | Zoom option from the menu.",
    "To toggle the Navigator bar on/off or move it to a different corner, choose Navigate | Navigator Bar from the "
    "menu.",
};
inline constexpr const char* kQuickHelpClosing = "More about Quorvyn Collage is on the maker's web site.";
inline constexpr const char* kAboutCaption = "About Quorvyn Collage Slideshow";
inline constexpr const char* kAboutVersion = "Quorvyn Collage Slideshow Version 5.0";
inline constexpr const char* kAboutText = "Your pictures, one slide at a time,\nwith keys, mouse and navigator bar.";

// Run log
inline constexpr const char* kLogCheck = "Check command line...\n";
inline constexpr const char* kLogParse = "Parse the command line...\n";
inline constexpr const char* kLogCommandLine = "Command line: ";
inline constexpr const char* kLogSwitch = "Log: ";
inline constexpr const char* kLogPath = "Path: ";
inline constexpr const char* kLogEmpty = "Empty command line!\n";

// Warnings
inline constexpr const char* kNoDefaultPrinter = "There is no default printer setup.";
inline constexpr const char* kPathTooLong = "Path is too long.";
inline constexpr const char* kInvalidInputValue = "Invalid input value!";

// Print dialog (template 285)
inline constexpr const char* kPrintDlgCaption = "Print";
inline constexpr const char* kPrintButton = "Print";
inline constexpr const char* kPixelsPerInchLabel = "Pixels/Inch:";
inline constexpr const char* kLeftPadLabel = "Left Pad:";
inline constexpr const char* kTopPadLabel = "Top Pad:";
inline constexpr const char* kSizeAndPositionGroup = "Size and position";
inline constexpr const char* kPrinterNameInitial = "?";
inline constexpr const char* kPrinterGroup = "Printer";
inline constexpr const char* kPrinterSetupButton = "Printer...";
inline constexpr const char* kOrientationGroup = "Orientation";
inline constexpr const char* kPortrait = "Portrait";
inline constexpr const char* kLandscape = "Landscape";
inline constexpr const char* kPlacementTexts[] = {"Default offset", "Center on page", "Fit to page",
                                                  "Upper left of page", "Custom offset"};
inline constexpr const char* kPrintPreviewButton = "Print Preview...";
// The framework's page-description string (61508) a print job carries.
inline constexpr const char* kPageDescription = "Page %u\nPages %u-%u\n";
inline constexpr const char* kPrintSetupCaption = "Print Setup";
inline constexpr const char* kPrintFailed = "Failed to start print job.";
inline constexpr const char* kPrintPreviewCaption = "Print Preview";

// Slide view
inline constexpr const char* kTimerRefused =
    "There are too many other programs open that are using timers. Close some other programs and try again.";
inline constexpr const char* kSpeedHint = "Use the up or down keyboard arrows to change speed.";
// Navigator bar labels, left to right
inline constexpr const char* kNavPrevLabel = "<<<";
inline constexpr const char* kNavNextLabel = ">>>";
inline constexpr const char* kNavAutoLabel = "AUTO";
inline constexpr const char* kNavExitLabel = "EXIT";

// Picture errors: the "Invalid image pointer" boxes carry kPictureErrorCaption, no icon,
// and are task-modal; the resource box has the warning icon and no caption text.
inline constexpr const char* kPictureErrorCaption = "Error";
inline constexpr const char* kInvalidImagePointer104 = "Invalid image pointer. Error code:104.";
inline constexpr const char* kInvalidImagePointer108 = "Invalid image pointer. Error code:108.";
inline constexpr const char* kInvalidImagePointer109 = "Invalid image pointer. Error code:109.";
inline constexpr const char* kInvalidImagePointer113 = "Invalid image pointer. Error code:113.";
inline constexpr const char* kInvalidImagePointer133 = "Invalid image pointer. Error code:133.";
inline constexpr const char* kInvalidImagePointer201 = "Invalid image pointer. Error code:201.";
inline constexpr const char* kResourceNotFound = "Error in finding resource.";

// File-error causes 0..14
inline constexpr const char* kFileErrors[] = {
    "No error occurred.",
    "An unspecified error occurred.",
    "The file could not be located.",
    "All or part of the path is invalid.",
    "The permitted number of open files was exceeded.",
    "Access to the file was denied.",
    "There was an attempt to use an invalid file handle.",
    "The current working directory cannot be removed.",
    "There are no more directory entries.",
    "There was an error trying to set the file pointer.",
    "There was a hardware error.",
    "SHARE.EXE was not loaded, or a shared region was locked.",
    "There was an attempt to lock a region that was already locked.",
    "The disk is full.",
    "The end of file was reached.",
};

// Folder selection dialog
inline constexpr const char* kFolderDlgCaption = "Folder Selection";
inline constexpr const char* kFolderDlgOk = "OK";
inline constexpr const char* kFolderDlgCancel = "Cancel";

}  // namespace texts
