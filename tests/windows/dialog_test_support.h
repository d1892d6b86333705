#pragma once

// Finding and driving the controls of the viewer's dialogs in the Wine tests.
#include "viewer/win32/dialogs/win32_dialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace dialogtest {

struct UnitRect {
    int x, y, w, h;
};

inline std::string WindowText(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// Where the dialog's units put a rectangle, in its client's pixels.
inline RECT Expected(HWND dialog, UnitRect r) {
    // The dialog manager maps the size apart from the place, each rounded on its own.
    RECT rect{r.x, r.y, r.w, r.h};
    MapDialogRect(dialog, &rect);
    return {rect.left, rect.top, rect.left + rect.right, rect.top + rect.bottom};
}

inline RECT PlaceOf(HWND dialog, HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

inline void ExpectAt(HWND dialog, HWND control, UnitRect r, const std::string& what) {
    ASSERT_NE(control, nullptr) << what;
    const RECT want = Expected(dialog, r), got = PlaceOf(dialog, control);
    EXPECT_EQ(got.left, want.left) << what;
    EXPECT_EQ(got.top, want.top) << what;
    EXPECT_EQ(got.right, want.right) << what;
    EXPECT_EQ(got.bottom, want.bottom) << what;
}

// A label keeps its place and height; it is as wide as its rectangle or as its text in
// the dialog's font, whichever is wider.
inline void ExpectLabelAt(HWND dialog, HWND label, UnitRect r, const std::string& what) {
    ASSERT_NE(label, nullptr) << what;
    const RECT want = Expected(dialog, r), got = PlaceOf(dialog, label);
    EXPECT_EQ(got.left, want.left) << what;
    EXPECT_EQ(got.top, want.top) << what;
    EXPECT_EQ(got.bottom, want.bottom) << what;
    EXPECT_GE(got.right, want.right) << what;
    HDC dc = GetDC(dialog);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(dialog, WM_GETFONT, 0, 0)));
    const std::string text = WindowText(label);
    SIZE extent{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(dialog, dc);
    EXPECT_GE(got.right - got.left, extent.cx) << what << ": \"" << text << "\" is cut short";
}

inline void ExpectItem(HWND dialog, int id, UnitRect r, const std::string& text) {
    HWND item = GetDlgItem(dialog, id);
    ExpectAt(dialog, item, r, "control " + std::to_string(id));
    if (item) {
        EXPECT_EQ(WindowText(item), text) << "control " + std::to_string(id);
    }
}

// The statics without an id, in template order.
inline std::vector<HWND> Statics(HWND dialog) {
    std::vector<HWND> found;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char kind[32] = {};
        GetClassNameA(child, kind, sizeof kind);
        const int id = GetDlgCtrlID(child);
        if (lstrcmpiA(kind, "Static") == 0 && (id == -1 || id == 0xFFFF)) found.push_back(child);
    }
    return found;
}

inline void Click(HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// Types into an edit box: the box tells the dialog of the change, as typing does.
inline void Type(HWND dialog, int id, const std::string& text) { SetDlgItemTextA(dialog, id, text.c_str()); }

inline bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

// Every dialog is in 8-point "MS Sans Serif".
inline void ExpectDialogFont(HWND dialog) {
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, "MS Sans Serif");
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(font.lfHeight, -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72));
    ReleaseDC(nullptr, screen);
}

// Runs a dialog modelessly and drives it with a script in place of the user.
class ScriptRunner final : public Win32DialogRunner {
public:
    INT_PTR Run(Win32Dialog& dialog, HWND owner) override {
        HWND window = dialog.Create(owner);
        if (!window) return 0;
        if (script) script(window);
        return dialog.Result();
    }
    std::function<void(HWND)> script;
};

}  // namespace dialogtest
