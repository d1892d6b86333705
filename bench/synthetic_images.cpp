#include "bench/synthetic_images.h"

#include "imagelib/image_format.h"

#include <jpeglib.h>
#include <openjpeg.h>
#include <png.h>
#include <tiffio.h>

#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <memory>

namespace bench {
namespace {

// Smooth shading, a few soft shapes and fine noise: compresses about as well as a
// photograph does, unlike flat synthetic patterns.
std::vector<std::uint8_t> MakeRgb() {
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(kWidth) * kHeight * 3);
    std::uint32_t seed = 12345;
    for (std::uint32_t y = 0; y < kHeight; ++y)
        for (std::uint32_t x = 0; x < kWidth; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int noise = static_cast<int>((seed >> 24) % 9) - 4;
            const double fx = x / static_cast<double>(kWidth), fy = y / static_cast<double>(kHeight);
            const double wave = 40 * std::sin(fx * 17 + std::cos(fy * 5) * 3) + 30 * std::cos(fy * 23 - fx * 4);
            const double blob = 90 * std::exp(-((fx - 0.6) * (fx - 0.6) + (fy - 0.4) * (fy - 0.4)) * 20);
            const double base[3] = {80 + 90 * fx + wave + blob, 60 + 120 * fy + wave * 0.5,
                                    150 - 80 * fx * fy + blob * 0.3};
            std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * kWidth + x) * 3];
            for (int c = 0; c < 3; ++c)
                p[c] = static_cast<std::uint8_t>(std::lround(std::fmin(255.0, std::fmax(0.0, base[c] + noise))));
        }
    return rgb;
}

bool Exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && st.st_size > 0;
}

void WriteJpeg(const std::string& path, const std::vector<std::uint8_t>& rgb) {
    FILE* f = std::fopen(path.c_str(), "wb");
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, f);
    cinfo.image_width = kWidth;
    cinfo.image_height = kHeight;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 90, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < kHeight) {
        JSAMPROW row = const_cast<JSAMPROW>(&rgb[static_cast<std::size_t>(cinfo.next_scanline) * kWidth * 3]);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::fclose(f);
}

void WritePng(const std::string& path, const std::vector<std::uint8_t>& rgb) {
    FILE* f = std::fopen(path.c_str(), "wb");
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, f);
    png_set_compression_level(png, 6);
    png_set_IHDR(png, info, kWidth, kHeight, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (std::uint32_t y = 0; y < kHeight; ++y) png_write_row(png, &rgb[static_cast<std::size_t>(y) * kWidth * 3]);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
}

void WriteTiff(const std::string& path, const std::vector<std::uint8_t>& rgb) {
    TIFF* tif = TIFFOpen(path.c_str(), "w");
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, kWidth);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, kHeight);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_ADOBE_DEFLATE);
    TIFFSetField(tif, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL);
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, 16);
    for (std::uint32_t y = 0; y < kHeight; ++y)
        TIFFWriteScanline(tif, const_cast<std::uint8_t*>(&rgb[static_cast<std::size_t>(y) * kWidth * 3]), y, 0);
    TIFFClose(tif);
}

void WriteJpeg2000(const std::string& path, const std::vector<std::uint8_t>& rgb) {
    opj_image_cmptparm_t parms[3] = {};
    for (auto& p : parms) {
        p.dx = p.dy = 1;
        p.w = kWidth;
        p.h = kHeight;
        p.prec = 8;
    }
    opj_image_t* image = opj_image_create(3, parms, OPJ_CLRSPC_SRGB);
    image->x1 = kWidth;
    image->y1 = kHeight;
    for (std::size_t i = 0; i < static_cast<std::size_t>(kWidth) * kHeight; ++i)
        for (int c = 0; c < 3; ++c) image->comps[c].data[i] = rgb[i * 3 + static_cast<std::size_t>(c)];
    opj_cparameters_t params;
    opj_set_default_encoder_parameters(&params);
    params.irreversible = 1;
    params.tcp_numlayers = 1;
    params.tcp_rates[0] = 20;
    params.cp_disto_alloc = 1;
    params.tcp_mct = 1;
    params.tile_size_on = OPJ_TRUE;
    params.cp_tdx = params.cp_tdy = 1024;
    opj_codec_t* codec = opj_create_compress(OPJ_CODEC_JP2);
    opj_codec_set_threads(codec, 2);
    opj_setup_encoder(codec, &params, image);
    opj_stream_t* stream = opj_stream_create_default_file_stream(path.c_str(), OPJ_FALSE);
    opj_start_compress(codec, image, stream);
    opj_encode(codec, stream);
    opj_end_compress(codec, stream);
    opj_stream_destroy(stream);
    opj_destroy_codec(codec);
    opj_image_destroy(image);
}

}  // namespace

std::vector<TestFile> MakeTestFiles(const std::string& folder) {
    ::mkdir(folder.c_str(), 0755);
    std::vector<TestFile> files = {
        {"jpeg", folder + "/photo.jpg", FORMAT_JPEG},
        {"png", folder + "/photo.png", FORMAT_PNG},
        {"tiff", folder + "/photo.tif", FORMAT_TIFF},
        {"jp2", folder + "/photo.jp2", FORMAT_JP2},
    };
    std::vector<std::uint8_t> rgb;
    using Writer = void (*)(const std::string&, const std::vector<std::uint8_t>&);
    const Writer writers[] = {WriteJpeg, WritePng, WriteTiff, WriteJpeg2000};
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (Exists(files[i].path)) continue;
        if (rgb.empty()) rgb = MakeRgb();
        std::fprintf(stderr, "writing %s\n", files[i].path.c_str());
        writers[i](files[i].path + ".part", rgb);
        std::rename((files[i].path + ".part").c_str(), files[i].path.c_str());
    }
    return files;
}

}  // namespace bench
