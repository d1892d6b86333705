// JPEG through libjpeg-turbo. libjpeg reports fatal errors by calling error_exit, which
// here longjmps back into the small step functions below. Those functions hold only
// plain data between setjmp and any library call, so the jump skips no destructor.
#include "imagelib/colour_profile.h"
#include "imagelib/decoders.h"
#include "imagelib/dib_palette.h"
#include "imagelib/orientation.h"

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <cstdio>  // jpeglib.h needs FILE
#include <jpeglib.h>
#include <jerror.h>  // after jpeglib.h, which it needs

namespace imagelib {
namespace {

// Progressive files with thousands of scans take minutes to decode; real ones have few.
constexpr int kMaxScans = 1000;
// Ceiling on libjpeg's own working memory (coefficient buffers of progressive files).
constexpr long kMaxLibraryMemory = 1l << 30;

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    const char* message;
    bool endOfData;  // the scan's data ended early; libjpeg goes on with made-up empty data
};

struct ProgressGuard {
    jpeg_progress_mgr pub;
};

void ExitWithError(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::longjmp(err->jump, 1);
}

void IgnoreMessage(j_common_ptr) {}

bool IsRestartMarker(int marker) { return marker >= 0xD0 && marker <= 0xD7; }

// The scan's data ends early when the file does, or when a marker other than a restart
// comes where coded data was still needed (after a restart the decoder picks up again).
void OnMessage(j_common_ptr cinfo, int level) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    if (level != -1 || !cinfo->is_decompressor) return;
    const int marker = reinterpret_cast<j_decompress_ptr>(cinfo)->unread_marker;
    if (err->pub.msg_code == JWRN_JPEG_EOF || (err->pub.msg_code == JWRN_HIT_MARKER && !IsRestartMarker(marker)))
        err->endOfData = true;
}

void LimitScans(j_common_ptr cinfo) {
    if (!cinfo->is_decompressor) return;
    auto* dinfo = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (dinfo->input_scan_number > kMaxScans) {
        reinterpret_cast<ErrorManager*>(cinfo->err)->message = "Too many JPEG scans";
        std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
    }
}

// Everything the steps share; plain data only.
struct JpegSession {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    ProgressGuard progress;
    bool created;
};

void FailMessage(JpegSession& s, const char* fallback) {
    if (!s.err.message) s.err.message = fallback;
}

bool ReadHeader(JpegSession& s, const std::uint8_t* data, std::size_t size) {
    if (setjmp(s.err.jump)) {
        FailMessage(s, "Corrupt JPEG header");
        return false;
    }
    // Set first: a failed create leaves a state that destroy accepts.
    s.created = true;
    jpeg_create_decompress(&s.cinfo);
    s.cinfo.mem->max_memory_to_use = kMaxLibraryMemory;
    s.progress.pub.progress_monitor = LimitScans;
    s.cinfo.progress = &s.progress.pub;
    jpeg_mem_src(&s.cinfo, data, static_cast<unsigned long>(size));
    // Kept for the Exif orientation; libjpeg bounds each segment by its length field.
    jpeg_save_markers(&s.cinfo, JPEG_APP0 + 1, 0xFFFF);
    // And the colour profile's chunks.
    jpeg_save_markers(&s.cinfo, JPEG_APP0 + 2, 0xFFFF);
    if (jpeg_read_header(&s.cinfo, TRUE) != JPEG_HEADER_OK) {
        s.err.message = "No JPEG image";
        return false;
    }
    return true;
}

// Sets libjpeg's DCT scaling and works out the output size it gives.
bool ScaleOutput(JpegSession& s, int reduction) {
    if (setjmp(s.err.jump)) {
        FailMessage(s, "Corrupt JPEG header");
        return false;
    }
    s.cinfo.scale_num = 1;
    s.cinfo.scale_denom = 1u << reduction;
    jpeg_calc_output_dimensions(&s.cinfo);
    return true;
}

bool StartDecompress(JpegSession& s) {
    if (setjmp(s.err.jump)) {
        FailMessage(s, "Corrupt JPEG data");
        return false;
    }
    jpeg_start_decompress(&s.cinfo);
    return true;
}

