#pragma once

#include "viewer/app/command_router.h"
#include "viewer/app/varnelle_app.h"
#include "viewer/qt/qt_bitmap_resources.h"
#include "viewer/document/varnelle_doc.h"
#include "viewer/qt/main_frame.h"
#include "viewer/qt/qt_view_printing.h"
#include "viewer/frame/shell_commands.h"
#include "viewer/qt/viewer_dialogs.h"
#include "viewer/view/loader_slide_pictures.h"
#include "viewer/qt/slide_view_widget.h"

#include "gui_common/modal_runner.h"
#include "gui_common/wait_cursor.h"

#include <functional>
#include <memory>
#include <optional>

namespace platform {
class Drives;
class FolderScan;
class Heap;
class TimerService;
}  // namespace platform

// What the program's main hands the shell besides the application: the backends of the
// folder dialog and of the view, and the picture cache's budget.
struct ShellServices {
    const platform::Drives& drives;
    const platform::FolderScan& folders;
    platform::Heap& heap;
    // The view's timer service, asked for once, when the first document makes the view:
    // its ticks must go to `onTick`. The caller keeps the service alive.
    std::function<platform::TimerService&(std::function<void(int id)> onTick)> viewTimers;
    SlidePictureCache::Limits pictures;
};

// Joins the application object, the one document, the frame and the view, as the
// single-document template does: the first new document makes frame and view, every
// later one reuses them and resets the view.
class ViewerShell final : public AppHost, public WaitCursor, public DocumentProvider {
public:
    // `runner`: how dialogs run, or null to run them modally.
    ViewerShell(CVarnelleApp& app, ShellServices services, gui::ModalRunner* runner = nullptr);
    ~ViewerShell() override;

    void LoadProfile(const std::string& key, int recentFiles) override;
    bool NewDocument(const std::string& startPath, const std::string& firstSlide) override;
    void ShowMainWindow() override;
    bool ChooseFolder(const std::string& title, const std::string& initialPath, std::string& result) override;
    void ShowPrintSetup() override;

    void Begin() override;
    void End() override;

    CVarnelleDoc* ActiveDocument() const override { return document_.get(); }
    CMainFrame* Frame() { return frame_.get(); }
    SlideViewWidget* View() { return view_; }
    SlidePictureCache& Pictures() { return pictures_; }
    QtViewPrinting* Printing() { return printing_.get(); }

private:
    // The frame, the view inside it and the command chain, for the first document.
    void MakeFrameAndView();

    CVarnelleApp& app_;
    ShellServices services_;
    gui::ExecRunner execRunner_;
    std::optional<gui::WaitCursorScope> waitCursor_;
    ViewerDialogs dialogs_;
    QtBitmapResources resources_;
    // Outlives the frame, whose view hands pictures back to it.
    SlidePictureCache pictures_;
    std::unique_ptr<CVarnelleDoc> document_;
    DocumentCommands documentCommands_;
    ApplicationCommands applicationCommands_;
    std::unique_ptr<CommandRouter> router_;
    // Destroyed first: the view inside it refers to everything above.
    std::unique_ptr<CMainFrame> frame_;
    SlideViewWidget* view_ = nullptr;
    // Refers to the view: destroyed before the frame.
    std::unique_ptr<QtViewPrinting> printing_;
};
