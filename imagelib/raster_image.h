#pragma once

#include "imagelib/decoders.h"
#include "imagelib/dib.h"
#include "imagelib/image_format.h"

#include <string>

namespace platform {
class FileSystem;
}

// A decoded image file. Decoding happens at construction; the object owns the
// packed picture until it is destroyed or hands its blocks over.
class CRasterImage {
public:
    CRasterImage(platform::FileSystem& fs, const std::string& path, ImageFormat format);
    // Decodes at most the rule's halvings below the full size where the format allows it;
    // a null rule decodes the full picture.
    CRasterImage(platform::FileSystem& fs, const std::string& path, ImageFormat format,
                 const imagelib::ReductionRule& rule);

    // Decodes only the part of the picture at 1/2^reduction that covers `wanted`, where the
    // format allows it (DecodeImageRegion); Region() says which part.
    CRasterImage(platform::FileSystem& fs, const std::string& path, ImageFormat format, int reduction,
                 const imagelib::PixelRect& wanted);

    bool IsValid() const { return !dib_.header.empty() && !dib_.bits.empty(); }
    // Info header followed by the colour table; null when not valid.
    const std::uint8_t* GetDIB() const { return dib_.header.data(); }
    // Bottom-up, 4-byte-padded pixel rows belonging to GetDIB's header.
    const std::uint8_t* GetRawData() const { return dib_.bits.data(); }
    // Hands both blocks to the caller, leaving this image empty (not valid).
    imagelib::Dib Release();
    // Why decoding failed; empty when valid.
    const char* Error() const { return error_; }
    // The file's picture size and the reduction decoded; meaningful when valid.
    const imagelib::PictureScale& Scale() const { return scale_; }
    // The part of the reduced picture held: all of it, but for the region constructor.
    const imagelib::PixelRect& Region() const { return region_; }

private:
    // Reads the file and runs `decode` on its bytes, keeping the result only when the file
    // stayed intact under it.
    template <typename Decode>
    void DecodeFile(platform::FileSystem& fs, const std::string& path, Decode decode);

    imagelib::Dib dib_;
    imagelib::PixelRect region_;
    imagelib::PictureScale scale_;
    const char* error_ = "";
};
