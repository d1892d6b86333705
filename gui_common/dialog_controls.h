#pragma once

#include "gui_common/dialog_units.h"

#include <Qt>

class QLabel;
class QPushButton;
class QWidget;

namespace gui {

// A push button with one of the programs' texts, placed at a rectangle in dialog units.
// Whether it is the default button is the dialog's choice.
QPushButton* AddButton(QWidget* parent, const DialogUnits& units, const char* text, int x, int y, int width,
                       int height);

// A static text, shown as written, at a rectangle in dialog units. A box taller than one
// line wraps its text inside; a one-line label may widen to its text (see Place).
QLabel* AddLabel(QWidget* parent, const DialogUnits& units, const char* text, int x, int y, int width, int height,
                 Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop);

}  // namespace gui
