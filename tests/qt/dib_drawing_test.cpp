// Drawing onto QImage targets through QPainter (offscreen platform).
#include "viewer/qt/dib_drawing.h"

#include "platform/fake/counting_heap.h"
#include "platform/fake/recording_message_sink.h"
#include "tests/document/dib_builder.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include "tests/support/qt_application.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using testsupport::MakeDib;
using testsupport::StoredRow;

constexpr RgbColour kBlack{0, 0, 0};
constexpr QRgb kBackground = 0xFF00FFFFu;  // cyan, a colour no test picture uses

class DibDrawingTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        testsupport::EnsureQtApplication();
    }

    QImage Target(int w, int h) {
        QImage target(w, h, QImage::Format_RGB32);
        target.fill(kBackground);
        return target;
    }

    void Draw(QImage& target, int l, int t, int r, int b, const DibImage& dib, bool transparent = false,
              RgbColour key = kBlack) {
        QPainter painter(&target);
        DrawDib(tools, painter, l, t, r, b, dib, transparent, key);
    }

    static QRgb At(const QImage& image, int x, int y) { return image.pixel(x, y) | 0xFF000000u; }

    platform::fake::RecordingMessageSink sink;
    platform::fake::CountingHeap heap;
    CDibTools tools{sink, heap};
};

// 2 x 2, 8 bits: top row red, green; bottom row blue, white.
DibImage Quadrants() {
    DibImage dib = MakeDib(2, 2, 8, {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}}, 4);
    StoredRow(dib, 1)[0] = 0;
    StoredRow(dib, 1)[1] = 1;
    StoredRow(dib, 0)[0] = 2;
    StoredRow(dib, 0)[1] = 3;
    return dib;
}

TEST_F(DibDrawingTest, OpaqueStretchKeepsOrientationAndRepeatsPixels) {
    QImage target = Target(8, 8);
    Draw(target, 2, 2, 6, 6, Quadrants());
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            QRgb expected = kBackground;
            if (x >= 2 && x < 6 && y >= 2 && y < 6) {
                const bool right = x >= 4, bottom = y >= 4;
                expected = bottom ? (right ? 0xFFFFFFFFu : 0xFF0000FFu) : (right ? 0xFF00FF00u : 0xFFFF0000u);
            }
            ASSERT_EQ(At(target, x, y), expected) << x << "," << y;
        }
    }
    EXPECT_TRUE(sink.shown.empty());
}

TEST_F(DibDrawingTest, StretchTakesTheSourceRectangleInStoredRows) {
    struct Case {
        int x, y;
        QRgb colour;
    };
    // Stored row 0 is the bottom row: blue, white; row 1 the top: red, green.
    for (const Case c : {Case{0, 0, 0xFF0000FFu}, Case{1, 0, 0xFFFFFFFFu}, Case{0, 1, 0xFFFF0000u}, Case{1, 1, 0xFF00FF00u}}) {
        QImage target = Target(3, 2);
        {
            QPainter painter(&target);
            StretchDibBits(painter, 0, 0, 3, 2, c.x, c.y, 1, 1, Quadrants());
        }
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) ASSERT_EQ(At(target, x, y), c.colour) << c.x << "," << c.y;
    }
    // The lower half of a 1 x 4 column (stored rows 0 and 1) fills the whole target.
    DibImage column = MakeDib(1, 4, 8, {{1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {4, 4, 4}}, 4);
    for (std::uint32_t y = 0; y < 4; ++y) StoredRow(column, y)[0] = static_cast<std::uint8_t>(y);
    QImage target = Target(1, 4);
    {
        QPainter painter(&target);
        StretchDibBits(painter, 0, 0, 1, 4, 0, 0, 1, 2, column);
    }
    EXPECT_EQ(At(target, 0, 0), qRgb(2, 2, 2));
    EXPECT_EQ(At(target, 0, 1), qRgb(2, 2, 2));
    EXPECT_EQ(At(target, 0, 2), qRgb(1, 1, 1));
    EXPECT_EQ(At(target, 0, 3), qRgb(1, 1, 1));
}

