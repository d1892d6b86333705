// The printed page's geometry on a memory device context standing in for the sheet, and
// where the preview puts the sheet.
#include "tests/windows/print_test_env.h"

#include "viewer/win32/print/win32_print_preview.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

using printtest::PrintTest;

// A 32-bit bitmap of one colour selected into a memory device context.
struct MemorySheet {
    MemorySheet(int width, int height, COLORREF fill) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
        old = SelectObject(dc, bitmap);
        const HBRUSH brush = CreateSolidBrush(fill);
        const RECT all{0, 0, width, height};
        FillRect(dc, &all, brush);
        DeleteObject(brush);
        this->width = width;
    }
    ~MemorySheet() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    std::uint32_t At(int x, int y) const {
        GdiFlush();
        return bits[y * width + x] & 0xFFFFFF;
    }
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    std::uint32_t* bits = nullptr;
    int width = 0;
};

// 0x0AC80A is the picture, white the composition around it, grey the sheet left untouched.
constexpr std::uint32_t kGreen = 0x0AC80A, kWhite = 0xFFFFFF, kGrey = 0x808080;

TEST_F(PrintTest, PageLandsAtThePadsAndScalesToTheDevicesPixelsPerInch) {
    // A memory context has 96 pixels per inch: 100 picture pixels per inch at the default
    // pads 0.36 and 0.42 in put logical (0, 0) at device (34.56, 40.32), the client area's
    // 800 x 500 at 768 x 480, and the 320 x 240 picture at (240, 130) from (264.96, 165.12)
    // to (572.16, 395.52).
    MemorySheet sheet(900, 600, RGB(128, 128, 128));
    ASSERT_EQ(GetDeviceCaps(sheet.dc, LOGPIXELSX), 96);
    printing.DrawPage(sheet.dc);
    EXPECT_EQ(sheet.At(33, 100), kGrey);
    EXPECT_EQ(sheet.At(36, 100), kWhite);
    EXPECT_EQ(sheet.At(300, 39), kGrey);
    EXPECT_EQ(sheet.At(300, 42), kWhite);
    EXPECT_EQ(sheet.At(263, 280), kWhite);
    EXPECT_EQ(sheet.At(267, 280), kGreen);
    EXPECT_EQ(sheet.At(571, 280), kGreen);
    EXPECT_EQ(sheet.At(574, 280), kWhite);
    EXPECT_EQ(sheet.At(418, 163), kWhite);
    EXPECT_EQ(sheet.At(418, 167), kGreen);
    EXPECT_EQ(sheet.At(418, 393), kGreen);
    EXPECT_EQ(sheet.At(418, 397), kWhite);
    // Right and bottom of the page: 34.56 + 768 and 40.32 + 480.
    EXPECT_EQ(sheet.At(801, 100), kWhite);
    EXPECT_EQ(sheet.At(804, 100), kGrey);
    EXPECT_EQ(sheet.At(300, 519), kWhite);
    EXPECT_EQ(sheet.At(300, 522), kGrey);
    // The context is left as it was: a later drawing is not mapped.
    EXPECT_EQ(GetMapMode(sheet.dc), MM_TEXT);
}

TEST_F(PrintTest, PageFollowsTheDocumentsResolutionAndPads) {
    env.doc.m_nPrintPixelsPerInch = 200;
    env.doc.m_fPrintLeftPad = 1.0f;
    env.doc.m_fPrintTopPad = -0.5f;  // above the printable origin: the top is cut off
    MemorySheet sheet(900, 600, RGB(128, 128, 128));
    printing.DrawPage(sheet.dc);
    // 0.48 device pixels a picture pixel from (96, -48): the page to (480, 192), the
    // picture from (211.2, 14.4) to (364.8, 129.6).
    EXPECT_EQ(sheet.At(94, 100), kGrey);
    EXPECT_EQ(sheet.At(98, 100), kWhite);
    EXPECT_EQ(sheet.At(209, 50), kWhite);
    EXPECT_EQ(sheet.At(213, 50), kGreen);
    EXPECT_EQ(sheet.At(363, 50), kGreen);
    EXPECT_EQ(sheet.At(367, 50), kWhite);
    EXPECT_EQ(sheet.At(300, 12), kWhite);
    EXPECT_EQ(sheet.At(300, 16), kGreen);
    EXPECT_EQ(sheet.At(300, 128), kGreen);
    EXPECT_EQ(sheet.At(300, 131), kWhite);
    EXPECT_EQ(sheet.At(300, 190), kWhite);
    EXPECT_EQ(sheet.At(300, 194), kGrey);
    EXPECT_EQ(sheet.At(478, 100), kWhite);
    EXPECT_EQ(sheet.At(482, 100), kGrey);
}

TEST(PrintPreviewLayout, SheetIsCentredInProportionWithThePrintableAreaOnItsScale) {
    // Letter at 300 dpi with 0.25 in margins: 2550 x 3300 pixels, 2400 x 3150 printable.
    const PrinterCaps caps{2550, 3300, 75, 75, 300, 300, 203, 266};
    // Inside the 16-pixel margins 255 x 368: the width limits, one preview pixel per ten.
    PreviewLayout layout = LayOutPreview({0, 0, 287, 400}, caps, 2400, 3150);
    EXPECT_EQ(layout.paper, (Rect{16, 35, 271, 365}));
    EXPECT_EQ(layout.printable, (Rect{23, 42, 263, 357}));
    // Landscape: the height limits.
    layout = LayOutPreview({0, 0, 400, 287}, {3300, 2550, 75, 75, 300, 300, 266, 203}, 3150, 2400);
    EXPECT_EQ(layout.paper, (Rect{35, 16, 365, 271}));
    // No page, or no room: empty rectangles at the corner, nothing drawn.
    layout = LayOutPreview({5, 5, 30, 30}, caps, 2400, 3150);
    EXPECT_EQ(layout.paper, (Rect{5, 5, 5, 5}));
    layout = LayOutPreview({0, 0, 287, 400}, PrinterCaps{}, 0, 0);
    EXPECT_EQ(layout.printable, (Rect{0, 0, 0, 0}));
}

}  // namespace
