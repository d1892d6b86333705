#pragma once

#include "imagelib/byte_reader.h"
#include "imagelib/dib.h"

namespace imagelib {

// Expands RLE8 or RLE4 data into an 8-bit picture whose rows already hold `fill`.
// Pixels the codes skip (delta moves, early line or picture ends) keep `fill`; runs past
// the right edge are cut off. Data that stops early leaves the rest unpainted, as the
// picture's own end code would.
void DecodeBmpRle(ByteSpan data, bool rle4, Dib& dib);

}  // namespace imagelib
