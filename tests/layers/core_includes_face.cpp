// Core code including a face header that uses no Qt itself: built only by the layering
// test, which expects the face's guard to stop it.
#include "viewer/qt/qt_printer_service.h"
