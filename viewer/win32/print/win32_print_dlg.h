#pragma once

#include "viewer/print/print_dlg.h"

#include <windows.h>

// The Print dialog's window: template 285 of the resource script, the sketch painted below
// the orientation group. The logic is CPrintDlg's.
class Win32PrintDlg final : public PrintDlgWindow {
public:
    explicit Win32PrintDlg(CPrintDlg& dlg) : dlg_(dlg) {}
    ~Win32PrintDlg() override;

    // Modal over `owner`: IDOK or IDCANCEL.
    int Run(HWND owner);
    // Modeless, for a caller that pumps the messages itself; closing destroys the window.
    HWND Create(HWND owner);
    HWND Handle() const { return hwnd_; }

    PrintDlgControls ReadControls() const override;
    void WriteControls(const PrintDlgControls& controls) override;
    void EnableControl(int id, bool enable) override;
    void SetPrinterName(const std::string& name) override;
    void RedrawSketch() override;
    void EndDialog(int result) override;

private:
    static INT_PTR CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(int id, int code);
    void PaintSketch();
    Rect ControlRect(int id) const;
    std::string Text(int id) const;
    void SetText(int id, const std::string& text);

    CPrintDlg& dlg_;
    HWND hwnd_ = nullptr;
    bool modal_ = false;
    // Texts the dialog writes itself raise change notifications that are not the user's.
    bool writing_ = false;
};
