// A show opened at one of its pictures: the document names the slide shown first and the
// view's initial update starts there.
#include "viewer/view/varnelle_view.h"

#include "viewer/frame/status_pane_texts.h"

#include "tests/support/view_test_env.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class FirstSlideTest : public ::testing::Test {
protected:
    FirstSlideTest() {
        env.pictures.AddShowPictures();
        for (const char* path : {"/show/big.jpg", "/show/small.png", "/show/huge.bmp"}) env.fs.AddFile(path);
        env.fs.AddFile("/show/readme.txt");
    }
    int IndexOf(const std::string& path) const {
        const auto& slides = env.doc.m_astrSlides;
        return static_cast<int>(std::find(slides.begin(), slides.end(), path) - slides.begin());
    }
    void PaintOnce() {
        testsupport::RecordingCanvas canvas;
        view.OnDraw(canvas);
    }

    testsupport::DocumentEnv env;
    testsupport::FakeWindow window;
    CVarnelleView view{{env.documents, window, env.pictures, env.timers, env.messages, env.clock, env.heap}};
};

TEST_F(FirstSlideTest, TheDocumentNamesThePictureItWasOpenedAt) {
    ASSERT_TRUE(env.doc.OnNewDocument("/show", "small.png"));
    ASSERT_EQ(env.doc.m_astrSlides.size(), 3u);
    EXPECT_EQ(env.doc.m_nFirstSlide, IndexOf("/show/small.png"));

    // A name that is no slide, and every later show, start at the first slide.
    ASSERT_TRUE(env.doc.OnNewDocument("/show", "readme.txt"));
    EXPECT_EQ(env.doc.m_nFirstSlide, 0);
    ASSERT_TRUE(env.doc.OnNewDocument("/show", "huge.bmp"));
    ASSERT_TRUE(env.doc.OnNewDocument("/show"));
    EXPECT_EQ(env.doc.m_nFirstSlide, 0);
}

TEST_F(FirstSlideTest, AFailedLoadForgetsTheFirstSlide) {
    ASSERT_TRUE(env.doc.OnNewDocument("/show", "huge.bmp"));
    env.fs.AddFile("/bad.lit", "xy");
    EXPECT_FALSE(env.doc.OnNewDocument("/bad.lit"));
    EXPECT_EQ(env.doc.m_nFirstSlide, 0);
}

TEST_F(FirstSlideTest, TheFirstPaintShowsThePictureAndItsSlideNumber) {
    ASSERT_TRUE(env.doc.OnNewDocument("/show", "huge.bmp"));
    const int index = IndexOf("/show/huge.bmp");
    view.OnInitialUpdate();
    PaintOnce();
    EXPECT_EQ(env.pictures.loads.front(), index);
    EXPECT_EQ(env.doc.m_nCurrentSlide, index + 1);
    EXPECT_EQ(SlidePaneText(env.doc.m_nCurrentSlide, env.doc.m_nSlideCount),
              "Slide " + std::to_string(index + 1) + " of 3");
}

}  // namespace
