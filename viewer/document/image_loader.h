#pragma once

#include "imagelib/decoders.h"
#include "imagelib/image_format.h"
#include "viewer/app/text_tools.h"
#include "viewer/document/dib_image.h"
#include "viewer/document/dib_tools.h"

#include <string>

namespace platform {
class FileSystem;
class Heap;
class MessageSink;
}  // namespace platform

// Decodes an image file through the raster image library into a DibImage of 8 or 24 bits
// with its palette. Keeps nothing between loads.
class CImageLoader {
public:
    CImageLoader(platform::FileSystem& files, platform::MessageSink& messages, platform::Heap& heap);

    // Format for a lower-case extension; FORMAT_UNKNOWN when none matches.
    static ImageFormat FormatFromExtension(const std::string& extension);
    // Fills an empty target from the file at `path`; false, without a message, when the
    // file cannot be decoded.
    bool LoadImageFile(const std::string& path, DibImage& target);
    // The same, decoding at most the rule's halvings below the full size where the format
    // allows it (JPEG, JPEG 2000); `scale` gets the full size and the reduction made.
    bool LoadImageFile(const std::string& path, DibImage& target, const imagelib::ReductionRule& rule,
                       imagelib::PictureScale& scale);

    // Only the part of the picture at 1/2^reduction that covers `wanted`, where the format
    // allows it (JPEG); `region` gets the part decoded, `scale` the full size.
    bool LoadImageRegion(const std::string& path, int reduction, const imagelib::PixelRect& wanted, DibImage& target,
                         imagelib::PixelRect& region, imagelib::PictureScale& scale);

private:
    // Fills the target from the library image `makeImage` decodes for the file's format.
    template <typename MakeImage>
    bool Load(const std::string& path, DibImage& target, MakeImage makeImage);
    // Moves the decoded blocks into the target where they are what a copy would make.
    void TakeDecodedPicture(DibImage& decoded, DibImage& target) const;

    platform::FileSystem& files_;
    CDibTools dibTools_;
    CTextTools textTools_;
};
