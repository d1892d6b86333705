#include "viewer/win32/print/win32_print_dlg.h"

#include "gui_common/dialog_numbers.h"
#include "viewer/app/text_tools.h"

#include <algorithm>

namespace {

constexpr int kPlacements = CPrintDlg::IDC_PLACEMENT_LAST - CPrintDlg::IDC_PLACEMENT_FIRST + 1;

// Outline and fill inside (left, top) to (right, bottom), right and bottom exclusive; the
// pen and brush are released at once.
void DrawBox(HDC dc, const Rect& r, int penStyle, COLORREF pen, COLORREF fill) {
    if (r.Width() <= 0 || r.Height() <= 0) return;
    const HPEN p = CreatePen(penStyle, 1, pen);
    const HBRUSH b = CreateSolidBrush(fill);
    const HGDIOBJ oldPen = SelectObject(dc, p);
    const HGDIOBJ oldBrush = SelectObject(dc, b);
    Rectangle(dc, r.left, r.top, r.right, r.bottom);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(p);
    DeleteObject(b);
}

int CheckedIndex(HWND hwnd, int first, int count) {
    for (int i = 0; i < count; ++i)
        if (IsDlgButtonChecked(hwnd, first + i) == BST_CHECKED) return i;
    return -1;
}

void Check(HWND hwnd, int first, int count, int index) {
    for (int i = 0; i < count; ++i) CheckDlgButton(hwnd, first + i, i == index ? BST_CHECKED : BST_UNCHECKED);
}

// Over the owner's window, or the work area when there is none to see, as the framework's
// dialogs open; kept inside the work area.
void CentreOverOwner(HWND hwnd) {
    RECT work{}, area{}, r{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const HWND owner = GetWindow(hwnd, GW_OWNER);
    if (owner && IsWindowVisible(owner) && !IsIconic(owner)) GetWindowRect(owner, &area);
    else area = work;
    GetWindowRect(hwnd, &r);
    const LONG w = r.right - r.left, h = r.bottom - r.top;
    LONG x = area.left + (area.right - area.left - w) / 2, y = area.top + (area.bottom - area.top - h) / 2;
    x = std::max(work.left, std::min(x, work.right - w));
    y = std::max(work.top, std::min(y, work.bottom - h));
    SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

Win32PrintDlg::~Win32PrintDlg() {
    if (hwnd_ && !modal_) DestroyWindow(hwnd_);
}

int Win32PrintDlg::Run(HWND owner) {
    modal_ = true;
    const INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(CPrintDlg::IDD), owner, Proc,
                                           reinterpret_cast<LPARAM>(this));
    hwnd_ = nullptr;
    return result == IDOK ? IDOK : IDCANCEL;
}

HWND Win32PrintDlg::Create(HWND owner) {
    modal_ = false;
    CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(CPrintDlg::IDD), owner, Proc,
                       reinterpret_cast<LPARAM>(this));
    return hwnd_;
}

INT_PTR CALLBACK Win32PrintDlg::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
        reinterpret_cast<Win32PrintDlg*>(lParam)->hwnd_ = hwnd;
    }
    auto* self = reinterpret_cast<Win32PrintDlg*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    return self ? self->Handle(message, wParam, lParam) : FALSE;
}

INT_PTR Win32PrintDlg::Handle(UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    switch (message) {
    case WM_INITDIALOG:
        SendDlgItemMessageA(hwnd_, CPrintDlg::IDC_PIXELS_PER_INCH, EM_LIMITTEXT, CPrintDlg::kMaxResolutionChars, 0);
        CentreOverOwner(hwnd_);
        dlg_.Attach(*this);
        return dlg_.OnInitDialog() ? TRUE : FALSE;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_PAINT:
        PaintSketch();
        return TRUE;
    case WM_NCDESTROY:
        SetWindowLongPtrA(hwnd_, DWLP_USER, 0);
        hwnd_ = nullptr;
        return FALSE;
    default:
        return FALSE;
    }
}

void Win32PrintDlg::OnCommand(int id, int code) {
    if (code == EN_CHANGE) {
        if (writing_) return;
        if (id == CPrintDlg::IDC_LEFT_PAD) dlg_.OnChangeLeftPad();
        else if (id == CPrintDlg::IDC_TOP_PAD) dlg_.OnChangeTopPad();
        else if (id == CPrintDlg::IDC_PIXELS_PER_INCH) dlg_.OnChangePixelsPerInch();
        return;
    }
    if (code != BN_CLICKED) return;
    if (id == IDOK) dlg_.OnOK();
    else if (id == IDCANCEL) dlg_.OnCancel();
    else if (id == CPrintDlg::IDC_PRINTER_SETUP) dlg_.OnPrinterSetup();
    else if (id == CPrintDlg::IDC_PORTRAIT) dlg_.OnPortrait();
    else if (id == CPrintDlg::IDC_LANDSCAPE) dlg_.OnLandscape();
    else if (id == CPrintDlg::IDC_PREVIEW) dlg_.OnPreview();
    else if (id >= CPrintDlg::IDC_PLACEMENT_FIRST && id <= CPrintDlg::IDC_PLACEMENT_LAST) dlg_.UpdatePlacement();
}

