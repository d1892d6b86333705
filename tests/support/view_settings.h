#pragma once

#include "viewer/view/varnelle_view.h"

namespace testsupport {

// What the Screen Transition dialog would set, changing one value and keeping the others.
inline void SetTransitionMode(CVarnelleView& view, int mode) {
    view.SetTransitions(mode, view.Show().PageInterval(), view.Show().TransInterval());
}

inline void SetPageInterval(CVarnelleView& view, float pageInterval) {
    view.SetTransitions(view.Show().TransitionMode(), pageInterval, view.Show().TransInterval());
}

}  // namespace testsupport
