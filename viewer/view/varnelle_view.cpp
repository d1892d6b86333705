#include "viewer/view/varnelle_view.h"

#include "platform/clock.h"
#include "viewer/document/varnelle_doc.h"
#include "viewer/res/command_ids.h"
#include "viewer/view/view_keys.h"
#include "viewer/view/view_overlays.h"

CVarnelleView::CVarnelleView(ViewServices services)
    : services_(services),
      m_transition(services.clock),
      show_(services.timers, services.messages),
      picture_(services.pictures, services.messages, services.heap),
      zoom_(services.window, picture_),
      printJob_(services.messages),
      gate_(m_transition) {
    services_.pictures.SetReadyCallback([this](int index) { OnPictureReady(index); });
    AddCommands();
}

CVarnelleView::~CVarnelleView() { services_.pictures.SetReadyCallback({}); }

int CVarnelleView::SlideCount() const {
    const CVarnelleDoc* doc = Doc();
    return doc ? static_cast<int>(doc->m_astrSlides.size()) : 0;
}

void CVarnelleView::OnInitialUpdate() {
    CVarnelleDoc* doc = Doc();
    if (!doc) return;
    zoom_.Reset(*doc);
    show_.KillTimer();
    // A sweep of the old show is not finished.
    DropSweep();
    // The old show's pictures and planned decodes are of no use any more.
    picture_.Reset();
    services_.pictures.NewShow(doc->m_astrSlides);
    show_.Reset(doc->m_nFirstSlide);
    navBar_.Reset();
    paint_ = PaintState{};
}

void CVarnelleView::DropSweep() {
    if (!m_transition.Sweeping()) return;
    m_transition.Cancel();
    // The input that waited for the sweep is handled all the same.
    services_.window.Post([this] { RunDeferredInput(); });
}

CVarnelleView::PaintArea CVarnelleView::BeginPaint(CVarnelleDoc& doc, ViewCanvas& canvas) {
    const Rect client = services_.window.ClientRect();
    const Point scroll = services_.window.ScrollPosition();
    const Point origin = services_.window.ClientOriginOnScreen();
    doc.m_ptScroll = scroll;
    doc.m_rcClient = client;
    doc.m_rcClientScreen = {client.left + origin.x, client.top + origin.y, client.right + origin.x,
                            client.bottom + origin.y};
    canvas.BeginComposition(client.Width(), client.Height());
    return {scroll, client.Width(), client.Height()};
}

bool CVarnelleView::BringSlide(CVarnelleDoc& doc) {
    const int slide = show_.Slide();
    if (slide == picture_.DrawnSlide()) return false;
    const Rect client = services_.window.ClientRect();
    ShownPicture::Take taken = ShownPicture::Take::Failed;
    if (slide >= 0 && slide < SlideCount())
        taken = picture_.TakeSlide(slide, doc.m_astrSlides[static_cast<std::size_t>(slide)], client, show_.Forward());
    // Until the new slide's picture is decoded, the one on screen stays.
    paint_.pending = taken == ShownPicture::Take::Pending;
    if (taken == ShownPicture::Take::Shown) zoom_.Fit(doc, client);
    if (!paint_.pending) doc.m_nCurrentSlide = slide + 1;
    return true;
}

void CVarnelleView::OnDraw(ViewCanvas& canvas) {
    CVarnelleDoc* doc = Doc();
    if (!doc) {
        DropSweep();
        return;
    }
    if (m_transition.Sweeping()) {
        m_transition.SetTarget(&canvas);
        m_transition.DrawDuePasses();
        EndFrame(canvas);
        return;
    }
    const auto [scroll, cw, ch] = BeginPaint(*doc, canvas);
    if (SlideCount() > 0) {
        paint_.pending = false;
        if (!BringSlide(*doc)) picture_.Refine(zoom_.Factor(), show_.Forward(), SlideCount(), scroll, cw, ch);
        picture_.Draw(canvas, zoom_.Factor(), scroll, cw, ch);
    }
    doc->m_rcClient = services_.window.ClientRect();
    // The slide on screen, kept while the next is decoded, is put back as it is.
    if (paint_.pending) {
        m_transition.SetBlit({&canvas, 0, 0, cw, ch, 0, 0, cw, ch});
        m_transition.CopyWhole();
    } else {
        ChooseTransition(canvas, cw, ch);
    }
    EndFrame(canvas);
}

