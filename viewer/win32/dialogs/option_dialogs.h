#pragma once

#include "viewer/win32/dialogs/win32_dialog.h"

#include <string>

namespace platform {
class MessageSink;
}

// The viewer's small option dialogs over their templates. Each holds plain members that
// its caller copies in before running it and out after OK; none touches the document or
// the view.

class CZoomDlg final : public Win32Dialog {
public:
    explicit CZoomDlg(platform::MessageSink& messages);

    float m_fScale = 1.0f;
    std::string m_strScale;

private:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    void OnOK() override;
    void ShowScale();

    platform::MessageSink& messages_;
    bool loading_ = false;  // the edit's change notices are the dialog's own
};

class CTransitionsDlg final : public Win32Dialog {
public:
    explicit CTransitionsDlg(platform::MessageSink& messages);

    int m_nMode = 0;
    float m_fPageInterval = 0;
    float m_fTransInterval = 0;

private:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    void OnOK() override;
    // Controls to members, as the framework's data exchange does; a refused interval is
    // prompted for at once and keeps the focus.
    bool Save();
    bool SaveInterval(int id, float* value);

    platform::MessageSink& messages_;
    bool loading_ = false;
};

class CNavBarDlg final : public Win32Dialog {
public:
    CNavBarDlg();

    int m_bShowNavBar = 0;
    int m_nCorner = -1;

private:
    BOOL OnInitDialog() override;
    void OnOK() override;
};

class CQuickHelpDlg final : public Win32Dialog {
public:
    CQuickHelpDlg();

private:
    // Its one button is Close: Enter closes it as well.
    void OnOK() override { End(IDCANCEL); }
};

class CAboutDlg final : public Win32Dialog {
public:
    CAboutDlg();
};
