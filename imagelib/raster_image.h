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

private:
    imagelib::Dib dib_;
    imagelib::PictureScale scale_;
    const char* error_ = "";
};
