// The quartered picture through libjpeg.
#include "tests/imagelib/oriented_jpeg.h"

#include <cstdio>  // jpeglib.h needs FILE
#include <cstdlib>
#include <jpeglib.h>

namespace imagelib::testing {

std::vector<std::uint8_t> EncodeQuarteredJpeg() {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = kQuarteredWidth;
    cinfo.image_height = kQuarteredHeight;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 100, TRUE);
    for (int i = 0; i < cinfo.num_components; ++i) cinfo.comp_info[i].h_samp_factor = cinfo.comp_info[i].v_samp_factor = 1;
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(kQuarteredWidth * 3);
    while (cinfo.next_scanline < kQuarteredHeight) {
        const bool bottom = cinfo.next_scanline >= kQuarteredHeight / 2;
        for (std::uint32_t x = 0; x < kQuarteredWidth; ++x) {
            const bool right = x >= kQuarteredWidth / 2;
            const Rgb c = QuarterColour(static_cast<Corner>((bottom ? 2 : 0) + (right ? 1 : 0)));
            row[3 * x] = static_cast<JSAMPLE>(c.r);
            row[3 * x + 1] = static_cast<JSAMPLE>(c.g);
            row[3 * x + 2] = static_cast<JSAMPLE>(c.b);
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
