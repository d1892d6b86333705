#pragma once

// Included first by the headers of this Qt face that include no Qt header themselves (the
// others already fail in core code, which has no Qt include path). Only a target that
// links setup_qt carries VARNELLE_SETUP_QT: core code that includes one of them stops the build here.
#ifndef VARNELLE_SETUP_QT
#error "Qt face header in core code: the core reaches the face through its own interfaces; only what links setup_qt includes it"
#endif
