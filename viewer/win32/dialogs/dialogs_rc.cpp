// Writes the viewer's dialog templates as a resource script fragment, with their texts from
// the program's texts header, and the pictures they show as files beside it. The build runs
// it on the build machine: `dialogs_rc OUTPUT_FOLDER > fragment.rc`.
#include "viewer/win32/rc_quoted.h"
#include "viewer/res/texts.h"
#include "viewer/win32/dialogs/dialog_ids.h"
#include "viewer/win32/dialogs/dialog_pictures.h"

#include <cstdio>
#include <string>

namespace {

// The system's OK and Cancel command ids.
constexpr int kOk = 1;
constexpr int kCancel = 2;

std::string Rect(int x, int y, int w, int h) {
    return std::to_string(x) + ", " + std::to_string(y) + ", " + std::to_string(w) + ", " + std::to_string(h);
}

// Caption, system menu and modal frame in the one dialog font.
std::string Begin(int id, int w, int h, const char* caption) {
    return std::to_string(id) + " DIALOGEX 0, 0, " + std::to_string(w) + ", " + std::to_string(h) +
           "\nSTYLE DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU\nCAPTION " + RcQuoted(caption) +
           "\nFONT 8, \"MS Sans Serif\"\nBEGIN\n";
}

std::string Control(const char* kind, const char* text, int id, const std::string& rect, const char* style = nullptr) {
    std::string line = std::string("    ") + kind + " " + RcQuoted(text) + ", " + std::to_string(id) + ", " + rect;
    if (style) line += std::string(", ") + style;
    return line + "\n";
}

std::string Edit(int id, const std::string& rect, const char* style) {
    return "    EDITTEXT " + std::to_string(id) + ", " + rect + ", " + style + "\n";
}

constexpr const char* kEnd = "END\n\n";

std::string Zoom() {
    return Begin(IDD_ZOOM, 186, 94, texts::kZoomCaption) +
           Edit(IDC_ZOOM_SCALE, Rect(108, 34, 36, 13), "ES_AUTOHSCROLL") +
           Control("DEFPUSHBUTTON", texts::kOkButton, kOk, Rect(33, 73, 50, 14)) +
           Control("PUSHBUTTON", texts::kCancelButton, kCancel, Rect(108, 73, 50, 14)) +
           Control("LTEXT", texts::kZoomLabel, -1, Rect(41, 36, 63, 8)) + kEnd;
}

std::string Transitions() {
    // The intervals' boxes have neither border nor tab stop; the first ends the radio group.
    return Begin(IDD_TRANSITIONS, 186, 130, texts::kTransitionsCaption) +
           Control("DEFPUSHBUTTON", texts::kOkButton, kOk, Rect(32, 109, 50, 14)) +
           Control("PUSHBUTTON", texts::kCancelButton, kCancel, Rect(103, 109, 50, 14)) +
           Control("AUTORADIOBUTTON", texts::kTransitionsDuringAuto, IDC_MODE_AUTO_ONLY, Rect(40, 16, 105, 10),
                   "WS_GROUP") +
           Control("AUTORADIOBUTTON", texts::kTransitionsAlways, IDC_MODE_ALWAYS, Rect(40, 33, 101, 10)) +
           Control("AUTORADIOBUTTON", texts::kTransitionsNone, IDC_MODE_NONE, Rect(40, 50, 61, 10)) +
           Edit(IDC_PAGE_INTERVAL, Rect(112, 70, 23, 13), "ES_AUTOHSCROLL | NOT WS_BORDER | NOT WS_TABSTOP | WS_GROUP") +
           Control("LTEXT", texts::kPageTurnInterval, -1, Rect(51, 72, 58, 10)) +
           Control("LTEXT", texts::kTransitionInterval, -1, Rect(50, 89, 58, 10)) +
           Edit(IDC_TRANSITION_INTERVAL, Rect(112, 87, 23, 13), "ES_AUTOHSCROLL | NOT WS_BORDER | NOT WS_TABSTOP") +
           kEnd;
}

std::string NavBar() {
    return Begin(IDD_NAVBAR, 200, 135, texts::kNavBarCaption) +
           Control("AUTORADIOBUTTON", texts::kUpperLeft, IDC_CORNER_UPPER_LEFT, Rect(30, 27, 55, 10), "WS_GROUP") +
           Control("AUTORADIOBUTTON", texts::kUpperRight, IDC_CORNER_UPPER_RIGHT, Rect(114, 26, 55, 10)) +
           Control("AUTORADIOBUTTON", texts::kLowerLeft, IDC_CORNER_LOWER_LEFT, Rect(30, 54, 55, 10)) +
           Control("AUTORADIOBUTTON", texts::kLowerRight, IDC_CORNER_LOWER_RIGHT, Rect(114, 52, 55, 10)) +
           Control("AUTOCHECKBOX", texts::kShowNavBar, IDC_SHOW_NAVBAR, Rect(68, 84, 62, 19),
                   "BS_MULTILINE | WS_GROUP | WS_TABSTOP") +
           Control("DEFPUSHBUTTON", texts::kOkButton, kOk, Rect(36, 114, 50, 14)) +
           Control("PUSHBUTTON", texts::kCancelButton, kCancel, Rect(113, 114, 50, 14)) +
           Control("GROUPBOX", texts::kCornerPosition, -1, Rect(7, 7, 186, 72)) + kEnd;
}

std::string QuickHelp() {
    std::string rc = Begin(IDD_QUICKHELP, 312, 204, texts::kQuickHelpCaption) +
                     Control("PUSHBUTTON", texts::kCloseButton, kCancel, Rect(130, 183, 50, 14));
    // Two lines of the dialog font for each bullet, one above the other from the top.
    constexpr int kTop = 7, kStep = 22, kHeight = 20;
    int y = kTop;
    for (const char* line : texts::kQuickHelpLines) {
        rc += Control("LTEXT", texts::kQuickHelpBullet, -1, Rect(7, y, 8, 8));
        rc += Control("LTEXT", line, -1, Rect(21, y, 284, kHeight));
        y += kStep;
    }
    return rc + Control("CTEXT", texts::kQuickHelpClosing, -1, Rect(36, 168, 240, 8)) + kEnd;
}

std::string About() {
    return Begin(IDD_ABOUTBOX, 235, 55, texts::kAboutCaption) +
           "    ICON " + std::to_string(IDR_PROGRAM_ICON) + ", -1, 11, 17, 20, 20\n" +
           Control("LTEXT", texts::kAboutVersion, -1, Rect(40, 10, 131, 8), "SS_NOPREFIX") +
           Control("CTEXT", texts::kAboutText, -1, Rect(40, 25, 141, 23)) +
           Control("DEFPUSHBUTTON", texts::kOkButton, kOk, Rect(178, 7, 50, 14), "WS_GROUP") + kEnd;
}

std::string Folder() {
    return Begin(IDD_FOLDER, 207, 199, texts::kFolderDlgCaption) +
           "    CONTROL \"\", " + std::to_string(IDC_FOLDER_TREE) +
           ", \"SysTreeView32\", TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_DISABLEDRAGDROP | "
           "TVS_SHOWSELALWAYS | TVS_SINGLEEXPAND | WS_BORDER | WS_TABSTOP, " +
           Rect(7, 7, 193, 163) + "\n" +
           Control("DEFPUSHBUTTON", texts::kFolderDlgOk, kOk, Rect(42, 178, 50, 14)) +
           Control("PUSHBUTTON", texts::kFolderDlgCancel, kCancel, Rect(115, 178, 50, 14)) + kEnd;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: dialogs_rc OUTPUT_FOLDER\n", stderr);
        return 2;
    }
    const std::string folder = argv[1];
    std::string rc = Zoom() + Transitions() + NavBar() + QuickHelp() + About() + Folder();
    const std::string icon = folder + "/program.ico";
    WriteProgramIcon(icon);
    rc += std::to_string(IDR_PROGRAM_ICON) + " ICON " + RcQuoted(icon.c_str()) + "\n";
    for (int picture : {IDB_FIXED_DRIVE, IDB_REMOVABLE_DRIVE, IDB_CDROM_DRIVE, IDB_NETWORK_DRIVE, IDB_FOLDER,
                        IDB_SELECTED_FOLDER, IDB_SPARE_OPEN_FOLDER, IDB_SPARE_COMPUTER}) {
        const std::string file = folder + "/folder_" + std::to_string(picture) + ".bmp";
        WriteFolderPicture(picture, file);
        rc += std::to_string(picture) + " BITMAP " + RcQuoted(file.c_str()) + "\n";
    }
    std::fputs(rc.c_str(), stdout);
    return 0;
}
