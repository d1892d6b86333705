#include "tests/imagelib/rgb_image.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace imagelib_test {
std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

RgbImage FromRgbaOverBlack(const std::vector<std::uint8_t>& rgba, std::uint32_t width, std::uint32_t height) {
    RgbImage out;
    out.width = width;
    out.height = height;
    out.rgb.resize(std::size_t{width} * height * 3);
    for (std::size_t i = 0; i < std::size_t{width} * height; ++i)
        for (std::size_t c = 0; c < 3; ++c)
            out.rgb[3 * i + c] = static_cast<std::uint8_t>((rgba[4 * i + c] * rgba[4 * i + 3] + 127) / 255);
    return out;
}

RgbImage FromDib(const imagelib::Dib& dib) {
    RgbImage img;
    img.width = dib.Width();
    img.height = dib.Height();
    img.rgb.resize(std::size_t{img.width} * img.height * 3);
    const unsigned bits = dib.BitsPerPixel();
    const std::uint32_t stride = dib.Stride();
    for (std::uint32_t y = 0; y < img.height; ++y) {
        const std::uint8_t* row = dib.bits.data() + std::size_t{img.height - 1 - y} * stride;
        for (std::uint32_t x = 0; x < img.width; ++x) {
            std::uint8_t* p = &img.rgb[(std::size_t{y} * img.width + x) * 3];
            if (bits == 24) {
                p[0] = row[3 * x + 2], p[1] = row[3 * x + 1], p[2] = row[3 * x];
                continue;
            }
            const unsigned perByte = 8 / bits;
            const unsigned index = (row[x / perByte] >> (bits * (perByte - 1 - x % perByte))) & ((1u << bits) - 1);
            const imagelib::RgbQuad q = index < dib.ColoursUsed() ? dib.Palette()[index] : imagelib::RgbQuad{};
            p[0] = q.red, p[1] = q.green, p[2] = q.blue;
        }
    }
    return img;
}

bool ReadPpm(const std::string& path, RgbImage& out) {
    const std::vector<std::uint8_t> bytes = ReadBytes(path);
    std::string text(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(bytes.size(), 64)));
    std::istringstream header(text);
    std::string magic;
    unsigned w = 0, h = 0, maxval = 0;
    if (!(header >> magic >> w >> h >> maxval) || magic != "P6" || maxval != 255) return false;
    const std::size_t start = static_cast<std::size_t>(header.tellg()) + 1;
    const std::size_t size = std::size_t{w} * h * 3;
    if (bytes.size() < start + size) return false;
    out.width = w;
    out.height = h;
    out.rgb.assign(bytes.begin() + static_cast<std::ptrdiff_t>(start), bytes.begin() + static_cast<std::ptrdiff_t>(start + size));
    return true;
}

Difference Compare(const RgbImage& actual, const RgbImage& expected, int tolerance) {
    Difference d;
    d.sameSize = actual.width == expected.width && actual.height == expected.height;
    if (!d.sameSize) return d;
    for (std::uint32_t y = 0; y < actual.height; ++y)
        for (std::uint32_t x = 0; x < actual.width; ++x) {
            int worst = 0;
            for (int c = 0; c < 3; ++c) worst = std::max(worst, std::abs(actual.At(x, y)[c] - expected.At(x, y)[c]));
            d.maxChannelDiff = std::max(d.maxChannelDiff, worst);
            if (worst > tolerance && d.pixelsBeyond++ == 0) d.firstX = x, d.firstY = y;
        }
    return d;
}

std::string Describe(const Difference& d, const RgbImage& actual, const RgbImage& expected) {
    std::ostringstream s;
    if (!d.sameSize) {
        s << "size " << actual.width << "x" << actual.height << ", expected " << expected.width << "x" << expected.height;
        return s.str();
    }
    const std::uint8_t* a = actual.At(d.firstX, d.firstY);
    const std::uint8_t* e = expected.At(d.firstX, d.firstY);
    s << d.pixelsBeyond << " pixels off (max channel diff " << d.maxChannelDiff << "); first at (" << d.firstX << ","
      << d.firstY << "): got " << int(a[0]) << "," << int(a[1]) << "," << int(a[2]) << " expected " << int(e[0]) << ","
      << int(e[1]) << "," << int(e[2]);
    return s.str();
}

}  // namespace imagelib_test
