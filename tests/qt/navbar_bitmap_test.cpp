// The navigator bar bitmap as the program ships it in its Qt resources.
#include "viewer/qt/dib_drawing.h"
#include "viewer/document/dib_layout.h"
#include "viewer/document/dib_pixels.h"
#include "viewer/qt/qt_bitmap_resources.h"

#include "platform/fake/counting_heap.h"
#include "platform/fake/recording_message_sink.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include "tests/support/qt_application.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int kNavBar = 377;
constexpr std::uint32_t kOpaqueBlack = 0xFF000000u;

class NavBarBitmap : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tools.LoadDibResource(resources, kNavBar, bar));
        layout = ReadDibLayout(bar.header, bar.bits);
        ASSERT_TRUE(layout);
        for (std::uint32_t y = 0; y < layout->height; ++y) {
            rows.emplace_back(layout->width);
            ReadRowRgb(*layout, bar, y, rows.back());
        }
    }

    QtBitmapResources resources;
    platform::fake::RecordingMessageSink sink;
    platform::fake::CountingHeap heap;
    CDibTools tools{sink, heap};
    DibImage bar;
    std::optional<DibLayout> layout;
    std::vector<std::vector<std::uint32_t>> rows;  // from the top
};

TEST_F(NavBarBitmap, IsAnEightBitPictureOf280By25WithAFullTable) {
    EXPECT_EQ(layout->width, 280);
    EXPECT_EQ(layout->height, 25);
    EXPECT_EQ(layout->bitsPerPixel, 8);
    EXPECT_EQ(layout->tableEntries, 256u);
    EXPECT_EQ(bar.bits.size(), 280u * 25u);
    EXPECT_TRUE(sink.shown.empty());
}

TEST_F(NavBarBitmap, CornersAreBlackAndTheBarHasNoBlack) {
    for (auto [x, y] : {std::pair{0, 0}, {279, 0}, {0, 24}, {279, 24}, {3, 1}, {276, 23}})
        EXPECT_EQ(rows[y][x], kOpaqueBlack) << x << "," << y;
    // Black is the key colour: a black pixel inside the bar would let the slide through.
    for (int y = 0; y < 25; ++y)
        for (int x = 13; x < 267; ++x) ASSERT_NE(rows[y][x], kOpaqueBlack) << x << "," << y;
    for (int x = 0; x < 280; ++x) ASSERT_NE(rows[12][x], kOpaqueBlack) << x;
}

TEST_F(NavBarBitmap, DividersSitOnTheButtonBoundaries) {
    const std::uint32_t face = rows[12][60];
    for (int divider : {80, 146, 212}) {
        EXPECT_NE(rows[12][divider], face) << divider;
        EXPECT_EQ(rows[12][divider - 10], face) << divider;
    }
}

TEST_F(NavBarBitmap, DrawnTransparentTheSlideShowsAtTheRoundedEnds) {
    testsupport::EnsureQtApplication();
    QImage slide(300, 40, QImage::Format_RGB32);
    slide.fill(qRgb(0, 200, 0));
    {
        QPainter painter(&slide);
        DrawDib(tools, painter, 10, 5, 290, 30, bar, true, RgbColour{0, 0, 0});
    }
    EXPECT_EQ(slide.pixel(10, 5), qRgb(0, 200, 0));
    EXPECT_EQ(slide.pixel(289, 29), qRgb(0, 200, 0));
    EXPECT_EQ(slide.pixel(150, 17) | kOpaqueBlack, rows[12][140]);
    EXPECT_TRUE(sink.shown.empty());
}

}  // namespace
