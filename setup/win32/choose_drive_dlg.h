#pragma once

#include "platform/drives.h"
#include "setup/win32/modal_dialog.h"

#include <string>
#include <vector>

namespace setup::win32 {

// The drive chooser: the roots of the fixed drives under "Available Drives".
class CChooseDriveDlg final : public ModalDialog {
public:
    explicit CChooseDriveDlg(const platform::Drives& drives) : m_drives(drives) {}
    ~CChooseDriveDlg() override;

    // The root chosen with OK; empty until then.
    const std::string& ChosenRoot() const { return m_strChosenRoot; }

protected:
    void OnInit() override;
    bool OnCommand(int id, int code) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) override;

private:
    std::string ItemLabel(HTREEITEM item) const;

    const platform::Drives& m_drives;
    HWND m_hTree = nullptr;
    HIMAGELIST m_hImages = nullptr;
    HTREEITEM m_hRootItem = nullptr;
    std::vector<std::string> m_astrDrives;
    std::string m_strChosenRoot;
};

}  // namespace setup::win32
