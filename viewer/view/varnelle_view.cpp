#include "viewer/view/varnelle_view.h"

#include "imagelib/info_header.h"
#include "platform/messages.h"
#include "platform/timers.h"
#include "viewer/document/slide_extensions.h"
#include "viewer/document/varnelle_doc.h"
#include "viewer/res/command_ids.h"
#include "viewer/res/texts.h"
#include "viewer/view/slide_geometry.h"
#include "viewer/view/view_keys.h"
#include "viewer/view/zoom_levels.h"

#include <algorithm>

namespace {

constexpr RgbColour kCaptionColour{150, 150, 150};
// The caption sits below a navigator bar in the upper left corner.
constexpr Point kCaptionOffset{3, 25};

}  // namespace

CVarnelleView::CVarnelleView(ViewServices services) : services_(services), dibTools_(services.messages) {}

CVarnelleView::~CVarnelleView() { FreeSlide(); }

int CVarnelleView::SlideCount() const {
    const CVarnelleDoc* doc = Doc();
    return doc ? static_cast<int>(doc->m_astrSlides.size()) : 0;
}

void CVarnelleView::OnInitialUpdate() {
    CVarnelleDoc* doc = Doc();
    if (!doc) return;
    doc->m_rcExtent = {};
    SetScrollSizes(0, 0);
    services_.timers.KillTimer(kAutoAdvanceTimer);
    m_strSlidePath.clear();
    m_ptMouse = {};
    m_nImageWidth = m_nImageHeight = 0;
    m_nSlide = 0;
    m_nZoomLevel = 1;
    m_nDrawnSlide = -1;
    m_dZoom = 1.0;
    m_fPageInterval = 6.0f;
    m_bFirstDraw = 1;
    m_bAutoAdvance = 0;
    m_nAutoTicks = 0;
    m_nLastEffect = 0;
    m_nTransitionMode = 0;
    m_crLabelIdle = {100, 0, 0};
    m_crLabelActive = {255, 255, 0};
    m_bPrevIdle = m_bNextIdle = m_bExitIdle = 1;
    m_bAutoIdle = 0;
    m_fTransInterval = m_fPageInterval * 3.0f;
}

void CVarnelleView::OnDestroy() { services_.timers.KillTimer(kAutoAdvanceTimer); }

void CVarnelleView::SetScrollSizes(int width, int height) {
    totalWidth_ = width;
    totalHeight_ = height;
    services_.window.SetScrollSizes(width, height);
}

void CVarnelleView::FreeSlide() { dibTools_.FreeDib(m_dibSlide); }

void CVarnelleView::LoadSlideImage(int index) {
    CVarnelleDoc* doc = Doc();
    if (!doc || index < 0 || index >= SlideCount()) return;
    m_strSlidePath = doc->m_astrSlides[static_cast<std::size_t>(index)];
    FreeSlide();
    if (!IsSlideExtension(m_textTools.GetExtension(m_strSlidePath)) ||
        !services_.pictures.LoadSlidePicture(index, m_strSlidePath, m_dibSlide)) {
        m_nImageWidth = m_nImageHeight = 0;
        FreeSlide();
        return;
    }
    m_nImageWidth = static_cast<int>(dibheader::Get32(m_dibSlide.header.data(), dibheader::kWidthField));
    m_nImageHeight = static_cast<int>(dibheader::Get32(m_dibSlide.header.data(), dibheader::kHeightField));
    const Rect client = services_.window.ClientRect();
    const SlideFit fit = FitToClient(m_nImageWidth, m_nImageHeight, client.Width(), client.Height());
    m_dZoom = fit.zoom;
    // A side that truncates to nothing (an empty window, a picture thousands of times longer
    // than wide) would leave a zoom of 0 that every later division trips over.
    if (m_dZoom <= 0.0) m_dZoom = client.Height() > 0 ? static_cast<double>(client.Height()) / m_nImageHeight : 0.0;
    if (m_dZoom <= 0.0) m_dZoom = ZoomFactorOfLevel(kMinZoomLevel);
    doc->m_fZoom = static_cast<float>(m_dZoom);
    doc->m_rcExtent = {0, 0, fit.width, fit.height};
    SetScrollSizes(fit.width, fit.height);
    m_nZoomLevel = ZoomLevelFor(m_dZoom);
}

