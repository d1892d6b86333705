#include "imagelib/tga_pixels.h"

#include "imagelib/pixel_math.h"

namespace imagelib {

TgaColour ReadTgaColour(const std::uint8_t* p, unsigned bits, bool useAlpha) {
    TgaColour c;
    if (bits == 15 || bits == 16) {
        const unsigned v = p[0] | (p[1] << 8);
        c.red = ScaleToByte((v >> 10) & 0x1F, 31);
        c.green = ScaleToByte((v >> 5) & 0x1F, 31);
        c.blue = ScaleToByte(v & 0x1F, 31);
        if (useAlpha && bits == 16) c.alpha = (v & 0x8000) ? 255 : 0;
        return c;
    }
    c.blue = p[0];
    c.green = p[1];
    c.red = p[2];
    if (bits == 32 && useAlpha) c.alpha = p[3];
    return c;
}

Status TgaPixelStream::Next(const std::uint8_t*& pixel) {
    ByteSpan bytes;
    if (!runLength_) {
        if (!in_.ReadBytes(pixelBytes_, bytes)) return Status::Error("TGA pixel data truncated");
        pixel = bytes.data();
        return Status::Ok();
    }
    if (packetLeft_ == 0) {
        std::uint8_t header = 0;
        if (!in_.ReadU8(header)) return Status::Error("TGA pixel data truncated");
        packetLeft_ = (header & 0x7Fu) + 1;
        inRun_ = (header & 0x80) != 0;
        if (inRun_) {
            if (!in_.ReadBytes(pixelBytes_, bytes)) return Status::Error("TGA pixel data truncated");
            runPixel_ = bytes.data();
        }
    }
    --packetLeft_;
    if (inRun_) {
        pixel = runPixel_;
        return Status::Ok();
    }
    if (!in_.ReadBytes(pixelBytes_, bytes)) return Status::Error("TGA pixel data truncated");
    pixel = bytes.data();
    return Status::Ok();
}

}  // namespace imagelib
