#include "imagelib/raster_image.h"

#include "imagelib/decoders.h"
#include "platform/file_system.h"

namespace {
// No image file the viewer can show is larger than this.
constexpr std::uint64_t kMaxFileBytes = 1ull << 30;
}  // namespace

CRasterImage::CRasterImage(platform::FileSystem& fs, const std::string& path, ImageFormat format)
    : CRasterImage(fs, path, format, imagelib::ReductionRule()) {}

CRasterImage::CRasterImage(platform::FileSystem& fs, const std::string& path, ImageFormat format,
                           const imagelib::ReductionRule& rule) {
    platform::FileCause cause = platform::FileCause::None;
    const auto bytes = fs.ReadOnlyBytes(path, kMaxFileBytes, &cause);
    if (!bytes) {
        error_ = "Cannot read the file";
        return;
    }
    imagelib::Dib dib;
    imagelib::PictureScale scale;
    const imagelib::ByteSpan file(bytes->data(), bytes->size());
    const imagelib::Status status = rule ? imagelib::DecodeImageScaled(file, format, rule, dib, scale)
                                                  : imagelib::DecodeImage(file, format, dib);
    // The file changed or failed under the decoder: what it made is not the file's picture.
    if (!bytes->Intact()) {
        error_ = "Cannot read the file";
        return;
    }
    if (!status.ok()) {
        error_ = status.message();
        return;
    }
    scale_ = rule ? scale : imagelib::PictureScale{dib.Width(), dib.Height(), 0};
    dib_ = std::move(dib);
}

imagelib::Dib CRasterImage::Release() {
    imagelib::Dib out = std::move(dib_);
    dib_ = imagelib::Dib();
    return out;
}
