#include "imagelib/pnm_header.h"

#include "imagelib/dib.h"

#include <string>

namespace imagelib {
namespace {

bool IsSpace(std::uint8_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

// A P7 header keyword: the characters up to the next white space.
std::string ReadWord(ByteReader& in) {
    SkipPnmSpace(in);
    std::string word;
    std::uint8_t c = 0;
    for (ByteReader peek = in; peek.ReadU8(c) && !IsSpace(c) && word.size() < 32; in = peek)
        word += static_cast<char>(c);
    return word;
}

// "WIDTH w", "HEIGHT h", "DEPTH d", "MAXVAL m" and "TUPLTYPE t" lines up to "ENDHDR".
// The channel count comes from DEPTH; the tuple type only names it.
Status ReadPamHeader(ByteReader& in, PnmHeader& h) {
    h.width = h.height = h.maxValue = 0;
    h.channels = 0;
    for (int lines = 0; lines < 64; ++lines) {
        const std::string key = ReadWord(in);
        if (key == "ENDHDR") {
            std::uint8_t newline = 0;
            if (!in.ReadU8(newline) || !IsSpace(newline)) return Status::Error("PAM header not ended by a newline");
            if (h.width == 0 || h.height == 0 || h.maxValue == 0 || h.channels == 0)
                return Status::Error("PAM header incomplete");
            h.alpha = h.channels == 2 || h.channels == 4;
            return Status::Ok();
        }
        if (key == "WIDTH") IMAGELIB_TRY(ReadPnmNumber(in, kMaxSide, h.width));
        else if (key == "HEIGHT") IMAGELIB_TRY(ReadPnmNumber(in, kMaxSide, h.height));
        else if (key == "DEPTH") IMAGELIB_TRY(ReadPnmNumber(in, 4, h.channels));
        else if (key == "MAXVAL") IMAGELIB_TRY(ReadPnmNumber(in, 65535, h.maxValue));
        else if (key == "TUPLTYPE") ReadWord(in);
        else return Status::Error("Unknown PAM header line");
    }
    return Status::Error("PAM header too long");
}

}  // namespace

void SkipPnmSpace(ByteReader& in) {
    std::uint8_t c = 0;
    ByteReader peek = in;
    while (peek.ReadU8(c)) {
        if (c == '#') {
            while (peek.ReadU8(c) && c != '\n' && c != '\r') {}
        } else if (!IsSpace(c)) {
            return;
        }
        in = peek;
    }
}

Status ReadPnmNumber(ByteReader& in, std::uint32_t limit, std::uint32_t& out) {
    SkipPnmSpace(in);
    std::uint64_t value = 0;
    std::size_t digits = 0;
    std::uint8_t c = 0;
    for (ByteReader peek = in; peek.ReadU8(c) && c >= '0' && c <= '9'; in = peek, ++digits) {
        value = value * 10 + (c - '0');
        if (value > limit) return Status::Error("PNM header number out of range");
    }
    if (digits == 0) return Status::Error("PNM header number missing");
    out = static_cast<std::uint32_t>(value);
    return Status::Ok();
}

Status ReadPnmHeader(ByteReader& in, PnmHeader& h) {
    std::uint8_t p = 0, kind = 0;
    if (!in.ReadU8(p) || !in.ReadU8(kind) || p != 'P' || kind < '1' || kind > '7') return Status::Error("Not a PNM file");
    h.kind = static_cast<char>(kind);
    if (kind == '7') return ReadPamHeader(in, h);
    h.channels = kind == '3' || kind == '6' ? 3 : 1;
    IMAGELIB_TRY(ReadPnmNumber(in, kMaxSide, h.width));
    IMAGELIB_TRY(ReadPnmNumber(in, kMaxSide, h.height));
    if (!h.Bitmap()) {
        IMAGELIB_TRY(ReadPnmNumber(in, 65535, h.maxValue));
        if (h.maxValue == 0) return Status::Error("PNM maximum value is zero");
    }
    // Binary samples start after exactly one white-space byte.
    std::uint8_t separator = 0;
    if (!h.Plain() && (!in.ReadU8(separator) || !IsSpace(separator)))
        return Status::Error("PNM header not ended by white space");
    return Status::Ok();
}

}  // namespace imagelib
