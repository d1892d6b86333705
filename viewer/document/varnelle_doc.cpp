#include "viewer/document/varnelle_doc.h"

#include "viewer/app/varnelle_app.h"
#include "viewer/document/collage_reader.h"
#include "viewer/document/slide_extensions.h"

CVarnelleDoc::CVarnelleDoc(CVarnelleApp& app, WaitCursor& waitCursor, const BitmapResources& resources)
    : app_(app),
      waitCursor_(waitCursor),
      fileTools_(app.Services().fs, app.Services().messages),
      dibTools_(app.Services().messages),
      resources_(resources) {
    CopyDefaultPrinter();
}

void CVarnelleDoc::CopyDefaultPrinter() {
    const auto printer = app_.Services().printers.DefaultPrinter();
    if (!printer) return;
    m_hDevNames = printer->names;
    m_hDevMode = printer->mode;
}

void CVarnelleDoc::BuildFolderList(const std::string& folder) {
    fileTools_.ListFilePaths(folder, m_astrSlides);
    std::erase_if(m_astrSlides, [this](const std::string& path) { return !IsSlideExtension(textTools_.GetExtension(path)); });
}

bool CVarnelleDoc::OnNewDocument() {
    dibTools_.FreeDib(m_dibNavBar);
    const std::string path = app_.m_strStartPath;
    m_astrSlides.clear();
    if (!path.empty()) {
        waitCursor_.Begin();
        if (fileTools_.CheckFolderPath(path)) {
            BuildFolderList(path);
        } else if (fileTools_.CheckFilePath(path)) {
            const platform::FileCause cause = ReadCollageFile(app_.Services().fs, path, m_astrSlides);
            if (cause != platform::FileCause::None) {
                fileTools_.ShowFileError(cause);
                // Leave a clean, empty show behind rather than a half-read list that the
                // view would index with the previous show's count; and forget the path so
                // that Close really closes instead of retrying the broken file.
                m_astrSlides.clear();
                m_nSlideCount = 0;
                m_nCurrentSlide = 0;
                app_.m_strStartPath.clear();
                waitCursor_.End();
                return false;
            }
        }
        app_.m_strStartPath.clear();
        waitCursor_.End();
    }
    ResetViewState();
    m_nSlideCount = static_cast<int>(m_astrSlides.size());
    return true;
}

void CVarnelleDoc::ResetViewState() {
    dibTools_.FreeDib(m_dibNavBar);
    m_bNavBarPressed = 0;
    m_bNavBarVisible = 1;
    m_nNavBarCorner = 0;
    m_rcNavBar = {0, 0, 280, 25};
    m_nNavBarHotButton = 0;
    m_nPrintPixelsPerInch = 100;
    m_fPrintLeftPad = 0.36f;
    m_fPrintTopPad = 0.42f;
    m_nCurrentSlide = 0;
    m_nSlideCount = 0;
    if (dibTools_.LoadDibResource(resources_, kNavBarBitmap, m_dibNavBar)) dibTools_.CreateDibPalette(m_dibNavBar);
}

void CVarnelleDoc::NotifyZoomChanged() {
    if (m_hWndZoomTarget) m_hWndZoomTarget->OnCommand(ID_VIEW_APPLY_ZOOM);
}

void CVarnelleDoc::SetZoom(float zoom) {
    m_fZoom = zoom;
    NotifyZoomChanged();
}

bool CVarnelleDoc::HasCommand(int id) const {
    switch (id) {
    case ID_ZOOM_100:
    case ID_ZOOM_50:
    case ID_ZOOM_33:
    case ID_ZOOM_200:
    case ID_ZOOM_300:
    case ID_ZOOM_75:
    case ID_ZOOM_IN:
    case ID_ZOOM_OUT: return true;
    case ID_ZOOM_CUSTOM:
    case ID_HELP_TOPICS: return dialogs_ != nullptr;
    default: return false;
    }
}

bool CVarnelleDoc::OnCommand(int id) {
    // Products are stored in single precision: Zoom (-) after Zoom (+) gives 1.0 back.
    constexpr float kZoomInFactor = 1.1f;
    constexpr float kZoomOutFactor = 0.9090909f;
    switch (id) {
    case ID_ZOOM_100: SetZoom(1.0f); return true;
    case ID_ZOOM_50: SetZoom(0.5f); return true;
    case ID_ZOOM_33: SetZoom(1.0f / 3.0f); return true;
    case ID_ZOOM_200: SetZoom(2.0f); return true;
    case ID_ZOOM_300: SetZoom(3.0f); return true;
    case ID_ZOOM_75: SetZoom(0.75f); return true;
    case ID_ZOOM_IN: SetZoom(m_fZoom * kZoomInFactor); return true;
    case ID_ZOOM_OUT: SetZoom(m_fZoom * kZoomOutFactor); return true;
    case ID_ZOOM_CUSTOM: {
        if (!dialogs_) return false;
        float scale = m_fZoom;
        if (dialogs_->RunCustomZoom(scale)) SetZoom(scale);
        return true;
    }
    case ID_HELP_TOPICS:
        if (!dialogs_) return false;
        dialogs_->RunQuickHelp();
        return true;
    default: return false;
    }
}
