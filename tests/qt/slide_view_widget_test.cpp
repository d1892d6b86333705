#include "viewer/qt/slide_view_widget.h"

#include "viewer/view/screen_transition.h"
#include "viewer/view/view_keys.h"

#include "platform/runtime_random.h"

#include "tests/support/qt_application.h"
#include "tests/support/view_settings.h"
#include "tests/support/view_test_env.h"

#include <QImage>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr QRgb kRed = qRgb(200, 10, 10);
constexpr QRgb kGreen = qRgb(10, 200, 10);
constexpr QRgb kBlue = qRgb(10, 10, 200);
constexpr QRgb kBlack = qRgb(0, 0, 0);

class SlideViewWidgetTest : public ::testing::Test {
protected:
    SlideViewWidgetTest() {
        env.pictures.AddShowPictures();
        env.doc.m_dibNavBar = testsupport::NavBarPicture();
        widget.resize(800, 500);
        widget.show();
        widget.View().OnInitialUpdate();
    }

    QImage Grab() { return widget.grab().toImage().convertToFormat(QImage::Format_RGB32); }

    void Click(QPoint at) { QTest::mouseClick(widget.viewport(), Qt::LeftButton, Qt::NoModifier, at); }

    // Whether some pixel of the area is the colour, or grey text when `colour` is 0.
    static bool Has(const QImage& image, const QRect& area, QRgb colour = 0) {
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QRgb p = image.pixel(x, y);
                if (colour ? p == colour : qRed(p) > 60 && qRed(p) == qGreen(p) && qGreen(p) == qBlue(p)) return true;
            }
        return false;
    }

    // A time of day whose seed makes the paint choose the effect.
    static std::int64_t SecondsChoosing(int effect) {
        for (std::int64_t t = 1;; ++t) {
            platform::RuntimeRandom random;
            random.Seed(TransitionSeed(t));
            if (RandomInRange(random, 1, 8) == effect) return t;
        }
    }

    static constexpr QPoint kPrev{40, 12};
    static constexpr QPoint kNext{110, 12};
    static constexpr QPoint kAuto{180, 12};
    static constexpr QRect kAutoLabel{157, 4, 40, 14};

    // Whether the caption left grey text pixels below the bar's corner, and nowhere else.
    static bool HasCaption(const QImage& image) {
        for (int y = 25; y < 45; ++y)
            for (int x = 3; x < 80; ++x) {
                const QRgb p = image.pixel(x, y);
                if (qRed(p) > 100 && qRed(p) == qGreen(p) && qGreen(p) == qBlue(p)) return true;
            }
        return false;
    }

    // Made before the widget, which needs the application.
    struct QtApplication {
        QtApplication() { testsupport::EnsureQtApplication(); }
    } application;
    testsupport::DocumentEnv env;
    std::vector<int> commands;
    SlideViewWidget widget{env.documents, env.pictures, env.messages, env.clock, env.timers, env.heap,
                           SlideViewWidget::Hooks{{}, {}, [this](int id) { commands.push_back(id); }}};
};

TEST_F(SlideViewWidgetTest, ALargeSlideIsFittedAndCentredOnScreen) {
    env.SetSlides({"/show/big.jpg"});
    const QImage shot = Grab();
    ASSERT_EQ(shot.size(), QSize(800, 500));
    EXPECT_EQ(shot.pixel(66, 250), kBlack);
    EXPECT_EQ(shot.pixel(67, 250), kRed);
    EXPECT_EQ(shot.pixel(732, 250), kRed);
    EXPECT_EQ(shot.pixel(733, 250), kBlack);
    EXPECT_EQ(shot.pixel(400, 498), kRed);
    EXPECT_EQ(shot.pixel(400, 499), kBlack);  // 499 rows: the fit truncates
    EXPECT_TRUE(HasCaption(shot));
}

TEST_F(SlideViewWidgetTest, ASmallSlideIsCentredAtFullSize) {
    env.SetSlides({"/show/small.png"});
    const QImage shot = Grab();
    EXPECT_EQ(shot.pixel(239, 250), kBlack);
    EXPECT_EQ(shot.pixel(240, 130), kGreen);
    EXPECT_EQ(shot.pixel(559, 369), kGreen);
    EXPECT_EQ(shot.pixel(560, 369), kBlack);
    EXPECT_EQ(shot.pixel(400, 370), kBlack);
}

