#pragma once

#include <cstdint>

namespace imagelib {

// Whether a page stored with this TIFF compression scheme is decoded at all. Only the
// schemes we test are: the codec libraries behind the others were never checked against
// hostile data, and one of them (JBIG) aborts the process when a stream declares a
// picture too large for memory, which our allocation cap cannot catch.
bool IsReadableTiffCompression(std::uint16_t compression);

}  // namespace imagelib