// Adobe writers store CMYK inverted (0 = full ink); others store it plainly.
void CmykRowToBgr(const JSAMPLE* cmyk, std::uint8_t* bgr, JDIMENSION width, bool inverted) {
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
        unsigned c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        bgr[0] = static_cast<std::uint8_t>((y * k + 127) / 255);
        bgr[1] = static_cast<std::uint8_t>((m * k + 127) / 255);
        bgr[2] = static_cast<std::uint8_t>((c * k + 127) / 255);
    }
}

// Decodes the scanlines from the current one up to `endRow` into the rows of `dib` (its
// top row the current scanline, its first column the output's column `firstColumn`). CMYK
// and a picture narrower than the output go through one row of libjpeg's own pool memory;
// everything else lands straight in the picture.
bool ReadRows(JpegSession& s, Dib& dib, JDIMENSION endRow, JDIMENSION firstColumn = 0) {
    if (setjmp(s.err.jump)) {
        FailMessage(s, "Corrupt JPEG data");
        return false;
    }
    // Past the end of a truncated or damaged scan libjpeg makes up empty blocks for the rest
    // of the picture, which for a tiny file declaring a huge picture is a long wait for
    // nothing, at every scale. So the picture ends with the row group the data ran out in;
    // the rest stays black.
    // (Multi-scan files have all their data read before this point.)
    s.err.endOfData = false;
    const JDIMENSION groupRows = static_cast<JDIMENSION>(s.cinfo.max_v_samp_factor * s.cinfo.min_DCT_scaled_size);
    JDIMENSION stopAt = endRow;
    j_decompress_ptr cinfo = &s.cinfo;
    const JDIMENSION firstRow = cinfo->output_scanline;
    const bool cmyk = cinfo->out_color_space == JCS_CMYK;
    const auto components = static_cast<std::size_t>(cinfo->output_components);
    const bool buffered = cmyk || firstColumn > 0 || dib.Width() != cinfo->output_width;
    JSAMPROW buffer = nullptr;
    if (buffered)
        buffer = static_cast<JSAMPROW>((*cinfo->mem->alloc_small)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE,
                                                                  cinfo->output_width * components));
    const JSAMPLE* kept = buffer ? buffer + firstColumn * components : nullptr;
    const bool inverted = cinfo->saw_Adobe_marker;
    while (cinfo->output_scanline < stopAt) {
        const JDIMENSION y = cinfo->output_scanline;
        std::uint8_t* target = dib.RowFromTop(y - firstRow);
        JSAMPROW row = buffered ? buffer : target;
        if (jpeg_read_scanlines(cinfo, &row, 1) != 1) {
            s.err.message = "Truncated JPEG data";
            return false;
        }
        if (cmyk) CmykRowToBgr(kept, target, dib.Width(), inverted);
        else if (buffered) std::memcpy(target, kept, dib.Width() * components);
        if (s.err.endOfData && stopAt == endRow && groupRows > 0)
            stopAt = std::min(stopAt, (y / groupRows + 1) * groupRows);
    }
    return true;
}

bool Finish(JpegSession& s) {
    if (setjmp(s.err.jump)) return false;
    jpeg_finish_decompress(&s.cinfo);
    return true;
}

class SessionCloser {
public:
    explicit SessionCloser(JpegSession& s) : s_(s) {}
    ~SessionCloser() {
        if (s_.created) jpeg_destroy_decompress(&s_.cinfo);
    }
    SessionCloser(const SessionCloser&) = delete;
    SessionCloser& operator=(const SessionCloser&) = delete;

private:
    JpegSession& s_;
};

// The orientation of the first APP1 segment that is Exif.
int ExifOrientation(const jpeg_decompress_struct& cinfo) {
    for (jpeg_saved_marker_ptr m = cinfo.marker_list; m; m = m->next) {
        if (m->marker != JPEG_APP0 + 1 || m->data_length < 6 || std::memcmp(m->data, "Exif\0", 6) != 0) continue;
        return ReadExifOrientation(ByteSpan(m->data, m->data_length));
    }
    return kStoredUpright;
}

std::vector<std::uint8_t> IccProfile(const jpeg_decompress_struct& cinfo) {
    std::vector<ByteSpan> bodies;
    for (jpeg_saved_marker_ptr m = cinfo.marker_list; m; m = m->next)
        if (m->marker == JPEG_APP0 + 2) bodies.emplace_back(m->data, m->data_length);
    return JoinJpegProfile(bodies);
}