TEST_F(SlideViewWidgetTest, ASlideThatFailsShowsBlackWithItsCaptionAndNoMessage) {
    env.SetSlides({"/show/missing.jpg"});
    const QImage shot = Grab();
    EXPECT_TRUE(HasCaption(shot));
    for (int y = 100; y < 500; y += 7)
        for (int x = 0; x < 800; x += 7) ASSERT_EQ(shot.pixel(x, y), kBlack) << x << "," << y;
    EXPECT_TRUE(env.messages.shown.empty());
}

TEST_F(SlideViewWidgetTest, AZoomedSlideScrollsAndFillsTheWindow) {
    env.SetSlides({"/show/huge.bmp"});
    Grab();
    widget.View().OnKeyDown(vk::kEscape);
    widget.View().ApplyZoomLevel(40);
    widget.ScrollToPosition({5000, 4000});
    EXPECT_EQ(widget.ScrollPosition(), (Point{5000, 4000}));
    const QImage shot = Grab();
    EXPECT_EQ(shot.pixel(300, 300), kBlue);
    // Asked past its end, the scroll stops at the page's edge.
    widget.ScrollToPosition({1 << 30, 1 << 30});
    const Rect client = widget.ClientRect();
    EXPECT_EQ(widget.ScrollPosition(), (Point{30400 - client.Width(), 22800 - client.Height()}));
}

TEST_F(SlideViewWidgetTest, TheTimerMessageOfTheFirstPaintWaitsUntilThePaintIsOver) {
    env.SetSlides({"/show/small.png"});
    env.timers.refuse = true;
    Grab();
    EXPECT_TRUE(env.messages.shown.empty());
    QCoreApplication::processEvents();
    ASSERT_EQ(env.messages.shown.size(), 1u);
}

TEST_F(SlideViewWidgetTest, TheBarIsDrawnOverTheSlideWithItsKeyColourLeftOut) {
    env.SetSlides({"/show/big.jpg"});
    const QImage shot = Grab();
    EXPECT_EQ(shot.pixel(140, 12), qRgb(128, 128, 128));
    // Key-coloured corners let through what lies under them: the margin, the slide.
    EXPECT_EQ(shot.pixel(1, 1), kBlack);
    EXPECT_EQ(shot.pixel(278, 23), kRed);
    EXPECT_EQ(shot.pixel(276, 23), qRgb(128, 128, 128));
    EXPECT_TRUE(Has(shot, kAutoLabel, qRgb(255, 255, 0)));  // the show runs
    EXPECT_TRUE(Has(shot, {25, 4, 30, 14}, qRgb(100, 0, 0)));
}

TEST_F(SlideViewWidgetTest, PreviousStopsARunningShowThenStepsAndWrapsAtBothEnds) {
    env.SetSlides({"/show/big.jpg", "/show/small.png", "/show/huge.bmp"});
    Grab();
    Click(kPrev);
    EXPECT_FALSE(widget.View().Show().AutoAdvance());
    Grab();
    EXPECT_EQ(env.doc.m_nCurrentSlide, 1);
    Click(kPrev);
    Grab();
    EXPECT_EQ(env.doc.m_nCurrentSlide, 3);
    Click(kNext);
    Grab();
    EXPECT_EQ(env.doc.m_nCurrentSlide, 1);
    EXPECT_EQ(widget.viewport()->cursor().shape(), Qt::BitmapCursor);  // the hand
    EXPECT_EQ(widget.viewport()->cursor().hotSpot(), QPoint(12, 1));
}

