#pragma once

#include <QApplication>

namespace testsupport {

// The one Qt application of a GUI test process, made on first use (widgets need it).
inline void EnsureQtApplication() {
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) new QApplication(argc, argv);
}

}  // namespace testsupport