// Picks the output colour space: grey stays grey, CMYK/YCCK arrive as CMYK for our own
// conversion, everything else as BGR in the picture's byte order.
Status ChooseOutput(jpeg_decompress_struct& cinfo, std::uint16_t& depth) {
    switch (cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE:
        cinfo.out_color_space = JCS_GRAYSCALE;
        depth = 8;
        return Status::Ok();
    case JCS_CMYK:
    case JCS_YCCK:
        cinfo.out_color_space = JCS_CMYK;
        depth = 24;
        return Status::Ok();
    case JCS_RGB:
    case JCS_YCbCr:
        cinfo.out_color_space = JCS_EXT_BGR;
        depth = 24;
        return Status::Ok();
    default: return Status::Error("Unsupported JPEG colour space");
    }
}

bool Crop(JpegSession& s, JDIMENSION& left, JDIMENSION& width) {
    if (setjmp(s.err.jump)) {
        FailMessage(s, "Corrupt JPEG data");
        return false;
    }
    jpeg_crop_scanline(&s.cinfo, &left, &width);
    return true;
}

bool Skip(JpegSession& s, JDIMENSION rows) {
    if (setjmp(s.err.jump)) {
        FailMessage(s, "Corrupt JPEG data");
        return false;
    }
    s.err.endOfData = false;
    return jpeg_skip_scanlines(&s.cinfo, rows) == rows;
}

// What the header tells both decodes.
struct Prepared {
    std::uint16_t depth = 0;
    std::uint32_t colours = 0;
    int orientation = kStoredUpright;
    PictureScale upright;
    std::vector<std::uint8_t> profile;
};

Status Prepare(JpegSession& s, ByteSpan file, Prepared& p) {
    if (file.size() < 4) return Status::Error("Truncated JPEG file");
    s.cinfo.err = jpeg_std_error(&s.err.pub);
    s.err.pub.error_exit = ExitWithError;
    s.err.pub.output_message = IgnoreMessage;
    s.err.pub.emit_message = OnMessage;
    if (!ReadHeader(s, file.data(), file.size())) return Status::Error(s.err.message);
    IMAGELIB_TRY(ChooseOutput(s.cinfo, p.depth));
    // Refuse absurd sizes before libjpeg sets up its buffers for them; a file refused at
    // full size is refused at every scale and for every region.
    p.colours = p.depth == 8 ? 256 : 0;
    IMAGELIB_TRY(CheckDibSize(s.cinfo.image_width, s.cinfo.image_height, p.depth, p.colours));
    // Kept now: a damaged file can declare another size in a later frame header, which
    // libjpeg reads while it decodes.
    const std::uint32_t fullWidth = s.cinfo.image_width, fullHeight = s.cinfo.image_height;
    // The rule and the caller see the upright picture's sides.
    p.orientation = ExifOrientation(s.cinfo);
    // Copied now: finishing the decompression frees the saved segments.
    p.profile = IccProfile(s.cinfo);
    p.upright = SwapsSides(p.orientation) ? PictureScale{fullHeight, fullWidth, 0}
                                          : PictureScale{fullWidth, fullHeight, 0};
    return Status::Ok();
}

}  // namespace

Status DecodeJpeg(ByteSpan file, Dib& out) {
    PictureScale scale;
    return DecodeJpegScaled(file, FixedReduction(0), out, scale);
}

