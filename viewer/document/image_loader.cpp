#include "viewer/document/image_loader.h"

#include "imagelib/raster_image.h"
#include "imagelib/info_header.h"
#include "viewer/res/texts.h"

#include <memory>
#include <optional>
#include <utility>

namespace {

struct ExtensionFormat {
    const char* extension;
    ImageFormat format;
};

// Tested in this order; the first exact match wins.
constexpr ExtensionFormat kExtensionFormats[] = {
    {"bmp", FORMAT_BMP},  {"jpg", FORMAT_JPEG}, {"jpeg", FORMAT_JPEG}, {"gif", FORMAT_GIF},
    {"png", FORMAT_PNG},  {"ico", FORMAT_ICO},  {"tiff", FORMAT_TIFF}, {"tif", FORMAT_TIFF},
    {"tga", FORMAT_TGA},  {"pcx", FORMAT_PCX},  {"wbmp", FORMAT_WBMP}, {"wmf", FORMAT_WMF},
    {"emf", FORMAT_WMF},  {"jp2", FORMAT_JP2},  {"j2k", FORMAT_JP2},   {"jpc", FORMAT_JPC},
    {"j2c", FORMAT_JPC},  {"pgx", FORMAT_PGX},  {"ras", FORMAT_RAS},   {"pnm", FORMAT_PNM},
    {"pgm", FORMAT_PNM},  {"ppm", FORMAT_PNM},  {"heic", FORMAT_HEIF}, {"heif", FORMAT_HEIF},
    {"avif", FORMAT_AVIF}, {"webp", FORMAT_WEBP},
};

}  // namespace

CImageLoader::CImageLoader(platform::FileSystem& files, platform::MessageSink& messages, platform::Heap& heap)
    : files_(files), dibTools_(messages, heap) {}

ImageFormat CImageLoader::FormatFromExtension(const std::string& extension) {
    for (const auto& entry : kExtensionFormats)
        if (extension == entry.extension) return entry.format;
    return FORMAT_UNKNOWN;
}

bool CImageLoader::LoadImageFile(const std::string& path, DibImage& target) {
    imagelib::PictureScale scale;
    return LoadImageFile(path, target, imagelib::ReductionRule(), scale);
}

bool CImageLoader::LoadImageFile(const std::string& path, DibImage& target, const imagelib::ReductionRule& rule,
                                 imagelib::PictureScale& scale) {
    return Load(path, target, [&](ImageFormat format) {
        auto image = std::make_unique<CRasterImage>(files_, path, format, rule);
        if (image->IsValid()) scale = image->Scale();
        return image;
    });
}

bool CImageLoader::LoadImageRegion(const std::string& path, int reduction, const imagelib::PixelRect& wanted,
                                   DibImage& target, imagelib::PixelRect& region, imagelib::PictureScale& scale) {
    return Load(path, target, [&](ImageFormat format) {
        auto image = std::make_unique<CRasterImage>(files_, path, format, reduction, wanted);
        if (image->IsValid()) {
            scale = image->Scale();
            region = image->Region();
        }
        return image;
    });
}

template <typename MakeImage>
bool CImageLoader::Load(const std::string& path, DibImage& target, MakeImage makeImage) {
    if (!target.header.empty() || !target.bits.empty()) {
        dibTools_.ShowInvalidImagePointer(texts::kInvalidImagePointer201);
        return false;
    }
    target.palette.reset();
    const std::string extension = textTools_.GetExtension(path);
    if (extension.empty()) return false;
    const ImageFormat format = FormatFromExtension(extension);
    // No decoder serves the unknown format, so the file is not even read.
    if (format == FORMAT_UNKNOWN) return false;

    DibImage decoded;
    {
        // The library image lives only until its blocks are handed over.
        const std::unique_ptr<CRasterImage> image = makeImage(format);
        if (!image->IsValid()) return false;
        imagelib::Dib dib = image->Release();
        decoded.header = std::move(dib.header);
        decoded.bits = std::move(dib.bits);
    }
    TakeDecodedPicture(decoded, target);
    // A copy that could not be made is a failed load, not an empty picture shown as loaded.
    if (target.header.empty() || target.bits.empty()) return false;

    if (dibheader::Get16(target.header.data(), dibheader::kBitCountField) < 8 && !dibTools_.ExpandTo8Bits(target))
        return false;
    dibTools_.CreateDibPalette(target);
    return true;
}

void CImageLoader::TakeDecodedPicture(DibImage& decoded, DibImage& target) const {
    using namespace dibheader;
    if (decoded.header.size() < kInfoHeaderBytes) return;
    const std::uint8_t* h = decoded.header.data();
    const int entries = CDibTools::PaletteSize(Get16(h, kBitCountField), Get32(h, kColoursUsedField));
    const bool sameAsCopy = entries >= 0 &&
                            decoded.header.size() == kInfoHeaderBytes + 4u * static_cast<std::size_t>(entries) &&
                            decoded.bits.size() == Get32(h, kImageSizeField);
    if (sameAsCopy) {
        target.header = std::move(decoded.header);
        target.bits = std::move(decoded.bits);
        return;
    }
    dibTools_.CopyDib(decoded, target);
    dibTools_.FreeDib(decoded);
}
