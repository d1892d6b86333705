// Drives Setup.exe's dialogs from outside, through their window messages, as a user would:
//   setup_driver STEP...
// wait CAPTION        a top-level window of that caption, enabled (no modal box over it)
// gone CAPTION        no such window any more
// click ID            BM_CLICK to the current window's control ID
// set ID TEXT         WM_SETTEXT to it (an edit box reports the change as typing does)
// key ID VK           a key pressed and released in it (VK as a decimal number)
// expect ID TEXT      its text is exactly TEXT
// shown ID / hidden ID   it is visible and enabled / hidden and disabled
// apart ID ID         the two controls' rectangles do not overlap
// says TEXT           a static text of the current window is exactly TEXT (message boxes)
// dblclick ID ROW     a double click with the mouse on the picture of the tree's visible row
//                     ROW (0 the root, later rows one level in), as the tree's rows are laid
//                     out, until the current window closes: on a busy machine the system may
//                     take the two clicks apart, so it is tried again, at most three times
// Exits 1 at the first step that fails, saying which; every wait ends after 10 seconds.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr DWORD kTimeoutMs = 10000;
constexpr DWORD kPollMs = 20;

HWND g_current = nullptr;

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "setup_driver: %s\n", what.c_str());
    std::exit(1);
}

template <typename Test>
bool WaitFor(Test test) {
    for (DWORD waited = 0; waited < kTimeoutMs; waited += kPollMs) {
        if (test()) return true;
        ::Sleep(kPollMs);
    }
    return test();
}

std::string TextOf(HWND window) {
    char buffer[4096] = {};
    ::SendMessageA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

HWND Control(const char* id) {
    if (!g_current) Fail("no window waited for");
    HWND control = ::GetDlgItem(g_current, std::atoi(id));
    if (!control) Fail(std::string("no control ") + id);
    return control;
}

struct Search {
    const char* text;
    bool found;
};

BOOL CALLBACK FindStatic(HWND child, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    char kind[32] = {};
    ::GetClassNameA(child, kind, sizeof kind);
    if (lstrcmpiA(kind, "Static") == 0 && TextOf(child) == search->text) search->found = true;
    return !search->found;
}

// Where a tree row's picture lies on the screen, from the row height and indent the tree
// reports (numbers cross between processes; rectangles would not).
POINT TreeRowPicture(HWND tree, int row) {
    RECT client{};
    ::GetClientRect(tree, &client);
    const int height = static_cast<int>(::SendMessageA(tree, TVM_GETITEMHEIGHT, 0, 0));
    const int indent = static_cast<int>(::SendMessageA(tree, TVM_GETINDENT, 0, 0));
    const int level = row == 0 ? 0 : 1;
    POINT at{(level + 1) * indent + 8, row * height + height / 2};
    ::ClientToScreen(tree, &at);
    return at;
}

void DoubleClick(POINT at) {
    ::SetForegroundWindow(g_current);
    ::SetCursorPos(at.x, at.y);
    ::Sleep(100);  // the pointer reaches the tree before the buttons do
    INPUT clicks[4] = {};
    for (int i = 0; i < 4; ++i) {
        clicks[i].type = INPUT_MOUSE;
        clicks[i].mi.dwFlags = i % 2 == 0 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    }
    ::SendInput(4, clicks, sizeof(INPUT));
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string step = argv[i];
        const auto argument = [&](int n) -> const char* {
            if (i + n >= argc) Fail(step + ": missing argument");
            return argv[i + n];
        };
        if (step == "wait") {
            const char* caption = argument(1);
            if (!WaitFor([&] {
                    g_current = ::FindWindowA(nullptr, caption);
                    return g_current && ::IsWindowVisible(g_current) && ::IsWindowEnabled(g_current);
                }))
                Fail(std::string("no window \"") + caption + "\"");
            i += 1;
        } else if (step == "gone") {
            const char* caption = argument(1);
            if (!WaitFor([&] { return ::FindWindowA(nullptr, caption) == nullptr; }))
                Fail(std::string("window \"") + caption + "\" stays");
            i += 1;
        } else if (step == "click") {
            ::PostMessageA(Control(argument(1)), BM_CLICK, 0, 0);
            i += 1;
        } else if (step == "set") {
            ::SendMessageA(Control(argument(1)), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argument(2)));
            i += 2;
        } else if (step == "key") {
            HWND control = Control(argument(1));
            const WPARAM key = static_cast<WPARAM>(std::atoi(argument(2)));
            ::SendMessageA(control, WM_KEYDOWN, key, 1);
            ::SendMessageA(control, WM_KEYUP, key, 0xC0000001);
            i += 2;
        } else if (step == "expect") {
            const std::string text = TextOf(Control(argument(1)));
            if (text != argument(2)) Fail(std::string("control ") + argv[i + 1] + " holds \"" + text + "\"");
            i += 2;
        } else if (step == "shown" || step == "hidden") {
            HWND control = Control(argument(1));
            const bool shown = ::IsWindowVisible(control) && ::IsWindowEnabled(control);
            const bool hidden = !::IsWindowVisible(control) && !::IsWindowEnabled(control);
            if (step == "shown" ? !shown : !hidden) Fail(std::string("control ") + argv[i + 1] + " is not " + step);
            i += 1;
        } else if (step == "apart") {
            RECT first{}, second{}, both{};
            ::GetWindowRect(Control(argument(1)), &first);
            ::GetWindowRect(Control(argument(2)), &second);
            if (::IntersectRect(&both, &first, &second))
                Fail(std::string("controls ") + argv[i + 1] + " and " + argv[i + 2] + " overlap");
            i += 2;
        } else if (step == "says") {
            Search search{argument(1), false};
            if (!g_current) Fail("no window waited for");
            ::EnumChildWindows(g_current, FindStatic, reinterpret_cast<LPARAM>(&search));
            if (!search.found) Fail(std::string("no text \"") + search.text + "\"");
            i += 1;
        } else if (step == "dblclick") {
            bool closed = false;
            for (int attempt = 0; attempt < 3 && !closed; ++attempt) {
                DoubleClick(TreeRowPicture(Control(argument(1)), std::atoi(argument(2))));
                for (int waited = 0; waited < 1000 && !closed; waited += kPollMs) {
                    ::Sleep(kPollMs);
                    closed = !::IsWindow(g_current);
                }
            }
            if (!closed) Fail("the double click left the window open");
            i += 2;
        } else {
            Fail("unknown step " + step);
        }
    }
    return 0;
}
