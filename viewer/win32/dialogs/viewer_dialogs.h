#pragma once

#include "viewer/document/varnelle_doc.h"
#include "viewer/frame/folder_tree.h"
#include "viewer/view/view_dialogs.h"
#include "viewer/win32/dialogs/win32_dialog.h"

#include <string>

namespace platform {
class MessageSink;
}

// Runs the viewer's dialogs for the handlers that own them: copies in, runs modally
// through the runner, copies out after OK only.
class Win32ViewerDialogs final : public DocumentDialogs, public ViewDialogs {
public:
    Win32ViewerDialogs(Win32DialogRunner& runner, platform::MessageSink& messages)
        : runner_(runner), messages_(messages) {}
    // The window the dialogs belong to.
    void SetOwner(HWND owner) { owner_ = owner; }

    bool RunCustomZoom(float& scale) override;
    void RunQuickHelp() override;
    void RunAbout();
    bool RunNavBar(int& showNavBar, int& corner) override;
    bool RunTransitions(int& mode, float& pageInterval, float& transInterval) override;
    // The folder selection; false on Cancel.
    bool RunFolder(const FolderServices& services, const std::string& title, const std::string& initialPath,
                   std::string& result);

private:
    Win32DialogRunner& runner_;
    platform::MessageSink& messages_;
    HWND owner_ = nullptr;
};
