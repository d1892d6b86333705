#include "bench/raw_decoders.h"

#include "imagelib/image_format.h"

#include <jpeglib.h>
#include <openjpeg.h>
#include <png.h>
#include <tiffio.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace bench {
namespace {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
using Buffer = std::unique_ptr<std::uint8_t[], FreeDeleter>;

Buffer Allocate(std::size_t size) { return Buffer(static_cast<std::uint8_t*>(std::malloc(size))); }

std::size_t Checksum(const std::uint8_t* p, std::size_t size) { return 1 + p[0] + p[size / 2] + p[size - 1]; }

std::size_t Jpeg(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, f);
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&cinfo);
    const std::size_t stride = static_cast<std::size_t>(cinfo.output_width) * 3;
    const std::size_t size = stride * cinfo.output_height;
    Buffer pixels = Allocate(size);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = pixels.get() + stride * cinfo.output_scanline;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    std::fclose(f);
    return Checksum(pixels.get(), size);
}

std::size_t Png(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, f);
    png_read_info(png, info);
    png_set_bgr(png);
    png_read_update_info(png, info);
    const std::size_t stride = png_get_rowbytes(png, info);
    const std::size_t height = png_get_image_height(png, info);
    Buffer pixels = Allocate(stride * height);
    for (std::size_t y = 0; y < height; ++y) png_read_row(png, pixels.get() + stride * y, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(f);
    return Checksum(pixels.get(), stride * height);
}

std::size_t Tiff(const std::string& path) {
    TIFF* tif = TIFFOpen(path.c_str(), "r");
    const tmsize_t stripSize = TIFFStripSize(tif);
    const std::uint32_t strips = TIFFNumberOfStrips(tif);
    const std::size_t size = static_cast<std::size_t>(stripSize) * strips;
    Buffer pixels = Allocate(size);
    for (std::uint32_t s = 0; s < strips; ++s)
        TIFFReadEncodedStrip(tif, s, pixels.get() + static_cast<std::size_t>(stripSize) * s, stripSize);
    TIFFClose(tif);
    return Checksum(pixels.get(), size);
}

std::size_t Jpeg2000(const std::string& path) {
    opj_codec_t* codec = opj_create_decompress(OPJ_CODEC_JP2);
    opj_dparameters_t params;
    opj_set_default_decoder_parameters(&params);
    opj_setup_decoder(codec, &params);
    opj_stream_t* stream = opj_stream_create_default_file_stream(path.c_str(), OPJ_TRUE);
    opj_image_t* image = nullptr;
    std::size_t sum = 0;
    if (opj_read_header(stream, codec, &image) && opj_decode(codec, stream, image))
        sum = 1 + static_cast<std::size_t>(image->comps[0].data[0] + image->comps[2].data[image->comps[2].w * 7]);
    opj_image_destroy(image);
    opj_stream_destroy(stream);
    opj_destroy_codec(codec);
    return sum;
}

}  // namespace

std::size_t RawDecode(const TestFile& file) {
    switch (file.format) {
    case FORMAT_JPEG: return Jpeg(file.path);
    case FORMAT_PNG: return Png(file.path);
    case FORMAT_TIFF: return Tiff(file.path);
    case FORMAT_JP2: return Jpeg2000(file.path);
    default: return 0;
    }
}

}  // namespace bench