TEST_F(SlideViewWidgetTest, PressOnAutoAndReleaseOffTheBarZoomsAndLeavesAutoLit) {
    env.SetSlides({"/show/small.png"});
    Grab();
    widget.View().OnKeyDown(vk::kEscape);
    EXPECT_FALSE(Has(Grab(), kAutoLabel, qRgb(255, 255, 0)));
    QTest::mousePress(widget.viewport(), Qt::LeftButton, Qt::NoModifier, kAuto);
    QMouseEvent drag(QEvent::MouseMove, QPointF(400, 250), widget.viewport()->mapToGlobal(QPointF(400, 250)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget.viewport(), &drag);
    EXPECT_EQ(widget.viewport()->cursor().hotSpot(), QPoint(15, 15));  // the magnifier
    QTest::mouseRelease(widget.viewport(), Qt::LeftButton, Qt::NoModifier, {400, 250});
    EXPECT_FALSE(widget.View().Show().AutoAdvance());
    EXPECT_EQ(widget.View().Zoom().Level(), 16);
    EXPECT_TRUE(Has(Grab(), kAutoLabel, qRgb(255, 255, 0)));
}

TEST_F(SlideViewWidgetTest, TheSpeedHintShowsFromTheFirstTickToTheFifth) {
    env.SetSlides({"/show/small.png"});
    const QRect bottom{150, 470, 500, 26};
    EXPECT_FALSE(Has(Grab(), bottom));
    testsupport::SetTransitionMode(widget.View(), 2);
    std::vector<bool> shown;
    for (int tick = 1; tick <= 6; ++tick) {
        widget.View().OnTimer(CVarnelleView::kAutoAdvanceTimer);
        shown.push_back(Has(Grab(), bottom));
    }
    EXPECT_EQ(shown, (std::vector<bool>{true, true, true, true, true, false}));
}

TEST_F(SlideViewWidgetTest, InModeOneAButtonRepaintSweepsUnlessPagesTurnFasterThanASecond) {
    env.SetSlides({"/show/small.png"});
    Grab();
    widget.View().OnKeyDown(vk::kEscape);
    testsupport::SetTransitionMode(widget.View(), 1);
    QTest::mousePress(widget.viewport(), Qt::LeftButton, Qt::NoModifier, kNext);
    Grab();
    EXPECT_TRUE(widget.View().InTransition());
    env.clock.milliseconds += 1800;
    Grab();
    EXPECT_FALSE(widget.View().InTransition());
    QTest::mouseRelease(widget.viewport(), Qt::LeftButton, Qt::NoModifier, kNext);

    testsupport::SetPageInterval(widget.View(), 0.9f);
    QTest::mousePress(widget.viewport(), Qt::LeftButton, Qt::NoModifier, kNext);
    Grab();
    EXPECT_FALSE(widget.View().InTransition());
}

TEST_F(SlideViewWidgetTest, AColumnSweepWipesLeftToRightAndAKeyWaitsForIt) {
    env.SetSlides({"/show/big.jpg", "/show/small.png", "/show/huge.bmp"});
    Grab();
    widget.View().OnKeyDown(vk::kEscape);
    testsupport::SetTransitionMode(widget.View(), 1);
    env.clock.epochSeconds = SecondsChoosing(1);  // one column at a time
    Click(kNext);
    QImage frame = Grab();
    ASSERT_TRUE(widget.View().InTransition());
    EXPECT_EQ(frame.pixel(5, 250), kBlack);  // the old slide's margin
    EXPECT_EQ(frame.pixel(300, 250), kRed);

    // The red slide gives way to the black margin and green of the next, column by column:
    // pass p falls due after (p + 1) / 801 of 1.8 s.
    QTest::keyClick(&widget, Qt::Key_Right);
    env.clock.milliseconds = 450;
    frame = Grab();
    EXPECT_EQ(frame.pixel(199, 250), kBlack);
    EXPECT_EQ(frame.pixel(200, 250), kRed);
    env.clock.milliseconds = 900;
    frame = Grab();
    EXPECT_EQ(frame.pixel(300, 250), kGreen);
    EXPECT_EQ(frame.pixel(399, 250), kGreen);
    EXPECT_EQ(frame.pixel(400, 250), kRed);
    EXPECT_EQ(frame.pixel(700, 250), kRed);
    EXPECT_EQ(widget.View().Show().Slide(), 1);  // the key waits

    env.clock.milliseconds = 1800;
    frame = Grab();
    EXPECT_FALSE(widget.View().InTransition());
    EXPECT_EQ(frame.pixel(700, 250), kBlack);
    EXPECT_TRUE(HasCaption(frame));
    QCoreApplication::processEvents();
    EXPECT_EQ(widget.View().Show().Slide(), 2);
}

}  // namespace