void CVarnelleView::OnPrint(ViewCanvas& canvas) {
    CVarnelleDoc* doc = Doc();
    if (!doc) {
        DropSweep();
        return;
    }
    const auto [scroll, cw, ch] = BeginPaint(*doc, canvas);
    if (SlideCount() > 0) {
        paint_.pending = false;
        BringSlide(*doc);
        picture_.DrawForPage(canvas, zoom_.Factor(), scroll, cw, ch);
    }
    // The printed page is the picture alone: no transition, no bar, no texts. While the
    // next slide is still decoding, that is the slide on screen.
    canvas.CopyComposition({0, 0, cw, ch}, {0, 0, cw, ch});
    if (!paint_.pending) picture_.MarkDrawn(show_.Slide());
}

void CVarnelleView::ChooseTransition(ViewCanvas& canvas, int width, int height) {
    random_.Seed(TransitionSeed(services_.clock.SecondsSinceEpoch()));
    m_transition.SetDuration(show_.TransInterval());
    // The canvas draws in window coordinates, so the scroll position is left out.
    m_transition.SetBlit({&canvas, 0, 0, width, height, 0, 0, width, height});
    const SweepChoice choice = show_.ChooseSweep();
    if (choice.hideCursor) services_.window.SetCursor(ViewCursor::Hidden);
    if (choice.sweep) m_transition.Play(show_.PickEffect(random_));
    else m_transition.CopyWhole();
}

void CVarnelleView::EndFrame(ViewCanvas& canvas) {
    if (m_transition.Sweeping()) services_.window.RequestFrame(m_transition.NextPassDue());
    else FinishPaint(canvas);
}

void CVarnelleView::FinishPaint(ViewCanvas& canvas) {
    if (CVarnelleDoc* doc = Doc()) navBar_.Draw(canvas, *doc);
    if (show_.ShowsSpeedHint()) DrawSpeedHint(canvas, services_.window.ClientRect());
    DrawCaption(canvas);
    const bool shown = !paint_.pending;
    if (shown) picture_.MarkDrawn(show_.Slide());
    // The show starts once its first slide is on screen, which is then put there plainly.
    if (paint_.m_bFirstDraw && shown) AfterFirstDraw();
    // Input held during a sweep, and a tick held for this slide, are taken after the paint.
    if (shown && (show_.HoldsTick() || gate_.Holding())) services_.window.Post([this] { RunDeferredInput(); });
}

void CVarnelleView::DrawCaption(ViewCanvas& canvas) const {
    const CVarnelleDoc* doc = Doc();
    const int slide = paint_.pending ? picture_.DrawnSlide() : show_.Slide();
    if (doc && slide >= 0 && slide < SlideCount())
        ::DrawCaption(canvas, doc->m_astrSlides[static_cast<std::size_t>(slide)]);
}

void CVarnelleView::AfterFirstDraw() {
    CVarnelleDoc* doc = Doc();
    paint_.m_bFirstDraw = 0;
    doc->SetZoomTarget(this);
    if (SlideCount() == 0) {
        navBar_.SetIdle(kNavAutoButton, true);
        if (doc->m_bFullScreen) {
            doc->m_bFullScreen = 0;
            services_.window.RecalcFrameLayout();
        }
    } else {
        StartAutoAdvance();
    }
}

void CVarnelleView::StartAutoAdvance() {
    // A refused timer leaves the show stopped, and "AUTO" dark.
    navBar_.SetIdle(kNavAutoButton, !show_.Start());
}

void CVarnelleView::StopAutoAdvance() {
    show_.Stop();
    navBar_.SetIdle(kNavAutoButton, true);
}

void CVarnelleView::ToggleAutoAdvance() {
    if (show_.AutoAdvance()) StopAutoAdvance();
    else StartAutoAdvance();
    services_.window.Invalidate();
}

