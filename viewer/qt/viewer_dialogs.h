#pragma once

#include "viewer/qt/face_guard.h"
#include "viewer/document/varnelle_doc.h"
#include "viewer/view/varnelle_view.h"

class QWidget;

namespace gui {
class ModalRunner;
}
namespace platform {
class MessageSink;
}

// Runs the viewer's option dialogs for the handlers that own them: copies in, runs
// modally through the runner, copies out after OK only.
class ViewerDialogs final : public DocumentDialogs, public ViewDialogs {
public:
    ViewerDialogs(gui::ModalRunner& runner, platform::MessageSink& messages) : runner_(runner), messages_(messages) {}
    // The window the dialogs belong to.
    void SetOwner(QWidget* owner) { owner_ = owner; }

    bool RunCustomZoom(float& scale) override;
    void RunQuickHelp() override;
    void RunAbout();
    bool RunNavBar(int& showNavBar, int& corner) override;
    bool RunTransitions(int& mode, float& pageInterval, float& transInterval) override;

private:
    gui::ModalRunner& runner_;
    platform::MessageSink& messages_;
    QWidget* owner_ = nullptr;
};
