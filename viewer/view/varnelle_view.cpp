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

CVarnelleView::CVarnelleView(ViewServices services) : services_(services), dibTools_(services.messages) {
    services_.pictures.SetReadyCallback([this](int index) { OnPictureReady(index); });
}

CVarnelleView::~CVarnelleView() {
    services_.pictures.SetReadyCallback({});
    FreeSlide();
}

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
    // The old show's pictures and planned decodes are of no use any more.
    ReleaseSlide();
    services_.pictures.NewShow(doc->m_astrSlides);
    pending_ = false;
    forward_ = true;
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

void CVarnelleView::ReleaseSlide() {
    if (!m_dibSlide.header.empty() && !m_dibSlide.bits.empty() && m_nImageWidth > 0 && m_nImageHeight > 0) {
        services_.pictures.ReturnSlidePicture(m_nDrawnSlide, m_strSlidePath,
                                              SlidePicture{std::move(m_dibSlide), m_nImageWidth, m_nImageHeight,
                                                           pictureReduction_});
    }
    m_dibSlide = {};
    pictureReduction_ = 0;
    FreeSlide();
}

bool CVarnelleView::LoadSlideImage(int index) {
    CVarnelleDoc* doc = Doc();
    if (!doc || index < 0 || index >= SlideCount()) return true;
    const std::string& path = doc->m_astrSlides[static_cast<std::size_t>(index)];
    const Rect client = services_.window.ClientRect();
    SlidePicture picture;
    SlidePictureSource::Fetch fetched = SlidePictureSource::Fetch::Failed;
    if (IsSlideExtension(m_textTools.GetExtension(path)))
        fetched = services_.pictures.FetchSlidePicture(index, path, PictureNeed::Fit(client.Width(), client.Height()),
                                                       forward_, picture, services_.messages);
    if (fetched == SlidePictureSource::Fetch::Pending) return false;
    ReleaseSlide();
    m_strSlidePath = path;
    if (fetched == SlidePictureSource::Fetch::Failed || picture.fullWidth <= 0 || picture.fullHeight <= 0) {
        m_nImageWidth = m_nImageHeight = 0;
        dibTools_.FreeDib(picture.dib);
        FreeSlide();
        return true;
    }
    m_dibSlide = std::move(picture.dib);
    pictureReduction_ = picture.reduction;
    // Geometry is the full picture's, whatever scale it is stored at.
    m_nImageWidth = picture.fullWidth;
    m_nImageHeight = picture.fullHeight;
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
    return true;
}

void CVarnelleView::RefinePicture() {
    CVarnelleDoc* doc = Doc();
    if (!doc || m_dibSlide.header.empty() || pictureReduction_ <= ReductionForZoom(m_dZoom)) return;
    if (m_nDrawnSlide < 0 || m_nDrawnSlide >= SlideCount()) return;
    SlidePicture finer;
    if (services_.pictures.FetchSlidePicture(m_nDrawnSlide, m_strSlidePath, PictureNeed::AtZoom(m_dZoom), forward_,
                                             finer, services_.messages) != SlidePictureSource::Fetch::Ready)
        return;
    // A file that changed meanwhile keeps the picture the geometry was made for.
    if (finer.fullWidth != m_nImageWidth || finer.fullHeight != m_nImageHeight ||
        finer.reduction >= pictureReduction_) {
        services_.pictures.ReturnSlidePicture(m_nDrawnSlide, m_strSlidePath, std::move(finer));
        return;
    }
    SlidePicture coarse{std::move(m_dibSlide), m_nImageWidth, m_nImageHeight, pictureReduction_};
    m_dibSlide = std::move(finer.dib);
    pictureReduction_ = finer.reduction;
    services_.pictures.ReturnSlidePicture(m_nDrawnSlide, m_strSlidePath, std::move(coarse));
}

void CVarnelleView::StretchSlide(ViewCanvas& canvas, const Rect& destination, const Rect& src) {
    // Truncation can reach one pixel past the picture's edge; never read beyond it.
    const int right = std::min(src.right, m_nImageWidth);
    const int bottom = std::min(src.bottom, m_nImageHeight);
    if (pictureReduction_ == 0) {
        canvas.StretchPicture(destination, src.left, m_nImageHeight - bottom, right - src.left, bottom - src.top,
                              m_dibSlide);
        return;
    }
    // The source rectangle is in full-picture pixels; the picture is stored smaller.
    const int storedWidth = static_cast<int>(dibheader::Get32(m_dibSlide.header.data(), dibheader::kWidthField));
    const int storedHeight = static_cast<int>(dibheader::Get32(m_dibSlide.header.data(), dibheader::kHeightField));
    const int left = src.left >> pictureReduction_;
    const int top = src.top >> pictureReduction_;
    const int storedRight = std::min(ReducedSide(right, pictureReduction_), storedWidth);
    const int storedBottom = std::min(ReducedSide(bottom, pictureReduction_), storedHeight);
    canvas.StretchPicture(destination, left, storedHeight - storedBottom, storedRight - left, storedBottom - top,
                          m_dibSlide);
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
        pending_ = false;
        if (m_nSlide != m_nDrawnSlide) {
            // Until the new slide's picture is decoded, the one on screen stays.
            pending_ = !LoadSlideImage(m_nSlide);
            if (!pending_) doc->m_nCurrentSlide = m_nSlide + 1;
        } else {
            RefinePicture();
        }
        const int zw = static_cast<int>(m_nImageWidth * m_dZoom);
        const int zh = static_cast<int>(m_nImageHeight * m_dZoom);
        const SlidePlacement placement = PlaceSlide(m_rects, zw, zh, m_dZoom, scroll, cw, ch);
        if (!m_dibSlide.header.empty() && !m_dibSlide.bits.empty())
            StretchSlide(canvas, placement.destination, placement.source);
    }
    canvas.CopyCompositionToScreen();
    DrawCaption(canvas);
    if (!pending_) m_nDrawnSlide = m_nSlide;
    if (m_bFirstDraw) AfterFirstDraw();
}

void CVarnelleView::OnPictureReady(int index) {
    if (index == m_nSlide) services_.window.Invalidate();
}

void CVarnelleView::DrawCaption(ViewCanvas& canvas) const {
    const CVarnelleDoc* doc = Doc();
    // The caption names the slide whose picture is on screen.
    const int slide = pending_ ? m_nDrawnSlide : m_nSlide;
    if (!doc || slide < 0 || slide >= SlideCount()) return;
    const std::string& path = doc->m_astrSlides[static_cast<std::size_t>(slide)];
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
    forward_ = true;
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
    forward_ = forward;
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
