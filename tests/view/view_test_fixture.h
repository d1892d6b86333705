#pragma once

#include "viewer/view/varnelle_view.h"

#include "tests/support/view_settings.h"
#include "tests/support/view_test_env.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace viewtest {

// A view on the fake window, canvas, timers and pictures of a document with "/show".
class ViewTest : public ::testing::Test {
protected:
    ViewTest() {
        env.pictures.AddShowPictures();
        view.OnInitialUpdate();
    }

    std::vector<std::string> Paint() {
        testsupport::RecordingCanvas canvas;
        view.OnDraw(canvas);
        last = canvas;
        return canvas.calls;
    }

    // A paint, and the frames of its sweep until it is over, 0.1 s apart; then what waited.
    void PaintThroughSweep() {
        Paint();
        for (int frame = 0; view.InTransition() && frame < 100000; ++frame) {
            env.clock.milliseconds += 100;
            Paint();
        }
        window.RunPosted();
    }

    const SlideShow& Show() const { return view.Show(); }

    testsupport::DocumentEnv env;
    testsupport::FakeWindow window;
    CVarnelleView view{{env.documents, window, env.pictures, env.timers, env.messages, env.clock, env.heap}};
    testsupport::RecordingCanvas last;
};

// The view's dialogs, answering with fixed values and recording what they were shown.
class FakeViewDialogs final : public ViewDialogs {
public:
    bool RunNavBar(int& show, int& corner) override {
        shownWith = {show, corner};
        show = 0;
        corner = 3;
        return ok;
    }
    bool RunTransitions(int& mode, float& page, float& transition) override {
        transitionsShownWith = {static_cast<float>(mode), page, transition};
        mode = 2;
        page = 0.5f;
        transition = 4.0f;
        return ok;
    }
    std::pair<int, int> shownWith;
    std::vector<float> transitionsShownWith;
    bool ok = true;
};

}  // namespace viewtest
