#include "viewer/view/varnelle_view.h"

#include "imagelib/info_header.h"
#include "platform/clock.h"
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
constexpr RgbColour kHintColour{150, 150, 150};
// The hint's gap above the window's bottom edge.
constexpr int kHintMargin = 4;
// The hint shows until this many ticks have passed.
constexpr int kHintTicks = 6;
// Black around the bar's rounded ends lets the slide show through.
constexpr RgbColour kNavBarKey{0, 0, 0};
// Below this page interval (seconds) no sweep is drawn.
constexpr float kMinSweepPageInterval = 1.0f;

constexpr const char* kNavLabels[] = {texts::kNavPrevLabel, texts::kNavNextLabel, texts::kNavAutoLabel,
                                      texts::kNavExitLabel};

}  // namespace

CVarnelleView::CVarnelleView(ViewServices services)
    : m_transition(services.clock), services_(services), dibTools_(services.messages) {
    services_.pictures.SetReadyCallback([this](int index) { OnPictureReady(index); });
    AddCommands();
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
    KillTimer();
    // A sweep of the old show is not finished.
    DropSweep();
    // The old show's pictures and planned decodes are of no use any more.
    ReleaseSlide();
    services_.pictures.NewShow(doc->m_astrSlides);
    pending_ = false;
    forward_ = true;
    m_strSlidePath.clear();
    m_ptMouse = {};
    m_nImageWidth = m_nImageHeight = 0;
    m_nSlide = doc->m_nFirstSlide;  // the picture a file manager opened, else 0
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
    SyncTransInterval();
}

void CVarnelleView::OnDestroy() { KillTimer(); }

