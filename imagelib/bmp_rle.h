#pragma once

#include "imagelib/byte_reader.h"
#include "imagelib/dib.h"

namespace imagelib {

enum class BmpRunLength { kFourBit, kEightBit, kTwentyFourBit };

// Expands RLE4 or RLE8 data into an 8-bit picture, or OS/2 RLE24 data into a 24-bit one,
// whose rows already hold the fill colour. Pixels the codes skip (delta moves, early line
// or picture ends) keep it; runs past the right edge are cut off. Data that stops early
// leaves the rest unpainted, as the picture's own end code would.
void DecodeBmpRle(ByteSpan data, BmpRunLength kind, Dib& dib);

}  // namespace imagelib
