#pragma once

#include "viewer/app/command_router.h"
#include "viewer/app/varnelle_app.h"
#include "viewer/document/varnelle_doc.h"
#include "viewer/frame/shell_commands.h"
#include "viewer/view/slide_picture_cache.h"
#include "viewer/win32/dialogs/viewer_dialogs.h"
#include "viewer/win32/main_frame.h"
#include "viewer/win32/print/win32_view_printing.h"
#include "viewer/win32/ui_task_poster.h"
#include "viewer/win32/view_window.h"

#include <functional>
#include <memory>
#include <optional>

namespace platform {
class Drives;
class FolderScan;
class Heap;
class Registry;
class TimerService;
}  // namespace platform

// The program's bitmaps from its resource script: a bitmap resource is the packed picture.
class Win32BitmapResources final : public BitmapResources {
public:
    imagelib::HeapBlock Load(int number) const override;
};

// What the program's main hands the shell besides the application.
struct Win32ShellServices {
    platform::Heap& heap;
    // The view's timer service, asked for once, when the first document makes the view:
    // its ticks must go to `onTick`. The caller keeps the service alive.
    std::function<platform::TimerService&(std::function<void(int id)> onTick)> viewTimers;
    // What the folder selection lists.
    const platform::Drives& drives;
    const platform::FolderScan& folders;
    // How the picture cache's worker decodes a slide, and what it may hold.
    SlidePictureCache::Decoder decodeSlide;
    SlidePictureCache::Limits pictureLimits;
};

// Joins the application object, the one document, the frame and the view, as the
// single-document template does: the first new document makes frame and view, every
// later one reuses them and resets the view.
class Win32Shell final : public AppHost, public WaitCursor, public DocumentProvider {
public:
    // Dialogs run modally unless `runner` (a test's) runs them.
    Win32Shell(CVarnelleApp& app, Win32ShellServices services, Win32DialogRunner* runner = nullptr);
    ~Win32Shell() override;

    // The store the profile key is made in; without one no key is made.
    void SetProfileStore(platform::Registry& store) { profileStore_ = &store; }
    void LoadProfile(const std::string& key, int recentFiles) override;
    bool NewDocument(const std::string& startPath, const std::string& firstSlide) override;
    void ShowMainWindow() override;
    bool ChooseFolder(const std::string& title, const std::string& initialPath, std::string& result) override;
    void ShowPrintSetup() override;

    void Begin() override;
    void End() override;

    CVarnelleDoc* ActiveDocument() const override { return document_.get(); }
    MainFrameWin32* Frame() { return frame_.get(); }
    ViewWindowWin32* View() { return view_.get(); }
    Win32ViewPrinting* Printing() { return printing_.get(); }
    SlidePictureCache& Pictures() { return pictures_; }
    // Dispatches one message the way the program's loop does (accelerators first).
    void Dispatch(MSG& message);

private:
    void MakeFrameAndView();

    CVarnelleApp& app_;
    Win32ShellServices services_;
    Win32BitmapResources resources_;
    ModalDialogRunner modalRunner_;
    Win32ViewerDialogs dialogs_;
    // Outlives the cache, whose worker posts to it.
    UiTaskPoster poster_;
    // Outlives the view, which hands pictures back to it.
    SlidePictureCache pictures_;
    std::optional<HCURSOR> waitCursorPrevious_;
    std::unique_ptr<CVarnelleDoc> document_;
    DocumentCommands documentCommands_;
    ApplicationCommands applicationCommands_;
    std::unique_ptr<CommandRouter> router_;
    std::unique_ptr<MainFrameWin32> frame_;
    std::unique_ptr<Win32ViewPrinting> printing_;
    // Destroyed first: it refers to everything above.
    std::unique_ptr<ViewWindowWin32> view_;
    platform::Registry* profileStore_ = nullptr;
};