void CVarnelleView::OnTimer(int /*id: the view has only the one timer*/) {
    if (show_.HoldTick(m_transition.Sweeping(), picture_.DrawnSlide())) return;
    if (!Doc()) return;
    show_.Advance(SlideCount());
    services_.window.Invalidate();
}

void CVarnelleView::StepSlide(bool forward) {
    show_.Step(forward, SlideCount());
    services_.window.Invalidate();
}

void CVarnelleView::OnEscape() {
    CVarnelleDoc* doc = Doc();
    if (doc->m_bFullScreen) doc->m_bFullScreen = 0;
    services_.window.RecalcFrameLayout();
    if (show_.AutoAdvance()) StopAutoAdvance();
}

void CVarnelleView::RunDeferredInput() {
    if (m_transition.Sweeping()) return;
    gate_.RunHeld();
    if (show_.TakeHeldTick()) OnTimer(kAutoAdvanceTimer);
}

void CVarnelleView::OnScroll() {
    if (Defer([this] { OnScroll(); })) return;
    if (const CVarnelleDoc* doc = Doc()) services_.window.InvalidateRect(NavBarScrollArea(doc->m_rcNavBar));
}

void CVarnelleView::OnKeyDown(int virtualKey) {
    if (Defer([this, virtualKey] { OnKeyDown(virtualKey); })) return;
    CVarnelleDoc* doc = Doc();
    if (!doc) return;
    const ViewKeyAction action = KeyDownAction(virtualKey, show_.AutoAdvance());
    switch (action) {
    case ViewKeyAction::Escape: OnEscape(); break;
    case ViewKeyAction::ZoomInAtMouse:
        zoom_.In(*doc);
        zoom_.CenterOnMouse();
        break;
    case ViewKeyAction::ZoomOutAtMouse:
        zoom_.Out(*doc);
        zoom_.CenterOnMouse();
        break;
    case ViewKeyAction::Faster:
    case ViewKeyAction::Slower:
        // A refused timer leaves the show stopped, and "AUTO" dark.
        if (!show_.ChangeSpeed(action == ViewKeyAction::Faster)) navBar_.SetIdle(kNavAutoButton, true);
        break;
    case ViewKeyAction::PreviousSlide:
        navBar_.SetIdle(kNavPrevButton, false);
        StepSlide(false);
        break;
    case ViewKeyAction::NextSlide:
        navBar_.SetIdle(kNavNextButton, false);
        StepSlide(true);
        break;
    case ViewKeyAction::None: break;
    }
}

void CVarnelleView::OnKeyUp(int virtualKey) {
    if (Defer([this, virtualKey] { OnKeyUp(virtualKey); })) return;
    if (show_.AutoAdvance()) return;
    if (virtualKey == vk::kLeft) navBar_.SetIdle(kNavPrevButton, true);
    else if (virtualKey == vk::kRight) navBar_.SetIdle(kNavNextButton, true);
    else return;
    services_.window.Invalidate();
}

void CVarnelleView::UpdateCursor() {
    if (const CVarnelleDoc* doc = Doc()) services_.window.SetCursor(navBar_.Cursor(*doc, picture_.Loaded()));
}

void CVarnelleView::OnMouseMove(Point point) {
    if (Defer([this, point] { OnMouseMove(point); }, true)) return;
    if (CVarnelleDoc* doc = Doc()) navBar_.HitTest(*doc, point);
    UpdateCursor();
    zoom_.SetMouse(point);
}

void CVarnelleView::OnLButtonDown(Point point) {
    if (Defer([this, point] { OnLButtonDown(point); })) return;
    CVarnelleDoc* doc = Doc();
    if (!doc) return;
    doc->m_bNavBarPressed = 1;
    UpdateCursor();
    navBar_.Press(doc->m_nNavBarHotButton);
    services_.window.Invalidate();
}

