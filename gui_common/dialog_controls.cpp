#include "gui_common/dialog_controls.h"

#include "gui_common/text_bytes.h"

#include <QLabel>
#include <QPushButton>

namespace gui {
namespace {

// Taller than this many dialog units, a label holds more than one line.
constexpr int kOneLineHeight = 10;

}  // namespace

QPushButton* AddButton(QWidget* parent, const DialogUnits& units, const char* text, int x, int y, int width,
                       int height) {
    auto* button = new QPushButton(FromBytes(text), parent);
    Place(button, units, x, y, width, height);
    return button;
}

QLabel* AddLabel(QWidget* parent, const DialogUnits& units, const char* text, int x, int y, int width, int height,
                 Qt::Alignment alignment) {
    auto* label = new QLabel(FromBytes(text), parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment);
    label->setWordWrap(height > kOneLineHeight);
    Place(label, units, x, y, width, height);
    return label;
}

}  // namespace gui