Status DecodeJpegScaled(ByteSpan file, const ReductionRule& rule, Dib& out, PictureScale& scale) {
    JpegSession s{};
    SessionCloser closer(s);
    Prepared p;
    IMAGELIB_TRY(Prepare(s, file, p));
    const int reduction = std::clamp(rule(p.upright.fullWidth, p.upright.fullHeight), 0, kMaxReduction);
    if (!ScaleOutput(s, reduction)) return Status::Error(s.err.message);
    Dib dib;
    IMAGELIB_TRY(AllocateDib(s.cinfo.output_width, s.cinfo.output_height, p.depth, p.colours, dib));
    if (!StartDecompress(s)) return Status::Error(s.err.message);
    if (s.cinfo.output_width != dib.Width() || s.cinfo.output_height != dib.Height())
        return Status::Error("Unexpected JPEG output size");
    if (p.depth == 8) SetGreyPalette(dib, 256);
    if (!ReadRows(s, dib, s.cinfo.output_height)) return Status::Error(s.err.message);
    // Rows past those decoded stay black; turning and converting them would only cost time.
    const std::uint32_t decodedRows = s.cinfo.output_scanline;
    // Trailing garbage after the last scan does not spoil a complete picture.
    if (decodedRows == s.cinfo.output_height) (void)Finish(s);
    ConvertToSrgb(p.profile, dib, decodedRows);
    IMAGELIB_TRY(MakeUpright(dib, p.orientation, decodedRows));
    scale = {p.upright.fullWidth, p.upright.fullHeight, reduction};
    out = std::move(dib);
    return Status::Ok();
}

Status DecodeJpegRegion(ByteSpan file, int reduction, const PixelRect& wanted, Dib& out, PixelRect& region,
                        PictureScale& scale) {
    JpegSession s{};
    SessionCloser closer(s);
    Prepared p;
    IMAGELIB_TRY(Prepare(s, file, p));
    // The stored rows would have to be turned first, which needs the whole picture.
    if (p.orientation != kStoredUpright) return Status::Error("JPEG region of a turned picture");
    reduction = std::clamp(reduction, 0, kMaxReduction);
    if (!ScaleOutput(s, reduction)) return Status::Error(s.err.message);
    const std::uint64_t right = std::min<std::uint64_t>(std::uint64_t{wanted.left} + wanted.width, s.cinfo.output_width);
    const std::uint64_t bottom =
        std::min<std::uint64_t>(std::uint64_t{wanted.top} + wanted.height, s.cinfo.output_height);
    if (wanted.width == 0 || wanted.height == 0 || wanted.left >= right || wanted.top >= bottom)
        return Status::Error("Empty JPEG region");
    const JDIMENSION fullOutputHeight = s.cinfo.output_height;
    if (!StartDecompress(s)) return Status::Error(s.err.message);
    if (s.cinfo.output_height != fullOutputHeight) return Status::Error("Unexpected JPEG output size");
    // libjpeg widens the columns to whole blocks and says which it chose. Its smoothed
    // chroma upsampling makes the outermost column on a side with a neighbour differ from
    // the whole decode, so one column more is asked each way and that one dropped.
    const JDIMENSION outputWidth = s.cinfo.output_width;
    JDIMENSION cropLeft = wanted.left > 0 ? wanted.left - 1 : 0;
    JDIMENSION cropWidth = static_cast<JDIMENSION>(std::min<std::uint64_t>(right + 1, outputWidth) - cropLeft);
    if (!Crop(s, cropLeft, cropWidth)) return Status::Error(s.err.message);
    const JDIMENSION keptLeft = cropLeft > 0 ? cropLeft + 1 : 0;
    const JDIMENSION keptRight = cropLeft + cropWidth < outputWidth ? cropLeft + cropWidth - 1 : outputWidth;
    const auto rows = static_cast<JDIMENSION>(bottom - wanted.top);
    Dib dib;
    IMAGELIB_TRY(AllocateDib(keptRight - keptLeft, rows, p.depth, p.colours, dib));
    if (p.depth == 8) SetGreyPalette(dib, 256);
    const bool skipped = wanted.top == 0 || Skip(s, wanted.top);
    if (!skipped && s.err.message) return Status::Error(s.err.message);
    // Data that ends above the region leaves it black, as it is in the whole picture.
    if (skipped && !s.err.endOfData && !ReadRows(s, dib, static_cast<JDIMENSION>(bottom), keptLeft - cropLeft))
        return Status::Error(s.err.message);
    const std::uint32_t decodedRows = s.cinfo.output_scanline > wanted.top ? s.cinfo.output_scanline - wanted.top : 0;
    ConvertToSrgb(p.profile, dib, decodedRows);
    region = {keptLeft, wanted.top, keptRight - keptLeft, rows};
    scale = {p.upright.fullWidth, p.upright.fullHeight, reduction};
    out = std::move(dib);
    return Status::Ok();
}

}  // namespace imagelib
