#include "platform/qt/qt_display.h"

#include <QGuiApplication>
#include <QScreen>

namespace platform::qt {

bool QtDisplay::QueryColorDepth(int* bitsPerPixel) const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return false;
    *bitsPerPixel = screen->depth();
    return true;
}

}  // namespace platform::qt