std::string Win32PrintDlg::Text(int id) const {
    char text[256] = {};
    GetDlgItemTextA(hwnd_, id, text, sizeof text);
    return text;
}

void Win32PrintDlg::SetText(int id, const std::string& text) {
    writing_ = true;
    SetDlgItemTextA(hwnd_, id, text.c_str());
    writing_ = false;
}

PrintDlgControls Win32PrintDlg::ReadControls() const {
    PrintDlgControls c;
    c.orientation = CheckedIndex(hwnd_, CPrintDlg::IDC_PORTRAIT, 2);
    c.placement = CheckedIndex(hwnd_, CPrintDlg::IDC_PLACEMENT_FIRST, kPlacements);
    c.pixelsPerInch = Text(CPrintDlg::IDC_PIXELS_PER_INCH);
    c.leftPad = Text(CPrintDlg::IDC_LEFT_PAD);
    c.topPad = Text(CPrintDlg::IDC_TOP_PAD);
    return c;
}

void Win32PrintDlg::WriteControls(const PrintDlgControls& c) {
    Check(hwnd_, CPrintDlg::IDC_PORTRAIT, 2, c.orientation);
    Check(hwnd_, CPrintDlg::IDC_PLACEMENT_FIRST, kPlacements, c.placement);
    // A text that already reads as the value is left alone, so that typing "1." or
    // clearing the box to type anew is not undone under the caret.
    const auto setPad = [this](int id, const std::string& text) {
        const std::string current = Text(id);
        double now = 0, next = 0;
        if (current == text) return;
        if (gui::ParseDialogFloat(current, &now) && gui::ParseDialogFloat(text, &next) &&
            static_cast<float>(now) == static_cast<float>(next))
            return;
        SetText(id, text);
    };
    setPad(CPrintDlg::IDC_LEFT_PAD, c.leftPad);
    setPad(CPrintDlg::IDC_TOP_PAD, c.topPad);
    const std::string current = Text(CPrintDlg::IDC_PIXELS_PER_INCH);
    const CTextTools tools;
    if (current != c.pixelsPerInch &&
        !(IsResolutionText(current) && tools.TextToInt(current) == tools.TextToInt(c.pixelsPerInch)))
        SetText(CPrintDlg::IDC_PIXELS_PER_INCH, c.pixelsPerInch);
}

void Win32PrintDlg::EnableControl(int id, bool enable) {
    if (HWND control = GetDlgItem(hwnd_, id)) EnableWindow(control, enable ? TRUE : FALSE);
}

void Win32PrintDlg::SetPrinterName(const std::string& name) { SetText(CPrintDlg::IDC_PRINTER_NAME, name); }

void Win32PrintDlg::RedrawSketch() {
    const Rect& r = dlg_.m_rcPreview;
    const RECT area{r.left, r.top, r.right, r.bottom};
    RedrawWindow(hwnd_, r.Width() > 0 ? &area : nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void Win32PrintDlg::EndDialog(int result) {
    if (modal_) {
        ::EndDialog(hwnd_, result);
    } else {
        DestroyWindow(hwnd_);
    }
}

Rect Win32PrintDlg::ControlRect(int id) const {
    RECT r{};
    HWND control = GetDlgItem(hwnd_, id);
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right, r.bottom};
}

void Win32PrintDlg::PaintSketch() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    const PrintSketch sketch = dlg_.Sketch(ControlRect(CPrintDlg::IDC_ORIENTATION_GROUP), ControlRect(IDOK));
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    DrawBox(dc, dlg_.m_rcPreview, PS_SOLID, face, face);
    DrawBox(dc, sketch.paper, PS_SOLID, RGB(0, 0, 0), RGB(245, 245, 245));
    DrawBox(dc, sketch.printable, PS_DOT, RGB(130, 130, 130), RGB(255, 255, 255));
    DrawBox(dc, sketch.picture, PS_SOLID, RGB(0, 200, 0), RGB(0, 255, 0));
    EndPaint(hwnd_, &ps);
}
