// Draws the navigator bar bitmap (resource 377) and writes it as a BMP file:
//   navbar_bitmap OUT.bmp
// 280 x 25 pixels, 8 bits, a 256-entry grey table. The bar is a rounded grey strip of four
// segments; everything outside its rounded ends is pure black, the key colour the view
// draws it with, so the slide shows through there. No pixel of the bar itself is black.
// The view draws the button labels over it in its own colours.

#include "platform/posix/posix_file_system.h"

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int kWidth = 280;
constexpr int kHeight = 25;
// Dividers between the four buttons, on the hit-test boundaries of a 280-pixel bar.
constexpr int kDividers[] = {80, 146, 212};
constexpr double kRadius = kHeight / 2.0;

// Grey levels (table index i is the grey i, i, i; 0 is the transparent black).
constexpr std::uint8_t kOutside = 0;
constexpr std::uint8_t kOutline = 56;
constexpr std::uint8_t kHighlight = 232;
constexpr std::uint8_t kShadow = 96;
constexpr std::uint8_t kDividerDark = 72;
constexpr std::uint8_t kDividerLight = 220;

bool Inside(int x, int y) {
    if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) return false;
    const double cx = x + 0.5, cy = y + 0.5;
    double dx = 0;
    if (cx < kRadius) dx = kRadius - cx;
    if (cx > kWidth - kRadius) dx = cx - (kWidth - kRadius);
    const double dy = cy - kRadius;
    return dx * dx + dy * dy <= kRadius * kRadius;
}

bool OnEdge(int x, int y) {
    return !Inside(x - 1, y) || !Inside(x + 1, y) || !Inside(x, y - 1) || !Inside(x, y + 1);
}

std::uint8_t Shade(int x, int y) {
    if (!Inside(x, y)) return kOutside;
    if (OnEdge(x, y)) return kOutline;
    for (int d : kDividers) {
        if (x == d) return kDividerDark;
        if (x == d + 1) return kDividerLight;
    }
    if (OnEdge(x, y - 1)) return kHighlight;
    if (OnEdge(x, y + 1)) return kShadow;
    // Lighter at the top, darker at the bottom: a raised button face.
    return static_cast<std::uint8_t>(200 - y * 70 / (kHeight - 1));
}

void Put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, static_cast<std::uint16_t>(v));
    Put16(out, static_cast<std::uint16_t>(v >> 16));
}

std::vector<std::uint8_t> BmpFile() {
    constexpr std::uint32_t kTableBytes = 256 * 4;
    constexpr std::uint32_t kStride = (kWidth + 3) / 4 * 4;
    constexpr std::uint32_t kImageBytes = kStride * kHeight;
    constexpr std::uint32_t kPixelsAt = 14 + 40 + kTableBytes;
    std::vector<std::uint8_t> out{'B', 'M'};
    Put32(out, kPixelsAt + kImageBytes);
    Put32(out, 0);
    Put32(out, kPixelsAt);
    Put32(out, 40);
    Put32(out, kWidth);
    Put32(out, kHeight);
    Put16(out, 1);
    Put16(out, 8);
    Put32(out, 0);  // plain rows
    Put32(out, kImageBytes);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 256);
    Put32(out, 0);
    for (int i = 0; i < 256; ++i) {
        const auto g = static_cast<std::uint8_t>(i);
        out.insert(out.end(), {g, g, g, 0});
    }
    for (int y = kHeight - 1; y >= 0; --y) {  // bottom row first
        for (int x = 0; x < kWidth; ++x) out.push_back(Shade(x, y));
        out.resize(out.size() + (kStride - kWidth), 0);
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: navbar_bitmap OUT.bmp\n");
        return 2;
    }
    const std::vector<std::uint8_t> bytes = BmpFile();
    platform::posix::PosixFileSystem fs;
    platform::FileCause cause = platform::FileCause::None;
    auto file = fs.Open(argv[1], platform::OpenMode::WriteCreate, false, &cause);
    if (!file || file->Write(bytes.data(), bytes.size()) != platform::FileCause::None ||
        file->TruncateHere() != platform::FileCause::None) {
        std::fprintf(stderr, "navbar_bitmap: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
