#pragma once

#include "viewer/app/text_tools.h"
#include "viewer/document/command_target.h"
#include "viewer/document/dib_image.h"
#include "viewer/document/dib_tools.h"
#include "viewer/document/geometry.h"
#include "viewer/document/rgb_colour.h"
#include "viewer/view/screen_transition.h"
#include "viewer/print/print_mapping.h"
#include "viewer/print/view_printing.h"
#include "viewer/view/view_rect_table.h"
#include "viewer/view/view_services.h"

#include "platform/runtime_random.h"

#include <functional>
#include <string>
#include <vector>

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

// The dialogs behind the view's Navigator Bar and Screen Transition commands; each
// takes the current values and gives the new ones, false on Cancel.
class ViewDialogs {
public:
    virtual ~ViewDialogs() = default;
    virtual bool RunNavBar(int& showNavBar, int& corner) = 0;
    virtual bool RunTransitions(int& mode, float& pageInterval, float& transInterval) = 0;
};

// The slide view: which slide is shown at which zoom, the paint pass, keys, mouse, the
// auto-advance timer and the view's commands. Window-system free: the window, the canvas
// and the timers come in through interfaces.
class CVarnelleView final : public CommandTarget {
public:
    // The auto-advance timer's id.
    static constexpr int kAutoAdvanceTimer = 1;

    explicit CVarnelleView(ViewServices services);
    ~CVarnelleView() override;

    // Run for every new document: resets the view to its defaults.
    void OnInitialUpdate();
    // A paint: the whole paint pass, or, while a sweep is under way, its next frame. The
    // frames of one sweep come on the canvas its first frame was drawn on.
    void OnDraw(ViewCanvas& canvas);
    void OnDestroy();
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
    void OnPictureReady(int index);

    // While a sweep is drawn, input waits: it is handled, in order, once the sweep is over
    // (a due timer tick once, after the input).
    bool InTransition() const { return m_transition.Sweeping(); }
    void RunDeferredInput();

    // Until the dialog is given, Navigator Bar is not the view's command.
    void SetDialogs(ViewDialogs* dialogs);
    // Printing: the print loop (the host) asks first, then maps the printer and paints
    // the page through OnPrint, the paint pass's printer branch: a canvas that composes on
    // white, and nothing after the composition.
    void SetPrintHost(ViewPrintHost* host);
    bool OnPreparePrinting(PrintInfo& info);
    void OnPrint(ViewCanvas& canvas);
    // The printer mapping for a printer of the given pixels per inch.
    PrintMapping OnPrepareDC(int printerDpiX, int printerDpiY) const;


    void StartAutoAdvance();
    void StopAutoAdvance();
    void ZoomIn();
    void ZoomOut();
    void ApplyZoomLevel(int level);
    void CenterOnMouse();
    void SyncTransInterval() { m_fTransInterval = m_fPageInterval * 3.0f; }
    // Stores the button under the point (client coordinates) in the document.
    void HitTestNavBar(Point point);
    void UpdateCursor();
    void PlaceNavBar();

    CTextTools m_textTools;
    CViewRectTable m_rects;
    CScreenTransition m_transition;
    std::string m_strSlidePath;
    Point m_ptMouse;
    int m_nImageWidth = 0;
    int m_nImageHeight = 0;
    int m_nSlide = 0;
    int m_nZoomLevel = 1;
    int m_nDrawnSlide = -1;
    double m_dZoom = 1.0;
    float m_fPageInterval = 6.0f;
    float m_fTransInterval = 18.0f;
    int m_bFirstDraw = 1;
    int m_bAutoAdvance = 0;
    int m_nAutoTicks = 0;
    int m_nLastEffect = 0;
    int m_nTransitionMode = 0;
    RgbColour m_crLabelIdle{100, 0, 0};
    RgbColour m_crLabelActive{255, 255, 0};
    int m_bPrevIdle = 1;
    int m_bNextIdle = 1;
    int m_bAutoIdle = 0;
    int m_bExitIdle = 1;
    DibImage m_dibSlide;

private:
    CVarnelleDoc* Doc() const { return services_.documents.ActiveDocument(); }
    int SlideCount() const;
    // False while the picture is still being decoded: the slide on screen stays.
    bool LoadSlideImage(int index);
    // Gives the shown picture back to the source, which may keep it, and frees it here.
    void ReleaseSlide();
    // Swaps in a finer picture of the slide shown once the zoom passes the stored scale.
    void RefinePicture();
    // Stretches the source part (full-picture pixels) of `picture`, stored at 1 / 2^reduction.
    void StretchSlide(ViewCanvas& canvas, const Rect& destination, const Rect& source, const DibImage& picture,
                      int reduction);
    void FreeSlide();
    void SetScrollSizes(int width, int height);
    void OnEscape();
    void ChangeSpeed(bool faster);
    void StepSlide(bool forward);
    void OnApplyZoom();
    void DrawCaption(ViewCanvas& canvas) const;
    void DrawNavBar(ViewCanvas& canvas);
    void DrawSpeedHint(ViewCanvas& canvas) const;
    void ChooseTransition(ViewCanvas& canvas, int width, int height);
    void ContinueTransition(ViewCanvas& canvas);
    // The paint pass after the slide is on the screen: overlays and bookkeeping.
    void FinishPaint(ViewCanvas& canvas);
    // Ends a sweep under way without finishing its paint.
    void DropSweep();
    void AfterFirstDraw();
    bool StartTimer();
    void KillTimer();
    // Keeps the input for after the sweep under way; false when there is none.
    bool Defer(std::function<void()> task, bool mouseMove = false);
    void AddCommands();
    // A command of the view; while a sweep is drawn it waits, as input does.
    void AddViewCommand(int id, std::function<void()> run, std::function<void(CmdUI&)> update = {});
    void OnNavigatorBar();
    void OnScreenTransition();

    ViewServices services_;
    ViewPrintHost* printHost_ = nullptr;
    bool printing_ = false;
    CDibTools dibTools_;
    platform::RuntimeRandom random_;
    ViewDialogs* dialogs_ = nullptr;
    struct DeferredInput {
        std::function<void()> task;
        bool mouseMove;
    };
    std::vector<DeferredInput> deferred_;
    bool tickDeferred_ = false;
    // The shown picture is stored at 1 / 2^reduction of the full size.
    int pictureReduction_ = 0;
    // The slide asked for is still being decoded; the paint shows the one before.
    bool pending_ = false;
    // The way the show last moved, for which neighbours are decoded first.
    bool forward_ = true;
    // The scroll sizes last set, as the scroll view keeps them.
    int totalWidth_ = 0;
    int totalHeight_ = 0;
};
