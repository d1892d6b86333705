#pragma once

#include "imagelib/byte_reader.h"
#include "imagelib/dib.h"

#include <cstdint>
#include <vector>

namespace imagelib {

// Larger embedded profiles are refused: real ones are a few kilobytes, and each is parsed
// for every picture that carries it.
inline constexpr std::size_t kMaxProfileBytes = 4u << 20;

// Converts a 24-bit picture whose pixels are in the colour space of `profile` (an ICC
// profile) to sRGB, in place. Every other case leaves the picture as decoded: an empty
// profile (no call into the colour library at all), one over the limit, one the library
// refuses, one that is not RGB, or a picture that is not 24-bit. Rows past the first
// `decodedRows` from the top hold no data and are left black.
void ConvertToSrgb(ByteSpan profile, Dib& dib, std::uint32_t decodedRows = UINT32_MAX);

// The ICC profile a JPEG carries in its APP2 segments (each body "ICC_PROFILE\0", its
// sequence number from 1, the chunk count, its data), joined in sequence order. Empty
// unless every segment agrees on a count above zero and each number 1..count comes
// exactly once; segments not starting with the signature are skipped.
std::vector<std::uint8_t> JoinJpegProfile(const std::vector<ByteSpan>& app2Bodies);

}  // namespace imagelib
