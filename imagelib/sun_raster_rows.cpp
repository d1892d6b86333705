#include "imagelib/sun_raster_rows.h"

namespace imagelib {
namespace {
// Escape byte of the byte encoding: 0x80 0x00 is a literal 0x80, 0x80 n v is n+1 copies of v.
constexpr std::uint8_t kEscape = 0x80;
}  // namespace

SunRowSource::SunRowSource(ByteReader& in, std::size_t rowBytes, bool byteEncoded)
    : in_(in), rowBytes_(rowBytes), byteEncoded_(byteEncoded) {
    if (byteEncoded_) buffer_.resize(rowBytes_);
}

bool SunRowSource::NextByte(std::uint8_t& out) {
    if (runLeft_ > 0) {
        --runLeft_;
        out = runValue_;
        return true;
    }
    std::uint8_t b = 0;
    if (!in_.ReadU8(b)) return false;
    if (b != kEscape) {
        out = b;
        return true;
    }
    std::uint8_t count = 0;
    if (!in_.ReadU8(count)) return false;
    if (count == 0) {
        out = kEscape;
        return true;
    }
    if (!in_.ReadU8(runValue_)) return false;
    runLeft_ = count;  // count + 1 copies, this one included
    out = runValue_;
    return true;
}

Status SunRowSource::Next(const std::uint8_t*& row) {
    if (!byteEncoded_) {
        ByteSpan bytes;
        if (!in_.ReadBytes(rowBytes_, bytes)) return Status::Error("Sun raster pixel data truncated");
        row = bytes.data();
        return Status::Ok();
    }
    for (auto& b : buffer_)
        if (!NextByte(b)) return Status::Error("Sun raster pixel data truncated");
    row = buffer_.data();
    return Status::Ok();
}

}  // namespace imagelib
