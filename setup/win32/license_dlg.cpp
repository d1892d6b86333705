#include "setup/win32/license_dlg.h"

#include "setup/dialog_rules.h"
#include "setup/setup_texts.h"
#include "setup/win32/resource.h"

namespace setup::win32 {
namespace {

constexpr COLORREF kBoxColor = RGB(235, 235, 235);
constexpr RECT kTextBoxPixels{10, 10, 356, 193};

}  // namespace

CLicenseDlg::~CLicenseDlg() {
    if (m_hFont) ::DeleteObject(m_hFont);
    if (m_hBackground) ::DeleteObject(m_hBackground);
}

void CLicenseDlg::OnInit() {
    ::SetWindowTextA(Window(), texts::kLicenseCaption);
    const ControlText buttons[] = {{IDOK, texts::kAgreeButton}, {IDCANCEL, texts::kCloseButton}};
    SetTexts(Window(), buttons);
    m_hTextBox = CreateTextBox(Window(), IDC_LICENSE_TEXT, AboveButton(Window(), kTextBoxPixels, IDOK),
                               ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL);
    // 12 points (240 twips), regular, ANSI, roman family.
    HDC dc = ::GetDC(Window());
    const int height = -::MulDiv(12, ::GetDeviceCaps(dc, LOGPIXELSY), 72);
    ::ReleaseDC(Window(), dc);
    m_hFont = ::CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_ROMAN, texts::kLicenseFont);
    ::SendMessageA(m_hTextBox, WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont), FALSE);
    m_hBackground = ::CreateSolidBrush(kBoxColor);
    // The box breaks lines only at CR LF.
    ::SetWindowTextA(m_hTextBox, WithCrLf(m_strLicenseText).c_str());
}

bool CLicenseDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) {
    if (message == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lParam) == m_hTextBox) {
        ::SetBkColor(reinterpret_cast<HDC>(wParam), kBoxColor);
        *result = reinterpret_cast<INT_PTR>(m_hBackground);
        return true;
    }
    // Every repaint collapses the selection to the start; the dialog still paints itself.
    if (message == WM_PAINT && m_hTextBox) CollapseSelectionToStart(m_hTextBox);
    return false;
}

}  // namespace setup::win32
