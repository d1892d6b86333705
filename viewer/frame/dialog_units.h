#pragma once

#include <QFont>
#include <QRect>

// Dialog-unit layout for the viewer's dialogs: a horizontal unit is a quarter of the
// dialog font's average character width, a vertical unit an eighth of its height.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    int X(int units) const;
    int Y(int units) const;
    // A control's rectangle given as left, top, width and height in dialog units.
    QRect ToPixels(int left, int top, int width, int height) const;

    int BaseWidth() const { return baseWidth_; }
    int BaseHeight() const { return baseHeight_; }

private:
    int baseWidth_;
    int baseHeight_;
};
