#include "setup/win32/modal_dialog.h"

#include "gui_common/win32_labels.h"

#include <vector>

namespace setup::win32 {

INT_PTR ModalDialog::Run(HINSTANCE instance, int templateId, HWND owner) {
    return ::DialogBoxParamA(instance, MAKEINTRESOURCEA(templateId), owner, &ModalDialog::Procedure,
                             reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK ModalDialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<ModalDialog*>(lParam);
        ::SetWindowLongPtrA(window, DWLP_USER, lParam);
        dialog->m_hWnd = window;
        dialog->OnInit();
        FitOneLineLabels(window);
        return TRUE;
    }
    auto* dialog = reinterpret_cast<ModalDialog*>(::GetWindowLongPtrA(window, DWLP_USER));
    if (!dialog) return FALSE;
    if (message == WM_COMMAND) {
        const int id = LOWORD(wParam);
        if (dialog->OnCommand(id, HIWORD(wParam))) return TRUE;
        if (id == IDOK || id == IDCANCEL) {
            ::EndDialog(window, id);
            return TRUE;
        }
        return FALSE;
    }
    INT_PTR result = FALSE;
    return dialog->OnMessage(message, wParam, lParam, &result) ? result : FALSE;
}

void SetTexts(HWND dialog, std::span<const ControlText> texts) {
    for (const auto& [id, text] : texts) ::SetDlgItemTextA(dialog, id, text);
}

void SetItemText(HWND dialog, int id, const std::string& text) { ::SetDlgItemTextA(dialog, id, text.c_str()); }

std::string WindowText(HWND window) {
    const int length = ::GetWindowTextLengthA(window);
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    const int got = ::GetWindowTextA(window, buffer.data(), length + 1);
    return std::string(buffer.data(), static_cast<std::size_t>(got > 0 ? got : 0));
}

std::string ItemText(HWND dialog, int id) { return WindowText(::GetDlgItem(dialog, id)); }

RECT AboveButton(HWND dialog, RECT pixels, int buttonId) {
    RECT button{};
    if (!::GetWindowRect(::GetDlgItem(dialog, buttonId), &button)) return pixels;
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&button), 2);
    const LONG lowest = button.top - pixels.top;
    if (pixels.bottom > lowest && lowest > pixels.top) pixels.bottom = lowest;
    return pixels;
}

HWND CreateTextBox(HWND dialog, int id, RECT pixels, DWORD style) {
    HWND box = ::CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | style,
                                 pixels.left, pixels.top, pixels.right - pixels.left, pixels.bottom - pixels.top,
                                 dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(dialog, GWLP_HINSTANCE)), nullptr);
    // No typing limit below the file sizes the boxes show.
    ::SendMessageA(box, EM_SETLIMITTEXT, 0, 0);
    return box;
}

void CollapseSelectionToStart(HWND textBox) {
    DWORD start = 0, end = 0;
    ::SendMessageA(textBox, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (start != 0 || end != 0) ::SendMessageA(textBox, EM_SETSEL, 0, 0);
}

}  // namespace setup::win32