void CVarnelleView::KillTimer() {
    services_.timers.KillTimer(kAutoAdvanceTimer);
    // A tick that fell due is gone with its timer.
    tickDeferred_ = false;
}

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
    // A picture that is not the full size at its stated scale would be read past its end.
    const bool consistent =
        fetched == SlidePictureSource::Fetch::Ready && picture.fullWidth > 0 && picture.fullHeight > 0 &&
        !picture.dib.header.empty() &&
        static_cast<int>(dibheader::Get32(picture.dib.header.data(), dibheader::kWidthField)) >=
            (picture.reduction == 0 ? picture.fullWidth : 1) &&
        static_cast<int>(dibheader::Get32(picture.dib.header.data(), dibheader::kHeightField)) >=
            (picture.reduction == 0 ? picture.fullHeight : 1);
    if (!consistent) {
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

void CVarnelleView::StretchSlide(ViewCanvas& canvas, const Rect& destination, const Rect& src,
                                 const DibImage& picture, int reduction) {
    // Truncation can reach one pixel past the picture's edge; never read beyond it.
    const int right = std::min(src.right, m_nImageWidth);
    const int bottom = std::min(src.bottom, m_nImageHeight);
    if (reduction == 0) {
        canvas.StretchPicture(destination, src.left, m_nImageHeight - bottom, right - src.left, bottom - src.top,
                              picture);
        return;
    }
    // The source rectangle is in full-picture pixels; the picture is stored smaller.
    const int storedWidth = static_cast<int>(dibheader::Get32(picture.header.data(), dibheader::kWidthField));
    const int storedHeight = static_cast<int>(dibheader::Get32(picture.header.data(), dibheader::kHeightField));
    const int left = std::min(src.left >> reduction, storedWidth);
    const int top = std::min(src.top >> reduction, storedHeight);
    const int storedRight = std::min(ReducedSide(right, reduction), storedWidth);
    const int storedBottom = std::min(ReducedSide(bottom, reduction), storedHeight);
    canvas.StretchPicture(destination, left, storedHeight - storedBottom, storedRight - left, storedBottom - top,
                          picture);
}

void CVarnelleView::DropSweep() {
    if (!m_transition.Sweeping()) return;
    m_transition.Cancel();
    // The input that waited for the sweep is handled all the same.
    services_.window.Post([this] { RunDeferredInput(); });
}

void CVarnelleView::OnDraw(ViewCanvas& canvas) {
    CVarnelleDoc* doc = Doc();
    if (!doc) {
        DropSweep();
        return;
    }
    if (m_transition.Sweeping() && !printing_) {
        ContinueTransition(canvas);
        return;
    }
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
        } else if (!printing_) {
            RefinePicture();
        }
        const int zw = static_cast<int>(m_nImageWidth * m_dZoom);
        const int zh = static_cast<int>(m_nImageHeight * m_dZoom);
        const SlidePlacement placement = PlaceSlide(m_rects, zw, zh, m_dZoom, scroll, cw, ch);
        // The page is printed from the full picture, decoded for it alone, whatever scale the
        // screen's picture is stored at.
        DibImage full;
        if (printing_ && pictureReduction_ > 0 && !m_dibSlide.header.empty() &&
            services_.pictures.LoadSlidePicture(m_nDrawnSlide, m_strSlidePath, full) &&
            static_cast<int>(dibheader::Get32(full.header.data(), dibheader::kWidthField)) == m_nImageWidth &&
            static_cast<int>(dibheader::Get32(full.header.data(), dibheader::kHeightField)) == m_nImageHeight)
            StretchSlide(canvas, placement.destination, placement.source, full, 0);
        else if (!m_dibSlide.header.empty() && !m_dibSlide.bits.empty())
            StretchSlide(canvas, placement.destination, placement.source, m_dibSlide, pictureReduction_);
        dibTools_.FreeDib(full);
    }
    if (printing_) {
        // The printed page is the picture alone: no transition, no bar, no texts. While the
        // next slide is still decoding, that is the slide on screen.
        canvas.CopyComposition({0, 0, cw, ch}, {0, 0, cw, ch});
        if (!pending_) m_nDrawnSlide = m_nSlide;
        return;
    }
    doc->m_rcClient = services_.window.ClientRect();
    // The slide on screen, kept while the next is decoded, is put back as it is.
    if (pending_) {
        m_transition.SetBlit({&canvas, 0, 0, cw, ch, 0, 0, cw, ch});
        m_transition.CopyWhole();
    } else {
        ChooseTransition(canvas, cw, ch);
    }
    if (m_transition.Sweeping()) {
        services_.window.RequestFrame(m_transition.NextPassDue());
        return;
    }
    FinishPaint(canvas);
}

void CVarnelleView::ChooseTransition(ViewCanvas& canvas, int width, int height) {
    random_.Seed(TransitionSeed(services_.clock.SecondsSinceEpoch()));
    m_transition.SetDuration(m_fTransInterval);
    // The canvas draws in window coordinates, so the scroll position is left out.
    m_transition.SetBlit({&canvas, 0, 0, width, height, 0, 0, width, height});
    bool sweep = false;
    switch (m_nTransitionMode) {
    case 0:
        if (m_bAutoAdvance) {
            services_.window.SetCursor(ViewCursor::Hidden);
            sweep = m_fPageInterval >= kMinSweepPageInterval;
        }
        break;
    case 1: sweep = m_fPageInterval >= kMinSweepPageInterval; break;
    default: break;
    }
    if (!sweep) {
        m_transition.CopyWhole();
        return;
    }
    m_nLastEffect = RandomInRange(random_, 1, 8);
    if (m_nLastEffect > 8) m_nLastEffect = 1;
    m_transition.Play(m_nLastEffect);
}

void CVarnelleView::ContinueTransition(ViewCanvas& canvas) {
    m_transition.SetTarget(&canvas);
    m_transition.DrawDuePasses();
    if (m_transition.Sweeping()) {
        services_.window.RequestFrame(m_transition.NextPassDue());
        return;
    }
    FinishPaint(canvas);
}