TEST_F(DibDrawingTest, OpaqueShrinkNeverBlends) {
    DibImage dib = MakeDib(8, 8, 24);
    std::set<QRgb> colours;
    for (std::uint32_t y = 0; y < 8; ++y)
        for (std::uint32_t x = 0; x < 8; ++x) {
            std::uint8_t* p = StoredRow(dib, y) + 3 * x;
            p[0] = static_cast<std::uint8_t>(30 * x);
            p[1] = static_cast<std::uint8_t>(30 * y);
            p[2] = 200;
            colours.insert(qRgb(200, p[1], p[0]));
        }
    QImage target = Target(3, 3);
    Draw(target, 0, 0, 3, 3, dib);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(colours.count(At(target, x, y)), 1u) << x << "," << y;
}

TEST_F(DibDrawingTest, OpaqueDrawsEveryDepth) {
    // One row: left pixel table entry 1, right pixel entry 0, at 1, 2, 4 and 8 bits.
    struct Case {
        std::uint16_t depth;
        std::uint8_t firstByte;
    };
    for (const Case c : {Case{1, 0x80}, Case{2, 0x40}, Case{4, 0x10}}) {
        DibImage dib = MakeDib(2, 1, c.depth, {{10, 20, 30}, {200, 100, 50}}, 2);
        StoredRow(dib, 0)[0] = c.firstByte;
        QImage target = Target(4, 1);
        Draw(target, 0, 0, 4, 1, dib);
        EXPECT_EQ(At(target, 0, 0), qRgb(200, 100, 50)) << c.depth;
        EXPECT_EQ(At(target, 1, 0), qRgb(200, 100, 50)) << c.depth;
        EXPECT_EQ(At(target, 3, 0), qRgb(10, 20, 30)) << c.depth;
    }
    // An index past the colour table draws black instead of reading past it.
    DibImage shortTable = MakeDib(1, 1, 8, {{1, 2, 3}}, 1);
    StoredRow(shortTable, 0)[0] = 200;
    QImage target = Target(1, 1);
    Draw(target, 0, 0, 1, 1, shortTable);
    EXPECT_EQ(At(target, 0, 0), qRgb(0, 0, 0));
}

TEST_F(DibDrawingTest, TransparentLeavesKeyPixelsOfTheTargetUntouched) {
    // 4 x 1, 24 bits: black, grey, grey, black; drawn stretched to 8 x 2.
    DibImage dib = MakeDib(4, 1, 24);
    std::memset(StoredRow(dib, 0) + 3, 128, 6);
    QImage target = Target(10, 4);
    Draw(target, 1, 1, 9, 3, dib, true, kBlack);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 10; ++x) {
            const bool grey = y >= 1 && y < 3 && x >= 3 && x < 7;
            ASSERT_EQ(At(target, x, y), grey ? qRgb(128, 128, 128) : kBackground) << x << "," << y;
        }
    EXPECT_TRUE(sink.shown.empty());
}

TEST_F(DibDrawingTest, KeyColourAbsentDrawsTheWholeRectangle) {
    QImage target = Target(6, 6);
    Draw(target, 1, 1, 5, 5, Quadrants(), true, RgbColour{1, 2, 3});
    for (int y = 1; y < 5; ++y)
        for (int x = 1; x < 5; ++x) ASSERT_NE(At(target, x, y), kBackground) << x << "," << y;
    EXPECT_EQ(At(target, 1, 1), qRgb(255, 0, 0));
    EXPECT_EQ(At(target, 4, 4), qRgb(255, 255, 255));
    EXPECT_EQ(At(target, 0, 0), kBackground);
}

TEST_F(DibDrawingTest, TransparentMatchesTheKeyExactly) {
    // Near-black stays opaque; only the key colour itself lets the target through.
    DibImage dib = MakeDib(2, 1, 24);
    StoredRow(dib, 0)[3] = 1;
    QImage target = Target(2, 1);
    Draw(target, 0, 0, 2, 1, dib, true, kBlack);
    EXPECT_EQ(At(target, 0, 0), kBackground);
    EXPECT_EQ(At(target, 1, 0), qRgb(0, 0, 1));
}

TEST_F(DibDrawingTest, MissingPictureShows104AndDrawsNothing) {
    for (bool transparent : {false, true}) {
        QImage target = Target(2, 2);
        Draw(target, 0, 0, 2, 2, DibImage{}, transparent);
        EXPECT_EQ(At(target, 0, 0), kBackground);
    }
    ASSERT_EQ(sink.Texts(), (std::vector<std::string>(2, "Invalid image pointer. Error code:104.")));
    EXPECT_EQ(sink.shown[0].caption, "Error");
    EXPECT_TRUE(sink.shown[0].taskModal);
}

