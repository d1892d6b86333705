#pragma once

#include "viewer/document/command_target.h"
#include "viewer/document/geometry.h"
#include "viewer/print/print_mapping.h"
#include "viewer/print/view_printing.h"
#include "viewer/view/input_gate.h"
#include "viewer/view/nav_bar_buttons.h"
#include "viewer/view/screen_transition.h"
#include "viewer/view/shown_picture.h"
#include "viewer/view/slide_show.h"
#include "viewer/view/view_dialogs.h"
#include "viewer/view/view_print_job.h"
#include "viewer/view/view_services.h"
#include "viewer/view/view_zoom.h"

#include "platform/runtime_random.h"

#include <functional>

namespace platform {
class Clock;
class Heap;
class MessageSink;
class TimerService;
}  // namespace platform

struct ViewServices {
    DocumentProvider& documents;
    ViewWindow& window;
    SlidePictureSource& pictures;
    platform::TimerService& timers;
    platform::MessageSink& messages;
    const platform::Clock& clock;
    platform::Heap& heap;  // compacted after each picture the view releases
};

// The slide view: the paint pass, keys, mouse, the timer and the view's commands, each
// handed to the part it concerns. Window-system free: the window, the canvas and the
// timers come in through interfaces.
//
// Where the view's state lives:
//   m_nSlide: SlideShow::Slide()                 m_bAutoAdvance: SlideShow::AutoAdvance()
//   m_fPageInterval: SlideShow::PageInterval()   m_fTransInterval: SlideShow::TransInterval()
//   m_nTransitionMode: SlideShow::TransitionMode()
//   m_nAutoTicks: SlideShow::AutoTicks()         m_nLastEffect: SlideShow::LastEffect()
//   m_dibSlide: ShownPicture (Loaded())          m_nDrawnSlide: ShownPicture::DrawnSlide()
//   m_strSlidePath: ShownPicture::Path()         m_rects: ShownPicture::Rects()
//   m_nImageWidth, m_nImageHeight: ShownPicture::Width(), Height()
//   m_textTools: ShownPicture (slide extensions)
//   m_dZoom: ViewZoom::Factor()  m_nZoomLevel: ViewZoom::Level()  m_ptMouse: ViewZoom::Mouse()
//   m_bPrevIdle, m_bNextIdle, m_bAutoIdle, m_bExitIdle: NavBarButtons::Idle(button)
//   m_crLabelIdle, m_crLabelActive: NavBarButtons::LabelColour(button)
//   m_transition: here                           m_bFirstDraw: here (PaintState)
class CVarnelleView final : public CommandTarget {
public:
    static constexpr int kAutoAdvanceTimer = SlideShow::kTimer;

    explicit CVarnelleView(ViewServices services);
    ~CVarnelleView() override;

    // Run for every new document: resets the view to its defaults.
    void OnInitialUpdate();
    // A screen paint: the whole paint pass, or, while a sweep is under way, its next frame.
    // The frames of one sweep come on the canvas its first frame was drawn on.
    void OnDraw(ViewCanvas& canvas);
    void OnDestroy() { show_.KillTimer(); }
    // The window is about to scroll its content.
    void OnScroll();

    void OnKeyDown(int virtualKey);
    void OnKeyUp(int virtualKey);
    // Mouse positions are in client coordinates.
    void OnMouseMove(Point point);
    void OnLButtonDown(Point point);
    void OnLButtonUp(Point point);
    void OnRButtonDown(Point point);
    void OnRButtonUp(Point point);
    void OnMouseWheel(int delta);
    void OnTimer(int id);
    // The picture source has the picture of slide `index` ready.
    void OnPictureReady(int index) {
        if (index == show_.Slide()) services_.window.Invalidate();
    }

    // While a sweep is drawn, input waits: it is handled, in order, once the sweep is over
    // (a due timer tick once, after the input).
    bool InTransition() const { return m_transition.Sweeping(); }

    // Until the dialog is given, Navigator Bar is not the view's command.
    void SetDialogs(ViewDialogs* dialogs);
    // Printing: the print loop (the host) asks first, then maps the printer and paints the
    // page through OnPrint: the picture alone, composed on white by the canvas.
    void SetPrintHost(ViewPrintHost* host);
    bool OnPreparePrinting(PrintInfo& info) { return printJob_.Prepare(info, Doc() != nullptr); }
    void OnPrint(ViewCanvas& canvas);
    // The printer mapping for a printer of the given pixels per inch.
    PrintMapping OnPrepareDC(int printerDpiX, int printerDpiY) const {
        return ViewPrintJob::MapFor(Doc(), printerDpiX, printerDpiY);
    }

    void StartAutoAdvance();
    void StopAutoAdvance();
    // Shows the slide at the level's factor (the level itself is left as it is).
    void ApplyZoomLevel(int level);
    // What the Screen Transition dialog sets: the mode and both intervals.
    void SetTransitions(int mode, float pageInterval, float transInterval) {
        show_.SetTransitions(mode, pageInterval, transInterval);
    }

    const SlideShow& Show() const { return show_; }
    const ShownPicture& Picture() const { return picture_; }
    const ViewZoom& Zoom() const { return zoom_; }
    const NavBarButtons& NavBar() const { return navBar_; }

private:
    CVarnelleDoc* Doc() const { return services_.documents.ActiveDocument(); }
    int SlideCount() const;
    struct PaintArea {
        Point scroll;
        int width;
        int height;
    };
    // Records the window in the document and starts the composition of the client area.
    PaintArea BeginPaint(CVarnelleDoc& doc, ViewCanvas& canvas);
    // Loads the slide asked for when it is not the one shown, and fits it; false when it
    // already was. A paint with slides only.
    bool BringSlide(CVarnelleDoc& doc);
    void OnEscape();
    // Starts a stopped show, stops a running one; repaints.
    void ToggleAutoAdvance();
    void StepSlide(bool forward);
    void OnApplyZoom();
    void UpdateCursor();
    // The caption names the slide whose picture is on screen.
    void DrawCaption(ViewCanvas& canvas) const;
    void ChooseTransition(ViewCanvas& canvas, int width, int height);
    // While a sweep lasts, its next frame is asked for; then the paint is finished.
    void EndFrame(ViewCanvas& canvas);
    // The paint pass after the slide is on the screen: overlays and bookkeeping.
    void FinishPaint(ViewCanvas& canvas);
    // Ends a sweep under way without finishing its paint.
    void DropSweep();
    void RunDeferredInput();
    void AfterFirstDraw();
    // Keeps the input for after the sweep under way; false when there is none.
    bool Defer(std::function<void()> task, bool mouseMove = false) { return gate_.Hold(std::move(task), mouseMove); }
    void AddCommands();
    // A command of the view; while a sweep is drawn it waits, as input does.
    void AddViewCommand(int id, std::function<void()> run, std::function<void(CmdUI&)> update = {});

    struct PaintState {
        int m_bFirstDraw = 1;
        // The slide asked for is still being decoded; the paint shows the one before.
        bool pending = false;
    };

    ViewServices services_;
    CScreenTransition m_transition;
    platform::RuntimeRandom random_;
    SlideShow show_;
    ShownPicture picture_;
    ViewZoom zoom_;
    NavBarButtons navBar_;
    ViewPrintJob printJob_;
    InputGate gate_;
    ViewDialogs* dialogs_ = nullptr;
    PaintState paint_;
};