void CVarnelleView::FinishPaint(ViewCanvas& canvas) {
    DrawNavBar(canvas);
    DrawSpeedHint(canvas);
    DrawCaption(canvas);
    if (!pending_) m_nDrawnSlide = m_nSlide;
    // The show starts once its first slide is on screen, which is then put there plainly.
    if (m_bFirstDraw && !pending_) AfterFirstDraw();
    // Input held during a sweep, and a tick held for this slide, are taken after the paint.
    if (!pending_ && (tickDeferred_ || !deferred_.empty())) services_.window.Post([this] { RunDeferredInput(); });
}

void CVarnelleView::OnPictureReady(int index) {
    if (index == m_nSlide) services_.window.Invalidate();
}

void CVarnelleView::PlaceNavBar() {
    CVarnelleDoc* doc = Doc();
    if (doc) doc->m_rcNavBar = ::PlaceNavBar(doc->m_rcNavBar, doc->m_nNavBarCorner, doc->m_rcClient);
}

void CVarnelleView::DrawNavBar(ViewCanvas& canvas) {
    PlaceNavBar();
    const CVarnelleDoc* doc = Doc();
    if (!doc || !doc->m_bNavBarVisible) return;
    const Rect& bar = doc->m_rcNavBar;
    canvas.DrawKeyedPicture(bar, doc->m_dibNavBar, kNavBarKey);
    const int idle[] = {m_bPrevIdle, m_bNextIdle, m_bAutoIdle, m_bExitIdle};
    for (int button = 0; button < 4; ++button)
        canvas.DrawOverlayText(bar.left + kNavLabelOffsets[button], bar.top + kNavLabelTop,
                               idle[button] ? m_crLabelIdle : m_crLabelActive, kNavLabels[button]);
}

void CVarnelleView::DrawSpeedHint(ViewCanvas& canvas) const {
    if (!m_bAutoAdvance || m_nAutoTicks >= kHintTicks) return;
    const Rect client = services_.window.ClientRect();
    const TextExtent extent = canvas.OverlayTextExtent(texts::kSpeedHint);
    canvas.DrawOverlayText(client.Width() / 2 - extent.width / 2, client.Height() - extent.height - kHintMargin,
                           kHintColour, texts::kSpeedHint);
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
    KillTimer();
    m_bAutoIdle = 1;
}

void CVarnelleView::OnTimer(int /*id: the view has only the one timer*/) {
    // Ticks that fall due during a sweep, or while the slide the last tick asked for is still
    // decoding, make one tick once it is on screen: a due timer is reported once, and the show
    // never runs ahead of its pictures.
    if (m_transition.Sweeping() || (m_nSlide != m_nDrawnSlide && m_nDrawnSlide >= 0)) {
        tickDeferred_ = true;
        return;
    }
    if (!Doc()) return;
    m_nSlide = NextSlideIndex(m_nSlide, SlideCount());
    forward_ = true;
    ++m_nAutoTicks;
    services_.window.Invalidate();
}