TEST_F(DibDrawingTest, TransparentCopyThatCannotBeMadeShows104) {
    DibImage badTable = MakeDib(2, 2, 8, {}, 999);
    QImage target = Target(2, 2);
    Draw(target, 0, 0, 2, 2, badTable, true);
    EXPECT_EQ(sink.Texts(), (std::vector<std::string>{"Invalid image pointer. Error code:104."}));
    EXPECT_EQ(At(target, 0, 0), kBackground);
}

TEST_F(DibDrawingTest, EmptyRectanglesDrawNothing) {
    QImage target = Target(4, 4);
    Draw(target, 2, 2, 2, 4, Quadrants());
    Draw(target, 3, 3, 1, 1, Quadrants(), true);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(At(target, x, y), kBackground);
    EXPECT_TRUE(sink.shown.empty());
}

TEST_F(DibDrawingTest, DrawTransparentFitsABitmapOfAnotherSize) {
    QImage bitmap(2, 1, QImage::Format_RGB32);
    bitmap.setPixel(0, 0, qRgb(0, 0, 0));
    bitmap.setPixel(1, 0, qRgb(9, 9, 9));
    QImage target = Target(4, 1);
    {
        QPainter painter(&target);
        DrawTransparent(painter, bitmap, 0, 0, 4, 1, kBlack);
    }
    EXPECT_EQ(At(target, 0, 0), kBackground);
    EXPECT_EQ(At(target, 1, 0), kBackground);
    EXPECT_EQ(At(target, 2, 0), qRgb(9, 9, 9));
    EXPECT_EQ(At(target, 3, 0), qRgb(9, 9, 9));
}

}  // namespace

namespace {

// A picture whose every pixel differs from its neighbours.
DibImage Patterned(std::uint32_t width, std::uint32_t height, std::uint16_t depth) {
    std::vector<RgbColour> table;
    if (depth == 8)
        for (int i = 0; i < 256; ++i)
            table.push_back({static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), static_cast<std::uint8_t>(i * 7)});
    DibImage dib = MakeDib(width, height, depth, table, depth == 8 ? 256 : 0);
    for (std::uint32_t y = 0; y < height; ++y)
        for (std::uint32_t i = 0; i < width * depth / 8; ++i) StoredRow(dib, y)[i] = static_cast<std::uint8_t>(y * 31 + i * 17);
    return dib;
}

TEST_F(DibDrawingTest, DirectStretchMatchesThePainterWhenEnlarging) {
    struct Case {
        int destLeft, destTop, destWidth, destHeight, sx, sy, sw, sh;
    };
    const Case cases[] = {
        {1, 1, 10, 8, 0, 0, 5, 4},    // the whole picture, doubled
        {2, 0, 6, 9, 1, 1, 2, 3},     // a part, tripled
        {-3, -2, 15, 12, 0, 0, 5, 4}, // clipped at the target's edges
    };
    for (std::uint16_t depth : {8, 24, 32}) {
        const DibImage dib = Patterned(5, 4, depth);
        for (const Case& c : cases) {
            QImage viaPainter = Target(12, 12), direct = Target(12, 12);
            {
                QPainter painter(&viaPainter);
                StretchDibBits(painter, c.destLeft, c.destTop, c.destWidth, c.destHeight, c.sx, c.sy, c.sw, c.sh, dib);
            }
            ASSERT_TRUE(StretchDibIntoImage(direct, c.destLeft, c.destTop, c.destWidth, c.destHeight, c.sx, c.sy, c.sw,
                                            c.sh, dib));
            for (int y = 0; y < 12; ++y)
                for (int x = 0; x < 12; ++x)
                    ASSERT_EQ(At(direct, x, y), At(viaPainter, x, y)) << depth << " " << c.destLeft << " " << x << "," << y;
        }
    }
}

TEST_F(DibDrawingTest, DirectStretchLeavesOtherDepthsAndOutsideSourcesToThePainter) {
    QImage target = Target(4, 4);
    EXPECT_FALSE(StretchDibIntoImage(target, 0, 0, 4, 4, 0, 0, 2, 2, MakeDib(2, 2, 4, {{1, 1, 1}}, 1)));
    EXPECT_FALSE(StretchDibIntoImage(target, 0, 0, 4, 4, 1, 0, 2, 2, Patterned(2, 2, 24)));
    EXPECT_FALSE(StretchDibIntoImage(target, 0, 0, 4, 4, 0, -1, 2, 2, Patterned(2, 2, 24)));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) ASSERT_EQ(At(target, x, y), kBackground);
}

}  // namespace
