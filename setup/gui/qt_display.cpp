#include "setup/gui/qt_display.h"

#include <QGuiApplication>
#include <QScreen>

namespace setup::gui {

bool QtDisplay::QueryColorDepth(int* bitsPerPixel) const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return false;
    *bitsPerPixel = screen->depth();
    return true;
}

}  // namespace setup::gui
