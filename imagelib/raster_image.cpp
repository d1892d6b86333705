#include "imagelib/raster_image.h"

#include "imagelib/decoders.h"
#include "platform/file_system.h"

namespace {
// No image file the viewer can show is larger than this.
constexpr std::uint64_t kMaxFileBytes = 1ull << 30;
}  // namespace

template <typename Decode>
void CRasterImage::DecodeFile(platform::FileSystem& fs, const std::string& path, Decode decode) {
    platform::FileCause cause = platform::FileCause::None;
    const auto bytes = fs.ReadOnlyBytes(path, kMaxFileBytes, &cause);
    if (!bytes) {
        error_ = "Cannot read the file";
        return;
    }
    imagelib::Dib dib;
    const imagelib::Status status = decode(imagelib::ByteSpan(bytes->data(), bytes->size()), dib);
    // The file changed or failed under the decoder: what it made is not the file's picture.
    if (!bytes->Intact()) {
        error_ = "Cannot read the file";
        return;
    }
    if (!status.ok()) {
        error_ = status.message();
        return;
    }
    dib_ = std::move(dib);
}

CRasterImage::CRasterImage(platform::FileSystem& fs, const std::string& path, ImageFormat format)
    : CRasterImage(fs, path, format, imagelib::ReductionRule()) {}

CRasterImage::CRasterImage(platform::FileSystem& fs, const std::string& path, ImageFormat format,
                           const imagelib::ReductionRule& rule) {
    imagelib::PictureScale scale;
    DecodeFile(fs, path, [&](imagelib::ByteSpan file, imagelib::Dib& dib) {
        return rule ? imagelib::DecodeImageScaled(file, format, rule, dib, scale)
                    : imagelib::DecodeImage(file, format, dib);
    });
    if (!IsValid()) return;
    scale_ = rule ? scale : imagelib::PictureScale{dib_.Width(), dib_.Height(), 0};
    region_ = {0, 0, dib_.Width(), dib_.Height()};
}

CRasterImage::CRasterImage(platform::FileSystem& fs, const std::string& path, ImageFormat format, int reduction,
                           const imagelib::PixelRect& wanted) {
    imagelib::PictureScale scale;
    imagelib::PixelRect region;
    DecodeFile(fs, path, [&](imagelib::ByteSpan file, imagelib::Dib& dib) {
        return imagelib::DecodeImageRegion(file, format, reduction, wanted, dib, region, scale);
    });
    if (!IsValid()) return;
    scale_ = scale;
    region_ = region;
}

imagelib::Dib CRasterImage::Release() {
    imagelib::Dib out = std::move(dib_);
    dib_ = imagelib::Dib();
    return out;
}
