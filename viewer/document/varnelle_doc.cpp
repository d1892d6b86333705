#include "viewer/document/varnelle_doc.h"

#include "viewer/document/collage_reader.h"
#include "viewer/document/slide_extensions.h"
#include "viewer/res/command_ids.h"

namespace {

// Products are stored in single precision: Zoom (-) after Zoom (+) gives 1.0 back.
constexpr float kZoomInFactor = 1.1f;
constexpr float kZoomOutFactor = 0.9090909f;

}  // namespace

CVarnelleDoc::CVarnelleDoc(DocumentServices services, WaitCursor& waitCursor, const BitmapResources& resources)
    : services_(services),
      waitCursor_(waitCursor),
      fileTools_(services.fs, services.messages),
      dibTools_(services.messages, services.heap),
      resources_(resources) {
    CopyDefaultPrinter();
    const struct {
        int id;
        float zoom;
    } fixedZooms[] = {{cmd::ID_ZOOM_100, 1.0f}, {cmd::ID_ZOOM_50, 0.5f}, {cmd::ID_ZOOM_33, 1.0f / 3.0f},
                      {cmd::ID_ZOOM_200, 2.0f}, {cmd::ID_ZOOM_300, 3.0f}, {cmd::ID_ZOOM_75, 0.75f}};
    for (const auto& fixed : fixedZooms) AddCommand(fixed.id, [this, zoom = fixed.zoom] { SetZoom(zoom); });
    AddCommand(cmd::ID_ZOOM_IN, [this] { SetZoom(m_fZoom * kZoomInFactor); });
    AddCommand(cmd::ID_ZOOM_OUT, [this] { SetZoom(m_fZoom * kZoomOutFactor); });
}

void CVarnelleDoc::SetDialogs(DocumentDialogs* dialogs) {
    dialogs_ = dialogs;
    if (!dialogs) {
        RemoveCommand(cmd::ID_ZOOM_CUSTOM);
        RemoveCommand(cmd::ID_HELP_TOPICS);
        return;
    }
    AddCommand(cmd::ID_ZOOM_CUSTOM, [this] {
        float scale = m_fZoom;
        if (dialogs_->RunCustomZoom(scale)) SetZoom(scale);
    });
    AddCommand(cmd::ID_HELP_TOPICS, [this] { dialogs_->RunQuickHelp(); });
}

void CVarnelleDoc::CopyDefaultPrinter() {
    const auto printer = services_.printers.DefaultPrinter();
    if (!printer) return;
    m_hDevNames = printer->names;
    m_hDevMode = printer->mode;
}

void CVarnelleDoc::BuildFolderList(const std::string& folder) {
    fileTools_.ListFilePaths(folder, m_astrSlides);
    std::erase_if(m_astrSlides, [this](const std::string& path) { return !IsSlideExtension(textTools_.GetExtension(path)); });
}

int CVarnelleDoc::SlideIndexOf(const std::string& fileName) const {
    if (fileName.empty()) return 0;
    for (std::size_t i = 0; i < m_astrSlides.size(); ++i)
        if (textTools_.GetFileName(m_astrSlides[i]) == fileName) return static_cast<int>(i);
    return 0;
}

bool CVarnelleDoc::OnNewDocument(const std::string& path, const std::string& firstSlide) {
    dibTools_.FreeDib(m_dibNavBar);
    m_astrSlides.clear();
    if (!path.empty()) {
        waitCursor_.Begin();
        if (fileTools_.CheckFolderPath(path)) {
            BuildFolderList(path);
        } else if (fileTools_.CheckFilePath(path)) {
            const platform::FileCause cause = ReadCollageFile(services_.fs, path, m_astrSlides);
            if (cause != platform::FileCause::None) {
                fileTools_.ShowFileError(cause);
                // Leave a clean, empty show behind rather than a half-read list that the
                // view would index with the previous show's count.
                m_astrSlides.clear();
                m_nSlideCount = 0;
                m_nCurrentSlide = 0;
                m_nFirstSlide = 0;
                waitCursor_.End();
                return false;
            }
        }
        waitCursor_.End();
    }
    ResetViewState();
    m_nSlideCount = static_cast<int>(m_astrSlides.size());
    m_nFirstSlide = SlideIndexOf(firstSlide);
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
    if (m_hWndZoomTarget) m_hWndZoomTarget->OnCommand(cmd::ID_VIEW_APPLY_ZOOM);
}

void CVarnelleDoc::SetZoom(float zoom) {
    m_fZoom = zoom;
    NotifyZoomChanged();
}
