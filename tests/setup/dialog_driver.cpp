#include "dialog_driver.h"

#include "tests/support/qt_application.h"

namespace setup::test {

DialogWorld::DialogWorld() { testsupport::EnsureQtApplication(); }

}  // namespace setup::test
