// JPEG, PNG and TIFF through the Windows Imaging Component: the first frame, turned
// upright from the orientation our own readers find in the file's bytes. Embedded colour
// profiles are not applied here: the stored values are shown.
#include "imagelib/decoders.h"
#include "imagelib/jpeg_markers.h"
#include "imagelib/orientation.h"
#include "imagelib/wic_scaled_jpeg.h"
#include "imagelib/wic_session.h"

#include <algorithm>
#include <cstring>

namespace imagelib {
namespace {

// The first frame of `file` as a 24-bit picture, refused when it is of another format.
Status DecodeFirstFrame(ByteSpan file, const GUID& container, const char* notThisFormat, Dib& out) {
    wic::Session session;
    IMAGELIB_TRY(session.Open(file, container, notThisFormat));
    wic::ComRef<IWICBitmapFrameDecode> frame;
    IMAGELIB_TRY(session.Frame(0, frame));
    return wic::CopyToDib(session.factory(), frame.get(), out);
}

// The sides PNG's header claims, checked before WIC reads any further.
Status CheckPngHeader(ByteSpan file) {
    static constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (file.size() < 24 || std::memcmp(file.data(), kSignature, 8) != 0 || std::memcmp(file.data() + 12, "IHDR", 4) != 0)
        return Status::Error("Not a PNG file");
    ByteReader in(file);
    std::uint32_t width = 0, height = 0;
    if (!in.Seek(16) || !in.ReadBE32(width) || !in.ReadBE32(height)) return Status::Error("Not a PNG file");
    return CheckDibSize(width, height, 24, 0);
}

}  // namespace

Status DecodeJpeg(ByteSpan file, Dib& out) {
    PictureScale scale;
    return DecodeJpegScaled(file, FixedReduction(0), out, scale);
}

Status DecodeJpegScaled(ByteSpan file, const ReductionRule& rule, Dib& out, PictureScale& scale) {
    if (file.size() < 4) return Status::Error("Truncated JPEG file");
    const JpegHeader header = ReadJpegHeader(file);
    if (!header.hasFrame) return Status::Error("Corrupt JPEG header");
    // Refused at full size is refused at every scale, before WIC sets up anything for it.
    IMAGELIB_TRY(CheckDibSize(header.width, header.height, 24, 0));
    const bool swaps = SwapsSides(header.orientation);
    const PictureScale upright{swaps ? header.height : header.width, swaps ? header.width : header.height, 0};
    const int wanted = std::clamp(rule(upright.fullWidth, upright.fullHeight), 0, kMaxReduction);

    wic::Session session;
    IMAGELIB_TRY(session.Open(file, GUID_ContainerFormatJpeg, "No JPEG image"));
    wic::ComRef<IWICBitmapFrameDecode> frame;
    IMAGELIB_TRY(session.Frame(0, frame));
    UINT width = 0, height = 0;
    if (FAILED(frame->GetSize(&width, &height)) || width != header.width || height != header.height)
        return Status::Error("Unexpected JPEG output size");
    Dib dib;
    int reduction = 0;
    IMAGELIB_TRY(wic::DecodeReduced(session.factory(), frame.get(), wanted, dib, reduction));
    IMAGELIB_TRY(MakeUpright(dib, header.orientation));
    scale = {upright.fullWidth, upright.fullHeight, reduction};
    out = std::move(dib);
    return Status::Ok();
}

Status DecodePng(ByteSpan file, Dib& out) {
    IMAGELIB_TRY(CheckPngHeader(file));
    return DecodeFirstFrame(file, GUID_ContainerFormatPng, "Not a PNG file", out);
}

Status DecodeTiff(ByteSpan file, Dib& out) {
    if (file.size() < 8) return Status::Error("Truncated TIFF file");
    Dib dib;
    IMAGELIB_TRY(DecodeFirstFrame(file, GUID_ContainerFormatTiff, "Corrupt TIFF header", dib));
    IMAGELIB_TRY(MakeUpright(dib, ReadTiffOrientation(file)));
    out = std::move(dib);
    return Status::Ok();
}

}  // namespace imagelib
