#include "gui_common/win32_labels.h"

void FitOneLineLabels(HWND dialog) {
    HDC dc = GetDC(dialog);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(dialog, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char kind[16] = {};
        GetClassNameA(child, kind, sizeof kind);
        const LONG type = GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK;
        if (lstrcmpiA(kind, "Static") != 0 || (type != SS_LEFT && type != SS_CENTER)) continue;
        RECT place{};
        GetWindowRect(child, &place);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
        const int height = place.bottom - place.top;
        if (height >= 2 * metrics.tmHeight) continue;  // room for a second line: it wraps
        char text[256] = {};
        const int length = GetWindowTextA(child, text, sizeof text);
        SIZE extent{};
        GetTextExtentPoint32A(dc, text, length, &extent);
        const int width = place.right - place.left;
        if (extent.cx <= width) continue;
        const int left = type == SS_CENTER ? place.left - (extent.cx - width) / 2 : place.left;
        SetWindowPos(child, nullptr, left, place.top, extent.cx, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SelectObject(dc, old);
    ReleaseDC(dialog, dc);
}
