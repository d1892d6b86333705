#pragma once

#include "imagelib/decoders.h"
#include "tests/imagelib/rgb_image.h"

#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <vector>

namespace imagelib_test {

// Builds small image files byte by byte for the decoder tests.
class ByteBuilder {
public:
    ByteBuilder& U8(std::initializer_list<int> values) {
        for (int v : values) bytes_.push_back(static_cast<std::uint8_t>(v));
        return *this;
    }
    ByteBuilder& Le16(std::uint32_t v) { return U8({int(v & 0xFF), int((v >> 8) & 0xFF)}); }
    ByteBuilder& Le32(std::uint32_t v) { return Le16(v & 0xFFFF).Le16(v >> 16); }
    ByteBuilder& Be32(std::uint32_t v) { return U8({int(v >> 24), int((v >> 16) & 0xFF), int((v >> 8) & 0xFF), int(v & 0xFF)}); }
    ByteBuilder& Text(const char* s) {
        while (*s) bytes_.push_back(static_cast<std::uint8_t>(*s++));
        return *this;
    }
    ByteBuilder& Zeros(std::size_t n) {
        bytes_.insert(bytes_.end(), n, 0);
        return *this;
    }
    ByteBuilder& Append(const std::vector<std::uint8_t>& more) {
        bytes_.insert(bytes_.end(), more.begin(), more.end());
        return *this;
    }
    void PatchLe32(std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes_[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
    }
    std::size_t Size() const { return bytes_.size(); }
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};
inline std::ostream& operator<<(std::ostream& os, const Rgb& c) {
    return os << "(" << c.r << "," << c.g << "," << c.b << ")";
}

inline Rgb PixelAt(const RgbImage& img, std::uint32_t x, std::uint32_t y) {
    const std::uint8_t* p = img.At(x, y);
    return {p[0], p[1], p[2]};
}

// Decodes with `decode`; on success `depth` gets the picture's bits per pixel.
template <typename Decode>
bool DecodeToRgb(Decode decode, const std::vector<std::uint8_t>& file, RgbImage& out, int* depth = nullptr) {
    imagelib::Dib dib;
    if (!decode(imagelib::ByteSpan(file), dib).ok()) return false;
    if (depth) *depth = dib.BitsPerPixel();
    out = FromDib(dib);
    return true;
}

}  // namespace imagelib_test
