// The PNG renderings of the reference folders, read with libpng directly so that the
// comparison does not depend on our PNG decoder.

#include "tests/imagelib/rgb_image.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>

namespace imagelib_test {

namespace {

struct PngSource {
    const std::vector<std::uint8_t>* bytes;
    std::size_t pos;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t count) {
    auto* src = static_cast<PngSource*>(png_get_io_ptr(png));
    if (src->pos + count > src->bytes->size()) png_error(png, "truncated");
    std::copy_n(src->bytes->data() + src->pos, count, out);
    src->pos += count;
}

void Silent(png_structp, png_const_charp) {}
void Fail(png_structp png, png_const_charp) { png_longjmp(png, 1); }

// Reads stored sample values as 8-bit RGBA. Gamma chunks are deliberately ignored: the
// renderings hold sample values, and decoders apply no colour management either.
// Only plain data lives in this frame, since libpng leaves it with longjmp.
bool ReadRgba(PngSource* src, png_bytep rgba, std::size_t capacity, png_uint_32* width, png_uint_32* height) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, Fail, Silent);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, src, ReadFromMemory);
    png_read_info(png, info);
    *width = png_get_image_width(png, info);
    *height = png_get_image_height(png, info);
    if (rgba == nullptr || std::size_t{*width} * *height * 4 > capacity) {
        png_destroy_read_struct(&png, &info, nullptr);
        return rgba == nullptr;
    }
    png_set_expand(png);
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    for (int pass = 0; pass < passes; ++pass)
        for (png_uint_32 y = 0; y < *height; ++y) png_read_row(png, rgba + std::size_t{y} * *width * 4, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

}  // namespace

bool ReadPng(const std::string& path, RgbImage& out) {
    const std::vector<std::uint8_t> bytes = ReadBytes(path);
    PngSource probe{&bytes, 0};
    png_uint_32 w = 0, h = 0;
    if (!ReadRgba(&probe, nullptr, 0, &w, &h) || std::size_t{w} * h > (1u << 26)) return false;
    std::vector<std::uint8_t> rgba(std::size_t{w} * h * 4);
    PngSource src{&bytes, 0};
    if (!ReadRgba(&src, rgba.data(), rgba.size(), &w, &h)) return false;
    out = FromRgbaOverBlack(rgba, w, h);
    return true;
}

}  // namespace imagelib_test
