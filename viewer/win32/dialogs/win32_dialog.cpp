#include "viewer/win32/dialogs/win32_dialog.h"

#include "gui_common/win32_labels.h"

#include <algorithm>
#include <vector>

namespace {

// A dialog its initialisation left where the template put it is centred over its owner
// (the screen's work area when it has none) and kept on that area.
void CentreUnlessMoved(HWND dialog, const RECT& before) {
    RECT now{};
    GetWindowRect(dialog, &now);
    if (now.left != before.left || now.top != before.top) return;
    RECT area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    RECT over = area;
    HWND owner = GetWindow(dialog, GW_OWNER);
    if (owner && IsWindowVisible(owner) && !IsIconic(owner)) GetWindowRect(owner, &over);
    const LONG width = now.right - now.left, height = now.bottom - now.top;
    const LONG left = std::max(area.left, std::min((over.left + over.right - width) / 2, area.right - width));
    const LONG top = std::max(area.top, std::min((over.top + over.bottom - height) / 2, area.bottom - height));
    SetWindowPos(dialog, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

Win32Dialog::~Win32Dialog() { DestroyModeless(); }

void Win32Dialog::DestroyModeless() {
    if (!window_ || modal_) return;
    SetWindowLongPtrA(window_, DWLP_USER, 0);
    HWND window = window_;
    window_ = nullptr;
    DestroyWindow(window);
}

INT_PTR Win32Dialog::RunModal(HWND owner) {
    modal_ = true;
    result_ = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId_), owner, Procedure,
                              reinterpret_cast<LPARAM>(this));
    window_ = nullptr;
    return result_;
}

HWND Win32Dialog::Create(HWND owner) {
    modal_ = false;
    result_ = 0;
    return CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId_), owner, Procedure,
                              reinterpret_cast<LPARAM>(this));
}

void Win32Dialog::End(INT_PTR result) {
    result_ = result;
    if (modal_) {
        EndDialog(window_, result);
    } else {
        HWND window = window_;
        window_ = nullptr;
        DestroyWindow(window);
    }
}

std::string Win32Dialog::ItemText(int id) const {
    HWND item = Item(id);
    const int length = item ? GetWindowTextLengthA(item) : 0;
    std::vector<char> text(static_cast<std::size_t>(length) + 1, '\0');
    if (item) GetWindowTextA(item, text.data(), length + 1);
    return text.data();
}

void Win32Dialog::SetItemText(int id, const std::string& text) const { SetDlgItemTextA(window_, id, text.c_str()); }

int Win32Dialog::CheckedRadio(int firstId, int count) const {
    for (int i = 0; i < count; ++i)
        if (IsDlgButtonChecked(window_, firstId + i) == BST_CHECKED) return i;
    return -1;
}

void Win32Dialog::CheckRadio(int firstId, int count, int index) const {
    for (int i = 0; i < count; ++i) CheckDlgButton(window_, firstId + i, i == index ? BST_CHECKED : BST_UNCHECKED);
}

INT_PTR CALLBACK Win32Dialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<Win32Dialog*>(lParam);
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        dialog->window_ = window;
        FitOneLineLabels(window);
        RECT before{};
        GetWindowRect(window, &before);
        const BOOL focusFirst = dialog->OnInitDialog();
        CentreUnlessMoved(window, before);
        return focusFirst;
    }
    auto* dialog = reinterpret_cast<Win32Dialog*>(GetWindowLongPtrA(window, DWLP_USER));
    if (!dialog || dialog->window_ != window) return FALSE;
    switch (message) {
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const int code = HIWORD(wParam);
        if (dialog->OnCommand(id, code)) return TRUE;
        if (id == IDOK && code == BN_CLICKED) dialog->OnOK();
        else if (id == IDCANCEL && code == BN_CLICKED) dialog->OnCancel();
        else return FALSE;
        return TRUE;
    }
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (!dialog->OnNotify(*reinterpret_cast<const NMHDR*>(lParam), &result)) return FALSE;
        SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
        return TRUE;
    }
    default: return FALSE;
    }
}