void CVarnelleView::OnDraw(ViewCanvas& canvas) {
    CVarnelleDoc* doc = Doc();
    if (!doc) return;
    const Rect client = services_.window.ClientRect();
    const Point scroll = services_.window.ScrollPosition();
    const Point origin = services_.window.ClientOriginOnScreen();
    doc->m_ptScroll = scroll;
    doc->m_rcClient = client;
    doc->m_rcClientScreen = {client.left + origin.x, client.top + origin.y, client.right + origin.x,
                             client.bottom + origin.y};
    const int cw = client.Width(), ch = client.Height();

    canvas.BeginComposition(cw, ch);
    if (SlideCount() > 0) {
        if (m_nSlide != m_nDrawnSlide) {
            LoadSlideImage(m_nSlide);
            doc->m_nCurrentSlide = m_nSlide + 1;
        }
        const int zw = static_cast<int>(m_nImageWidth * m_dZoom);
        const int zh = static_cast<int>(m_nImageHeight * m_dZoom);
        const SlidePlacement placement = PlaceSlide(m_rects, zw, zh, m_dZoom, scroll, cw, ch);
        if (!m_dibSlide.header.empty() && !m_dibSlide.bits.empty()) {
            // Truncation can reach one pixel past the picture's edge; never read beyond it.
            const Rect& src = placement.source;
            const int right = std::min(src.right, m_nImageWidth);
            const int bottom = std::min(src.bottom, m_nImageHeight);
            canvas.StretchPicture(placement.destination, src.left, m_nImageHeight - bottom, right - src.left,
                                  bottom - src.top, m_dibSlide);
        }
    }
    if (printing_) {
        // The printed page is the picture alone: no transition, no bar, no texts.
        canvas.CopyCompositionToScreen();
        m_nDrawnSlide = m_nSlide;
        return;
    }
    canvas.CopyCompositionToScreen();
    DrawCaption(canvas);
    m_nDrawnSlide = m_nSlide;
    if (m_bFirstDraw) AfterFirstDraw();
}

void CVarnelleView::DrawCaption(ViewCanvas& canvas) const {
    const CVarnelleDoc* doc = Doc();
    if (!doc || m_nSlide < 0 || m_nSlide >= SlideCount()) return;
    const std::string& path = doc->m_astrSlides[static_cast<std::size_t>(m_nSlide)];
    if (path.empty()) return;
    canvas.DrawOverlayText(kCaptionOffset.x, kCaptionOffset.y, kCaptionColour, m_textTools.GetFileName(path));
}

void CVarnelleView::AfterFirstDraw() {
    CVarnelleDoc* doc = Doc();
    m_bFirstDraw = 0;
    doc->SetZoomTarget(this);
    if (SlideCount() == 0) {
        m_bAutoIdle = 1;
        if (doc->m_bFullScreen) {
            doc->m_bFullScreen = 0;
            services_.window.RecalcFrameLayout();
        }
    } else {
        StartAutoAdvance();
    }
}

bool CVarnelleView::StartTimer() {
    if (services_.timers.SetTimer(kAutoAdvanceTimer, PagePeriodMilliseconds(m_fPageInterval))) return true;
    services_.messages.Show({texts::kTimerRefused, "", platform::MessageIcon::Warning, platform::MessageButtons::Ok, false});
    m_bAutoAdvance = 0;
    m_bAutoIdle = 1;
    return false;
}

void CVarnelleView::StartAutoAdvance() {
    m_bAutoAdvance = 1;
    m_bAutoIdle = 0;
    StartTimer();
}

void CVarnelleView::StopAutoAdvance() {
    m_bAutoAdvance = 0;
    services_.timers.KillTimer(kAutoAdvanceTimer);
    m_bAutoIdle = 1;
}

void CVarnelleView::OnTimer(int /*id: the view has only the one timer*/) {
    if (!Doc()) return;
    m_nSlide = NextSlideIndex(m_nSlide, SlideCount());
    ++m_nAutoTicks;
    services_.window.Invalidate();
}

void CVarnelleView::ChangeSpeed(bool faster) {
    services_.timers.KillTimer(kAutoAdvanceTimer);
    m_fPageInterval = faster ? FasterPageInterval(m_fPageInterval) : SlowerPageInterval(m_fPageInterval);
    m_fTransInterval = m_fPageInterval * 3.0f;
    StartTimer();
}

