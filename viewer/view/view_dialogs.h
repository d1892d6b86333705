#pragma once

// The dialogs behind the view's Navigator Bar and Screen Transition commands; each
// takes the current values and gives the new ones, false on Cancel.
class ViewDialogs {
public:
    virtual ~ViewDialogs() = default;
    virtual bool RunNavBar(int& showNavBar, int& corner) = 0;
    virtual bool RunTransitions(int& mode, float& pageInterval, float& transInterval) = 0;
};
