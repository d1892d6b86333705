#pragma once

#include "setup/win32/win32_ui.h"

#include <span>
#include <string>

namespace setup::win32 {

// A dialog template run modally by one dialog procedure that hands the messages to the
// object behind the window. OK and Cancel close it unless the dialog handles them.
class ModalDialog {
public:
    virtual ~ModalDialog() = default;
    // The id that closed the dialog (IDOK, IDCANCEL), or -1 when it could not be made.
    INT_PTR Run(HINSTANCE instance, int templateId, HWND owner);

protected:
    HWND Window() const { return m_hWnd; }
    HWND Item(int id) const { return ::GetDlgItem(m_hWnd, id); }
    void Close(int id) { ::EndDialog(m_hWnd, id); }

    virtual void OnInit() = 0;
    // True when the command was handled.
    virtual bool OnCommand(int /*id*/, int /*code*/) { return false; }
    // Any other message; true with `*result` when handled.
    virtual bool OnMessage(UINT /*message*/, WPARAM, LPARAM, INT_PTR* /*result*/) { return false; }

private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND m_hWnd = nullptr;
};

// One control's text from the texts header.
struct ControlText {
    int id;
    const char* text;
};
void SetTexts(HWND dialog, std::span<const ControlText> texts);
void SetItemText(HWND dialog, int id, const std::string& text);
std::string WindowText(HWND window);
std::string ItemText(HWND dialog, int id);

// A text box made when the dialog is made, at a rectangle given in pixels.
HWND CreateTextBox(HWND dialog, int id, RECT pixels, DWORD style);
// `pixels` with its bottom kept above the dialog's button `buttonId` by the box's top margin.
// The buttons are placed in dialog units, so a smaller dialog font brings them up under a
// box placed in pixels.
RECT AboveButton(HWND dialog, RECT pixels, int buttonId);

// Collapses a text box's selection to the start without scrolling it.
void CollapseSelectionToStart(HWND textBox);

}  // namespace setup::win32
