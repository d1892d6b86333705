#pragma once

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

    bool IsValid() const { return !dib_.header.empty() && !dib_.bits.empty(); }
    // Info header followed by the colour table; null when not valid.
    const std::uint8_t* GetDIB() const { return dib_.header.data(); }
    // Bottom-up, 4-byte-padded pixel rows belonging to GetDIB's header.
    const std::uint8_t* GetRawData() const { return dib_.bits.data(); }
    // Hands both blocks to the caller, leaving this image empty (not valid).
    imagelib::Dib Release();
    // Why decoding failed; empty when valid.
    const char* Error() const { return error_; }

private:
    imagelib::Dib dib_;
    const char* error_ = "";
};