void CVarnelleView::StepSlide(bool forward) {
    const int count = SlideCount();
    m_nSlide = forward ? NextSlideIndex(m_nSlide, count) : PreviousSlideIndex(m_nSlide, count);
    services_.window.Invalidate();
}

void CVarnelleView::OnEscape() {
    CVarnelleDoc* doc = Doc();
    if (doc->m_bFullScreen) doc->m_bFullScreen = 0;
    services_.window.RecalcFrameLayout();
    if (m_bAutoAdvance) StopAutoAdvance();
}

void CVarnelleView::OnKeyDown(int virtualKey) {
    if (!Doc()) return;
    switch (KeyDownAction(virtualKey, m_bAutoAdvance != 0)) {
    case ViewKeyAction::Escape: OnEscape(); break;
    case ViewKeyAction::ZoomInAtMouse:
        ZoomIn();
        CenterOnMouse();
        break;
    case ViewKeyAction::ZoomOutAtMouse:
        ZoomOut();
        CenterOnMouse();
        break;
    case ViewKeyAction::Faster: ChangeSpeed(true); break;
    case ViewKeyAction::Slower: ChangeSpeed(false); break;
    case ViewKeyAction::PreviousSlide:
        m_bPrevIdle = 0;
        StepSlide(false);
        break;
    case ViewKeyAction::NextSlide:
        m_bNextIdle = 0;
        StepSlide(true);
        break;
    case ViewKeyAction::None: break;
    }
}

void CVarnelleView::OnKeyUp(int virtualKey) {
    if (m_bAutoAdvance) return;
    if (virtualKey == vk::kLeft) m_bPrevIdle = 1;
    else if (virtualKey == vk::kRight) m_bNextIdle = 1;
    else return;
    services_.window.Invalidate();
}

void CVarnelleView::OnMouseMove(Point point) {
    const Point scroll = services_.window.ScrollPosition();
    m_ptMouse = {point.x + scroll.x, point.y + scroll.y};
}

void CVarnelleView::OnLButtonDown(Point /*point*/) {
    CVarnelleDoc* doc = Doc();
    if (!doc) return;
    doc->m_bNavBarPressed = 1;
    services_.window.Invalidate();
}

void CVarnelleView::OnLButtonUp(Point /*point*/) {
    CVarnelleDoc* doc = Doc();
    if (!doc) return;
    doc->m_bNavBarPressed = 0;
    // A click off the navigator bar: stop the show and look closer where the mouse is.
    if (doc->m_nNavBarHotButton == 0) {
        if (m_bAutoAdvance) StopAutoAdvance();
        ZoomIn();
        CenterOnMouse();
    }
}

void CVarnelleView::OnRButtonDown(Point /*point*/) {
    if (Doc() && m_bAutoAdvance) StopAutoAdvance();
}

void CVarnelleView::OnRButtonUp(Point point) {
    if (!Doc()) return;
    const Point scroll = services_.window.ScrollPosition();
    m_ptMouse = {point.x + scroll.x, point.y + scroll.y};
    ZoomOut();
    CenterOnMouse();
}

void CVarnelleView::OnMouseWheel(int delta) { services_.window.ScrollPage(delta < 0); }

void CVarnelleView::ZoomIn() {
    m_nZoomLevel = std::min(m_nZoomLevel + 1, kMaxZoomLevel);
    ApplyZoomLevel(m_nZoomLevel);
}

void CVarnelleView::ZoomOut() {
    m_nZoomLevel = std::max(m_nZoomLevel - 1, kMinZoomLevel);
    ApplyZoomLevel(m_nZoomLevel);
}

void CVarnelleView::ApplyZoomLevel(int level) {
    CVarnelleDoc* doc = Doc();
    if (!doc) return;
    m_dZoom = ZoomFactorOfLevel(level);
    doc->m_fZoom = static_cast<float>(m_dZoom);
    doc->m_rcExtent = {0, 0, static_cast<int>(m_nImageWidth * m_dZoom), static_cast<int>(m_nImageHeight * m_dZoom)};
    SetScrollSizes(doc->m_rcExtent.Width(), doc->m_rcExtent.Height());
    services_.window.Invalidate();
}

void CVarnelleView::CenterOnMouse() {
    const Rect client = services_.window.ClientRect();
    const Point current = services_.window.ScrollPosition();
    const Point target = CenterOnMouseTarget(m_ptMouse, totalWidth_, totalHeight_, client.Width(), client.Height(), current);
    if (target != current) services_.window.ScrollToPosition(target);
}

