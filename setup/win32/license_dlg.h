#pragma once

#include "setup/win32/modal_dialog.h"

#include <string>

namespace setup::win32 {

// The licence agreement: Agree (IDOK) goes on, Close (IDCANCEL, or Escape) ends the program.
class CLicenseDlg final : public ModalDialog {
public:
    explicit CLicenseDlg(std::string licenseText) : m_strLicenseText(std::move(licenseText)) {}
    ~CLicenseDlg() override;

protected:
    void OnInit() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) override;

private:
    std::string m_strLicenseText;
    HWND m_hTextBox = nullptr;
    HFONT m_hFont = nullptr;
    HBRUSH m_hBackground = nullptr;
};

}  // namespace setup::win32
