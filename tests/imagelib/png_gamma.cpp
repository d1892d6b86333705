#include "tests/imagelib/png_gamma.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <string>

namespace imagelib_test {
namespace {

std::uint32_t Be32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

double SrgbEncode(double linear) {
    return linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
}

}  // namespace

std::optional<double> DeclaredPngGamma(const std::vector<std::uint8_t>& png) {
    std::optional<double> gamma;
    // Both chunks come before the image data.
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const std::uint32_t length = Be32(&png[at]);
        const std::string type(reinterpret_cast<const char*>(&png[at + 4]), 4);
        if (type == "IDAT") break;
        if (type == "sRGB") return std::nullopt;
        if (type == "gAMA" && length == 4 && at + 12 + 4 <= png.size()) gamma = Be32(&png[at + 8]) / 100000.0;
        if (length > png.size() - at - 12) break;
        at += 12 + length;
    }
    return gamma;
}

bool MatchesAfterGamma(const RgbImage& actual, const RgbImage& expected, double gamma) {
    if (actual.width != expected.width || actual.height != expected.height || gamma <= 0) return false;
    std::array<int, 256> curve{};
    for (int v = 0; v < 256; ++v)
        curve[static_cast<std::size_t>(v)] = static_cast<int>(std::lround(255 * SrgbEncode(std::pow(v / 255.0, 1 / gamma))));
    for (std::size_t i = 0; i < actual.rgb.size(); ++i) {
        const int v = actual.rgb[i];
        const int low = curve[static_cast<std::size_t>(std::max(v - 1, 0))] - 1;
        const int high = curve[static_cast<std::size_t>(std::min(v + 1, 255))] + 1;
        if (expected.rgb[i] < low || expected.rgb[i] > high) return false;
    }
    return true;
}

}  // namespace imagelib_test
