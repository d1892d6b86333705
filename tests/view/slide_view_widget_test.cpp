#include "viewer/view/slide_view_widget.h"

#include "viewer/view/view_keys.h"

#include "tests/support/qt_application.h"
#include "tests/support/view_test_env.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

constexpr QRgb kRed = qRgb(200, 10, 10);
constexpr QRgb kGreen = qRgb(10, 200, 10);
constexpr QRgb kBlue = qRgb(10, 10, 200);
constexpr QRgb kBlack = qRgb(0, 0, 0);

class SlideViewWidgetTest : public ::testing::Test {
protected:
    SlideViewWidgetTest() {
        env.pictures.pictures["/show/big.jpg"] = {1600, 1200, {200, 10, 10}};
        env.pictures.pictures["/show/small.png"] = {320, 240, {10, 200, 10}};
        env.pictures.pictures["/show/huge.bmp"] = {4000, 3000, {10, 10, 200}};
        env.doc.m_dibNavBar = testsupport::NavBarPicture();
        widget.resize(800, 500);
        widget.show();
        widget.View().OnInitialUpdate();
    }

    QImage Grab() { return widget.grab().toImage().convertToFormat(QImage::Format_RGB32); }

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
    SlideViewWidget widget{env.documents, env.pictures, env.messages, env.clock, &env.timers,
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

}  // namespace
