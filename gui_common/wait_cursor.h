#pragma once

#include <QApplication>

namespace gui {

// The wait cursor over every window of the program for as long as this lives, so that
// it goes away however the slow work ends.
class WaitCursorScope {
public:
    WaitCursorScope() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursorScope() { QApplication::restoreOverrideCursor(); }
    WaitCursorScope(const WaitCursorScope&) = delete;
    WaitCursorScope& operator=(const WaitCursorScope&) = delete;
};

}  // namespace gui
