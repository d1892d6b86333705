#include "viewer/view/nav_bar_buttons.h"

#include "viewer/document/command_target.h"
#include "viewer/document/varnelle_doc.h"
#include "viewer/res/texts.h"
#include "viewer/view/view_dialogs.h"
#include "viewer/view/view_services.h"

namespace {

// Black around the bar's rounded ends lets the slide show through.
constexpr RgbColour kNavBarKey{0, 0, 0};

constexpr const char* kNavLabels[] = {texts::kNavPrevLabel, texts::kNavNextLabel, texts::kNavAutoLabel,
                                      texts::kNavExitLabel};

}  // namespace

template <class S>
auto* NavBarButtons::Flag(S& state, int button) {
    switch (button) {
    case kNavPrevButton: return &state.m_bPrevIdle;
    case kNavNextButton: return &state.m_bNextIdle;
    case kNavAutoButton: return &state.m_bAutoIdle;
    case kNavExitButton: return &state.m_bExitIdle;
    default: return static_cast<decltype(&state.m_bPrevIdle)>(nullptr);
    }
}

bool NavBarButtons::Idle(int button) const {
    const int* flag = Flag(state_, button);
    return flag && *flag != 0;
}

void NavBarButtons::SetIdle(int button, bool idle) {
    if (int* flag = Flag(state_, button)) *flag = idle ? 1 : 0;
}

void NavBarButtons::HitTest(CVarnelleDoc& doc, Point point) const {
    doc.m_nNavBarHotButton = doc.m_bNavBarVisible ? HitTestNavBar(doc.m_rcNavBar, point) : kNavNoButton;
}

ViewCursor NavBarButtons::Cursor(const CVarnelleDoc& doc, bool loaded) const {
    return NavBarCursor(doc.m_nNavBarHotButton, doc.m_bNavBarPressed != 0, loaded);
}

void NavBarButtons::Press(int hotButton) {
    if (hotButton == kNavAutoButton) state_.m_bAutoIdle = !state_.m_bAutoIdle;
    else SetIdle(hotButton, false);
}

NavAction NavBarButtons::Release(int hotButton, bool autoAdvance) {
    switch (hotButton) {
    case kNavPrevButton:
    case kNavNextButton:
        SetIdle(hotButton, true);
        // While the show runs, the first click only stops it on the slide shown.
        if (autoAdvance) return NavAction::StopShow;
        return hotButton == kNavNextButton ? NavAction::NextSlide : NavAction::PreviousSlide;
    case kNavAutoButton: return NavAction::ToggleShow;
    case kNavExitButton:
        SetIdle(hotButton, true);
        return NavAction::Exit;
    default: return NavAction::ZoomInAtMouse;
    }
}

void NavBarButtons::Draw(ViewCanvas& canvas, CVarnelleDoc& doc) const {
    doc.m_rcNavBar = PlaceNavBar(doc.m_rcNavBar, doc.m_nNavBarCorner, doc.m_rcClient);
    if (!doc.m_bNavBarVisible) return;
    const Rect& bar = doc.m_rcNavBar;
    canvas.DrawKeyedPicture(bar, doc.m_dibNavBar, kNavBarKey);
    for (int button = kNavPrevButton; button <= kNavExitButton; ++button)
        canvas.DrawOverlayText(bar.left + kNavLabelOffsets[button - 1], bar.top + kNavLabelTop, LabelColour(button),
                               kNavLabels[button - 1]);
}

bool NavBarButtons::EditSettings(CVarnelleDoc& doc, ViewDialogs& dialogs) const {
    int show = doc.m_bNavBarVisible;
    int corner = doc.m_nNavBarCorner;
    if (!dialogs.RunNavBar(show, corner)) return false;
    doc.m_bNavBarVisible = show;
    doc.m_nNavBarCorner = corner;
    return true;
}

void NavBarButtons::UpdateSettingsItem(CmdUI& ui, const CVarnelleDoc* doc, bool autoAdvance) const {
    ui.Enable(!autoAdvance);
    if (!autoAdvance && doc) ui.SetCheck(doc->m_bNavBarVisible != 0);
}
