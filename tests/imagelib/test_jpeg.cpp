#include "tests/imagelib/test_jpeg.h"

#include <cstdlib>

namespace imagelib::testing {

std::vector<std::uint8_t> EncodeTestJpeg(std::uint32_t width, std::uint32_t height,
                                         const std::function<Rgb(std::uint32_t x, std::uint32_t y)>& pixel,
                                         const JpegEncoding& encoding) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = width;
    cinfo.image_height = height;
    cinfo.input_components = encoding.space == JCS_GRAYSCALE ? 1 : (encoding.space == JCS_CMYK ? 4 : 3);
    cinfo.in_color_space = encoding.space;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 100, TRUE);
    if (!encoding.subsampled)
        for (int i = 0; i < cinfo.num_components; ++i)
            cinfo.comp_info[i].h_samp_factor = cinfo.comp_info[i].v_samp_factor = 1;
    if (encoding.progressive) jpeg_simple_progression(&cinfo);
    cinfo.restart_in_rows = encoding.restartRows;
    jpeg_start_compress(&cinfo, TRUE);
    const auto components = static_cast<std::size_t>(cinfo.input_components);
    std::vector<JSAMPLE> row(width * components);
    while (cinfo.next_scanline < height) {
        for (std::uint32_t x = 0; x < width; ++x) {
            const Rgb c = pixel(x, cinfo.next_scanline);
            JSAMPLE* p = &row[x * components];
            if (components == 1) {
                p[0] = static_cast<JSAMPLE>(c.g);
                continue;
            }
            p[0] = static_cast<JSAMPLE>(c.r);
            p[1] = static_cast<JSAMPLE>(c.g);
            p[2] = static_cast<JSAMPLE>(c.b);
            if (components == 4) p[3] = 255;
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<std::uint8_t> file(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return file;
}

}  // namespace imagelib::testing
