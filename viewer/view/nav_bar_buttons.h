#pragma once

#include "viewer/document/geometry.h"
#include "viewer/document/rgb_colour.h"
#include "viewer/view/navigator_bar.h"

class CVarnelleDoc;
struct CmdUI;
class ViewCanvas;
class ViewDialogs;

// What releasing the left button asks of the view, by the button it was pressed over.
enum class NavAction {
    StopShow,       // "<<<" or ">>>" while the show runs: it stops on the slide shown
    PreviousSlide,
    NextSlide,
    ToggleShow,     // "AUTO"
    Exit,           // "EXIT": the application's exit command
    ZoomInAtMouse,  // off the bar: stop the show and look closer where the mouse is
};

// The navigator bar's buttons as the view draws and works them: which labels are lit, the
// button under the mouse, the cursor over it and what a click on it does. The bar's place,
// picture and settings are the document's.
class NavBarButtons {
public:
    // "AUTO" starts lit: the show starts on the first paint.
    void Reset() { state_ = State{}; }

    // A label is idle (drawn dark) or active (lit) by its button number, 1 to 4.
    bool Idle(int button) const;
    void SetIdle(int button, bool idle);
    RgbColour LabelColour(int button) const { return Idle(button) ? state_.m_crLabelIdle : state_.m_crLabelActive; }

    // Stores the button under the point (client coordinates) in the document; none while
    // the bar is hidden.
    void HitTest(CVarnelleDoc& doc, Point point) const;
    // The cursor over the document's hot button, or off the bar over a slide `loaded` or not.
    ViewCursor Cursor(const CVarnelleDoc& doc, bool loaded) const;
    // The left button goes down over `hotButton`: its label lights ("AUTO" flips).
    void Press(int hotButton);
    // ...and comes up: the label goes dark again, and the click's action.
    NavAction Release(int hotButton, bool autoAdvance);

    // The Navigator Bar dialog on the document's settings, which it sets on OK; true then.
    bool EditSettings(CVarnelleDoc& doc, ViewDialogs& dialogs) const;
    // The Navigator Bar item: greyed while the show runs, else checked while the bar shows.
    void UpdateSettingsItem(CmdUI& ui, const CVarnelleDoc* doc, bool autoAdvance) const;

    // Moves the bar into its corner of the client area and draws it with its labels,
    // while it is visible.
    void Draw(ViewCanvas& canvas, CVarnelleDoc& doc) const;

private:
    struct State {
        RgbColour m_crLabelIdle{100, 0, 0};
        RgbColour m_crLabelActive{255, 255, 0};
        int m_bPrevIdle = 1;
        int m_bNextIdle = 1;
        int m_bAutoIdle = 0;
        int m_bExitIdle = 1;
    };
    // The flag of a button; null for none. For a State or a const State.
    template <class S>
    static auto* Flag(S& state, int button);

    State state_;
};
