#pragma once

// The Win32 face's printing over the view's test documents: one 320 x 240 green picture in
// an 800 x 500 view, at one screen pixel per picture pixel, so at (240, 130).
#include "viewer/view/varnelle_view.h"
#include "viewer/win32/print/win32_view_printing.h"

#include "tests/support/view_test_env.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <vector>

namespace printtest {

inline void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// A pixel of a window as 0xRRGGBB.
inline std::uint32_t Pixel(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

class PrintTest : public ::testing::Test {
protected:
    PrintTest() {
        env.pictures.pictures["a.png"] = {320, 240, {10, 200, 10}};
        env.SetSlides({"a.png"});
        view.OnInitialUpdate();
        view.SetPrintHost(&printing);
        // The first paint places the slide, as on screen.
        testsupport::RecordingCanvas screen;
        view.OnDraw(screen);
    }
    testsupport::DocumentEnv env;
    testsupport::FakeWindow window;
    CVarnelleView view{ViewServices{env.documents, window, env.pictures, env.timers, env.messages, env.clock, env.heap}};
    std::vector<int> sent;
    Win32ViewPrinting printing{env.app, env.documents, view, env.messages, nullptr, [this](int id) { sent.push_back(id); }};
};


}  // namespace printtest
