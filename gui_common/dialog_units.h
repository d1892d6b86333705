#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

class QWidget;

namespace gui {

// The font every dialog of both programs is laid out in; Qt falls back to a font of its
// choice when the family is absent.
QFont DialogFont();

// Dialog units: a quarter of the dialog font's average character width across, an eighth
// of its height down, so that a layout keeps its proportions whatever font stands in.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    DialogUnits(int baseWidth, int baseHeight) : baseX_(baseWidth), baseY_(baseHeight) {}

    int X(int units) const;
    int Y(int units) const;
    QRect ToPixels(int x, int y, int width, int height) const;
    QSize ToPixels(int width, int height) const;

    // A rectangle given in pixels of the original design (a dialog font of 6 by 13
    // pixels a base unit), moved and sized to keep its place among the controls.
    QRect FromDesignPixels(const QRect& designed) const;

    int BaseWidth() const { return baseX_; }
    int BaseHeight() const { return baseY_; }

private:
    int baseX_;
    int baseY_;
};

// Sets the dialog font and a fixed client size given in dialog units; returns the units
// the dialog's controls are placed with.
DialogUnits SetUpDialog(QWidget* dialog, int width, int height);

// Places a control at a rectangle in dialog units. A one-line label is never narrower
// than its text, so a wider stand-in font does not cut it short.
void Place(QWidget* control, const DialogUnits& units, int x, int y, int width, int height);

}  // namespace gui