void CVarnelleView::OnApplyZoom() {
    CVarnelleDoc* doc = Doc();
    if (!doc) return;
    m_dZoom = doc->m_fZoom;
    m_nZoomLevel = ZoomLevelFor(m_dZoom);
    ApplyZoomLevel(m_nZoomLevel);
    CenterOnMouse();
    services_.window.Invalidate();
}

bool CVarnelleView::HasCommand(int id) const {
    switch (id) {
    case cmd::ID_NAVIGATE_NEXT:
    case cmd::ID_NAVIGATE_PREV:
    case cmd::ID_NAVIGATE_AUTO:
    case ID_VIEW_APPLY_ZOOM: return true;
    case cmd::ID_FILE_PRINT:
    case cmd::ID_FILE_PRINT_DIRECT:
    case cmd::ID_FILE_PRINT_PREVIEW: return printHost_ != nullptr;
    default: return false;
    }
}

void CVarnelleView::OnCommand(int id) {
    switch (id) {
    case cmd::ID_NAVIGATE_NEXT:
        if (Doc()) StepSlide(true);
        break;
    case cmd::ID_NAVIGATE_PREV:
        if (Doc()) StepSlide(false);
        break;
    case cmd::ID_NAVIGATE_AUTO:
        m_nAutoTicks = 0;
        if (m_bAutoAdvance) StopAutoAdvance();
        else StartAutoAdvance();
        services_.window.Invalidate();
        break;
    case ID_VIEW_APPLY_ZOOM: OnApplyZoom(); break;
    case cmd::ID_FILE_PRINT:
    case cmd::ID_FILE_PRINT_DIRECT:
        if (printHost_) printHost_->OnFilePrint();
        break;
    case cmd::ID_FILE_PRINT_PREVIEW:
        if (printHost_) printHost_->OnFilePrintPreview();
        break;
    default: break;
    }
}

bool CVarnelleView::OnUpdateCommand(CmdUI& ui) {
    switch (ui.id) {
    case cmd::ID_NAVIGATE_NEXT:
    case cmd::ID_NAVIGATE_PREV: ui.Enable(!m_bAutoAdvance); return true;
    case cmd::ID_NAVIGATE_AUTO:
        ui.Enable();
        ui.SetCheck(m_bAutoAdvance != 0);
        return true;
    default: return false;
    }
}

void CVarnelleView::OnPrint(ViewCanvas& canvas) {
    printing_ = true;
    OnDraw(canvas);
    printing_ = false;
}

bool CVarnelleView::OnPreparePrinting(PrintInfo& info) {
    info.minPage = info.maxPage = 1;
    if (!printHost_ || !Doc()) return false;
    if (info.preview) return printHost_->DoPreparePrinting(info);
    if (!printHost_->GetPrinterDeviceDefaults()) {
        services_.messages.Show({texts::kNoDefaultPrinter, "", platform::MessageIcon::Warning,
                                 platform::MessageButtons::Ok, false});
        return false;
    }
    if (info.maxPage < info.minPage) info.maxPage = info.minPage;
    if (!info.hasPrinterDC) printHost_->CreatePrinterDC(info);
    info.fromPage = info.minPage;
    info.toPage = info.maxPage;
    bool preview = false;
    if (!printHost_->RunPrintDialog(preview)) return false;
    if (preview) {
        // This job ends here; the preview starts instead and prints nothing by itself.
        printHost_->SendToMainWindow(cmd::ID_FILE_PRINT_PREVIEW);
        return false;
    }
    info.fromPage = info.minPage;
    info.toPage = info.maxPage;
    if (!printHost_->DoPrintDialog(info) || !info.hasPrinterDC) return false;
    info.numPreviewPages = printHost_->NumPreviewPages();
    info.pageDescription = texts::kPageDescription;
    return true;
}

PrintMapping CVarnelleView::OnPrepareDC(int printerDpiX, int printerDpiY) const {
    const CVarnelleDoc* doc = Doc();
    if (!doc) return MapForPrinter(kFallbackPixelsPerInch, 0.0f, 0.0f, printerDpiX, printerDpiY);
    return MapForPrinter(doc->m_nPrintPixelsPerInch, doc->m_fPrintLeftPad, doc->m_fPrintTopPad, printerDpiX,
                         printerDpiY);
}
