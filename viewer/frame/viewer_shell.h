#pragma once

#include "viewer/app/varnelle_app.h"
#include "viewer/document/varnelle_doc.h"
#include "viewer/frame/main_frame.h"

#include <memory>

// Joins the application object, the one document and the frame, as the single-document
// template does: the first new document makes the frame, every later one reuses both.
class ViewerShell final : public AppHost, public WaitCursor {
public:
    explicit ViewerShell(CVarnelleApp& app);
    ~ViewerShell() override;

    void LoadProfile(const std::string& key, int recentFiles) override;
    bool NewDocument() override;
    void ShowMainWindow() override;
    bool ChooseFolder(const std::string& title, const std::string& initialPath, std::string& result) override;
    void ShowPrintSetup() override;

    void Begin() override;
    void End() override;

    CVarnelleDoc* Document() { return document_.get(); }
    CMainFrame* Frame() { return frame_.get(); }

private:
    void OnCommand(int id);

    CVarnelleApp& app_;
    std::unique_ptr<CVarnelleDoc> document_;
    std::unique_ptr<CMainFrame> frame_;
};