void CVarnelleView::ChangeSpeed(bool faster) {
    KillTimer();
    m_fPageInterval = faster ? FasterPageInterval(m_fPageInterval) : SlowerPageInterval(m_fPageInterval);
    SyncTransInterval();
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

bool CVarnelleView::Defer(std::function<void()> task, bool mouseMove) {
    if (!m_transition.Sweeping()) return false;
    // As the platform does, only the latest of a run of mouse moves is kept.
    if (mouseMove && !deferred_.empty() && deferred_.back().mouseMove) deferred_.back().task = std::move(task);
    else deferred_.push_back({std::move(task), mouseMove});
    return true;
}

void CVarnelleView::RunDeferredInput() {
    if (m_transition.Sweeping()) return;
    std::vector<DeferredInput> inputs;
    inputs.swap(deferred_);
    for (DeferredInput& input : inputs) input.task();
    if (tickDeferred_) {
        tickDeferred_ = false;
        OnTimer(kAutoAdvanceTimer);
    }
}

void CVarnelleView::OnScroll() {
    if (Defer([this] { OnScroll(); })) return;
    const CVarnelleDoc* doc = Doc();
    if (doc) services_.window.InvalidateRect(NavBarScrollArea(doc->m_rcNavBar));
}

void CVarnelleView::OnKeyDown(int virtualKey) {
    if (Defer([this, virtualKey] { OnKeyDown(virtualKey); })) return;
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
    if (Defer([this, virtualKey] { OnKeyUp(virtualKey); })) return;
    if (m_bAutoAdvance) return;
    if (virtualKey == vk::kLeft) m_bPrevIdle = 1;
    else if (virtualKey == vk::kRight) m_bNextIdle = 1;
    else return;
    services_.window.Invalidate();
}

void CVarnelleView::HitTestNavBar(Point point) {
    CVarnelleDoc* doc = Doc();
    if (!doc) return;
    doc->m_nNavBarHotButton = doc->m_bNavBarVisible ? ::HitTestNavBar(doc->m_rcNavBar, point) : kNavNoButton;
}

void CVarnelleView::UpdateCursor() {
    const CVarnelleDoc* doc = Doc();
    if (!doc) return;
    const bool loaded = !m_dibSlide.header.empty();
    services_.window.SetCursor(NavBarCursor(doc->m_nNavBarHotButton, doc->m_bNavBarPressed != 0, loaded));
}

void CVarnelleView::OnMouseMove(Point point) {
    if (Defer([this, point] { OnMouseMove(point); }, true)) return;
    HitTestNavBar(point);
    UpdateCursor();
    const Point scroll = services_.window.ScrollPosition();
    m_ptMouse = {point.x + scroll.x, point.y + scroll.y};
}

void CVarnelleView::OnLButtonDown(Point point) {
    if (Defer([this, point] { OnLButtonDown(point); })) return;
    CVarnelleDoc* doc = Doc();
    if (!doc) return;
    doc->m_bNavBarPressed = 1;
    UpdateCursor();
    switch (doc->m_nNavBarHotButton) {
    case kNavPrevButton: m_bPrevIdle = 0; break;
    case kNavNextButton: m_bNextIdle = 0; break;
    case kNavAutoButton: m_bAutoIdle = !m_bAutoIdle; break;
    case kNavExitButton: m_bExitIdle = 0; break;
    default: break;
    }
    services_.window.Invalidate();
}

void CVarnelleView::OnLButtonUp(Point point) {
    if (Defer([this, point] { OnLButtonUp(point); })) return;
    CVarnelleDoc* doc = Doc();
    if (!doc) return;
    doc->m_bNavBarPressed = 0;
    UpdateCursor();
    switch (doc->m_nNavBarHotButton) {
    case kNavPrevButton:
    case kNavNextButton: {
        const bool next = doc->m_nNavBarHotButton == kNavNextButton;
        (next ? m_bNextIdle : m_bPrevIdle) = 1;
        // While the show runs, the first click only stops it on the slide shown.
        if (m_bAutoAdvance) {
            StopAutoAdvance();
            services_.window.Invalidate();
        } else {
            StepSlide(next);
        }
        break;
    }
    case kNavAutoButton:
        if (m_bAutoAdvance) StopAutoAdvance();
        else StartAutoAdvance();
        services_.window.Invalidate();
        break;
    case kNavExitButton:
        m_bExitIdle = 1;
        services_.window.SendCommand(cmd::ID_APP_EXIT);
        break;
    default:
        // A click off the navigator bar: stop the show and look closer where the mouse is.
        if (m_bAutoAdvance) StopAutoAdvance();
        ZoomIn();
        CenterOnMouse();
        break;
    }
}

void CVarnelleView::OnRButtonDown(Point point) {
    if (Defer([this, point] { OnRButtonDown(point); })) return;
    if (!Doc()) return;
    UpdateCursor();
    if (m_bAutoAdvance) StopAutoAdvance();
}

void CVarnelleView::OnRButtonUp(Point point) {
    if (Defer([this, point] { OnRButtonUp(point); })) return;
    if (!Doc()) return;
    const Point scroll = services_.window.ScrollPosition();
    m_ptMouse = {point.x + scroll.x, point.y + scroll.y};
    ZoomOut();
    CenterOnMouse();
}

void CVarnelleView::OnMouseWheel(int delta) {
    if (Defer([this, delta] { OnMouseWheel(delta); })) return;
    services_.window.ScrollPage(delta < 0);
}

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

void CVarnelleView::AddViewCommand(int id, std::function<void()> run, std::function<void(CmdUI&)> update) {
    AddCommand(
        id,
        [this, id, run = std::move(run)] {
            if (!Defer([this, id] { OnCommand(id); })) run();
        },
        std::move(update));
}

void CVarnelleView::AddCommands() {
    const auto steps = [this](CmdUI& ui) { ui.Enable(!m_bAutoAdvance); };
    AddViewCommand(cmd::ID_NAVIGATE_NEXT, [this] { if (Doc()) StepSlide(true); }, steps);
    AddViewCommand(cmd::ID_NAVIGATE_PREV, [this] { if (Doc()) StepSlide(false); }, steps);
    AddViewCommand(
        cmd::ID_NAVIGATE_AUTO,
        [this] {
            m_nAutoTicks = 0;
            if (m_bAutoAdvance) StopAutoAdvance();
            else StartAutoAdvance();
            services_.window.Invalidate();
        },
        [this](CmdUI& ui) {
            ui.Enable();
            ui.SetCheck(m_bAutoAdvance != 0);
        });
    AddViewCommand(cmd::ID_VIEW_APPLY_ZOOM, [this] { OnApplyZoom(); });
}

void CVarnelleView::SetDialogs(ViewDialogs* dialogs) {
    dialogs_ = dialogs;
    if (!dialogs) {
        RemoveCommand(cmd::ID_NAVIGATE_NAVBAR);
        RemoveCommand(cmd::ID_NAVIGATE_TRANSITIONS);
        return;
    }
    AddViewCommand(cmd::ID_NAVIGATE_NAVBAR, [this] { OnNavigatorBar(); }, [this](CmdUI& ui) {
        const CVarnelleDoc* doc = Doc();
        ui.Enable(!m_bAutoAdvance);
        if (!m_bAutoAdvance && doc) ui.SetCheck(doc->m_bNavBarVisible != 0);
    });
    AddViewCommand(cmd::ID_NAVIGATE_TRANSITIONS, [this] { OnScreenTransition(); });
}

void CVarnelleView::SetPrintHost(ViewPrintHost* host) {
    printHost_ = host;
    if (!host) {
        for (int id : {cmd::ID_FILE_PRINT, cmd::ID_FILE_PRINT_DIRECT, cmd::ID_FILE_PRINT_PREVIEW}) RemoveCommand(id);
        return;
    }
    AddViewCommand(cmd::ID_FILE_PRINT, [this] { printHost_->OnFilePrint(); });
    AddViewCommand(cmd::ID_FILE_PRINT_DIRECT, [this] { printHost_->OnFilePrint(); });
    AddViewCommand(cmd::ID_FILE_PRINT_PREVIEW, [this] { printHost_->OnFilePrintPreview(); });
}

void CVarnelleView::OnNavigatorBar() {
    CVarnelleDoc* doc = Doc();
    if (!doc || !dialogs_) return;
    int show = doc->m_bNavBarVisible;
    int corner = doc->m_nNavBarCorner;
    if (!dialogs_->RunNavBar(show, corner)) return;
    doc->m_bNavBarVisible = show;
    doc->m_nNavBarCorner = corner;
    services_.window.Invalidate();
}

// A running timer keeps its period until the show is next started or its speed changed.
void CVarnelleView::OnScreenTransition() {
    if (!dialogs_) return;
    int mode = m_nTransitionMode;
    float page = m_fPageInterval;
    float transition = m_fTransInterval;
    if (!dialogs_->RunTransitions(mode, page, transition)) return;
    m_nTransitionMode = mode;
    m_fPageInterval = page;
    m_fTransInterval = transition;
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
