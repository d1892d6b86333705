#pragma once

#include <windows.h>

#include <string>

// One dialog over a template of the program's resource script. The same object runs
// modally for the program or modelessly for a test driving its controls; either way the
// dialog's own handlers end it with OK or Cancel.
class Win32Dialog {
public:
    explicit Win32Dialog(int templateId) : templateId_(templateId) {}
    virtual ~Win32Dialog();
    Win32Dialog(const Win32Dialog&) = delete;
    Win32Dialog& operator=(const Win32Dialog&) = delete;

    // IDOK or IDCANCEL.
    INT_PTR RunModal(HWND owner);
    // Opens the dialog without a loop of its own; Result() is 0 until it ends.
    HWND Create(HWND owner);

    HWND Handle() const { return window_; }
    INT_PTR Result() const { return result_; }

protected:
    // Run once the controls exist; TRUE gives the focus to the first control.
    virtual BOOL OnInitDialog() { return TRUE; }
    // True when handled.
    virtual bool OnCommand(int /*id*/, int /*code*/) { return false; }
    virtual bool OnNotify(const NMHDR& /*header*/, LRESULT* /*result*/) { return false; }
    virtual void OnOK() { End(IDOK); }
    virtual void OnCancel() { End(IDCANCEL); }

    void End(INT_PTR result);
    // Closes a modeless dialog without telling its handlers; a derived dialog calls it
    // first in its destructor, while its members still exist.
    void DestroyModeless();
    HWND Item(int id) const { return GetDlgItem(window_, id); }
    std::string ItemText(int id) const;
    void SetItemText(int id, const std::string& text) const;
    // Index of the checked button among `count` radio buttons from `firstId`, -1 when none.
    int CheckedRadio(int firstId, int count) const;
    // Checks the button at `index`, or none when it is outside the group.
    void CheckRadio(int firstId, int count, int index) const;

private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    int templateId_;
    HWND window_ = nullptr;
    bool modal_ = false;
    INT_PTR result_ = 0;
};

// Runs the program's dialogs: modally, or as a test drives them.
class Win32DialogRunner {
public:
    virtual ~Win32DialogRunner() = default;
    virtual INT_PTR Run(Win32Dialog& dialog, HWND owner) = 0;
};

class ModalDialogRunner final : public Win32DialogRunner {
public:
    INT_PTR Run(Win32Dialog& dialog, HWND owner) override { return dialog.RunModal(owner); }
};