void CVarnelleView::OnLButtonUp(Point point) {
    if (Defer([this, point] { OnLButtonUp(point); })) return;
    CVarnelleDoc* doc = Doc();
    if (!doc) return;
    doc->m_bNavBarPressed = 0;
    UpdateCursor();
    switch (navBar_.Release(doc->m_nNavBarHotButton, show_.AutoAdvance())) {
    case NavAction::StopShow:
        StopAutoAdvance();
        services_.window.Invalidate();
        break;
    case NavAction::PreviousSlide: StepSlide(false); break;
    case NavAction::NextSlide: StepSlide(true); break;
    case NavAction::ToggleShow: ToggleAutoAdvance(); break;
    case NavAction::Exit: services_.window.SendCommand(cmd::ID_APP_EXIT); break;
    case NavAction::ZoomInAtMouse:
        if (show_.AutoAdvance()) StopAutoAdvance();
        zoom_.In(*doc);
        zoom_.CenterOnMouse();
        break;
    }
}

void CVarnelleView::OnRButtonDown(Point point) {
    if (Defer([this, point] { OnRButtonDown(point); })) return;
    if (!Doc()) return;
    UpdateCursor();
    if (show_.AutoAdvance()) StopAutoAdvance();
}

void CVarnelleView::OnRButtonUp(Point point) {
    if (Defer([this, point] { OnRButtonUp(point); })) return;
    CVarnelleDoc* doc = Doc();
    if (!doc) return;
    zoom_.SetMouse(point);
    zoom_.Out(*doc);
    zoom_.CenterOnMouse();
}

void CVarnelleView::OnMouseWheel(int delta) {
    if (Defer([this, delta] { OnMouseWheel(delta); })) return;
    services_.window.ScrollPage(delta < 0);
}

void CVarnelleView::ApplyZoomLevel(int level) {
    if (CVarnelleDoc* doc = Doc()) zoom_.ApplyLevel(*doc, level);
}

void CVarnelleView::OnApplyZoom() {
    CVarnelleDoc* doc = Doc();
    if (!doc) return;
    zoom_.ApplyDocumentZoom(*doc);
    zoom_.CenterOnMouse();
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
    const auto steps = [this](CmdUI& ui) { ui.Enable(!show_.AutoAdvance()); };
    AddViewCommand(cmd::ID_NAVIGATE_NEXT, [this] { if (Doc()) StepSlide(true); }, steps);
    AddViewCommand(cmd::ID_NAVIGATE_PREV, [this] { if (Doc()) StepSlide(false); }, steps);
    AddViewCommand(
        cmd::ID_NAVIGATE_AUTO,
        [this] {
            show_.RestartTickCount();
            ToggleAutoAdvance();
        },
        [this](CmdUI& ui) {
            ui.Enable();
            ui.SetCheck(show_.AutoAdvance());
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
    AddViewCommand(
        cmd::ID_NAVIGATE_NAVBAR,
        [this] {
            CVarnelleDoc* doc = Doc();
            if (doc && dialogs_ && navBar_.EditSettings(*doc, *dialogs_)) services_.window.Invalidate();
        },
        [this](CmdUI& ui) { navBar_.UpdateSettingsItem(ui, Doc(), show_.AutoAdvance()); });
    AddViewCommand(cmd::ID_NAVIGATE_TRANSITIONS, [this] {
        if (dialogs_) show_.EditTransitions(*dialogs_);
    });
}

void CVarnelleView::SetPrintHost(ViewPrintHost* host) {
    printJob_.SetHost(host);
    if (!host) {
        for (int id : {cmd::ID_FILE_PRINT, cmd::ID_FILE_PRINT_DIRECT, cmd::ID_FILE_PRINT_PREVIEW}) RemoveCommand(id);
        return;
    }
    AddViewCommand(cmd::ID_FILE_PRINT, [this] { printJob_.Host()->OnFilePrint(); });
    AddViewCommand(cmd::ID_FILE_PRINT_DIRECT, [this] { printJob_.Host()->OnFilePrint(); });
    AddViewCommand(cmd::ID_FILE_PRINT_PREVIEW, [this] { printJob_.Host()->OnFilePrintPreview(); });
}
