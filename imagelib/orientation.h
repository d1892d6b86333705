#pragma once

#include "imagelib/byte_reader.h"
#include "imagelib/dib.h"

namespace imagelib {

// The orientation a camera records (TIFF tag 274, also inside JPEG's Exif segment): where
// the stored rows and columns lie in the upright picture. 1 is upright as stored; 5 to 8
// swap the sides.
inline constexpr int kStoredUpright = 1;
inline bool SwapsSides(int orientation) { return orientation >= 5 && orientation <= 8; }

// The orientation in IFD0 of a TIFF structure (either byte order); 1 when the tag is
// missing, or damaged in any way: of another type or count, a value outside 1..8, or
// any part of it outside `tiff`.
int ReadTiffOrientation(ByteSpan tiff);
// The same for the body of a JPEG APP1 segment, which must start "Exif\0\0".
int ReadExifOrientation(ByteSpan app1);

// Turns `dib` (any depth) upright. The flips work in place; the orientations that swap
// the sides make the upright picture through AllocateDib and then free the stored one,
// so for a moment both exist. On failure `dib` is left as stored.
// Only the first `decodedRows` stored rows (from the top) are read: the decoder promises
// the rest are zero, as a picture whose data ran out leaves them, so a small damaged file
// claiming a huge picture costs what its data covers, not the claimed size.
Status MakeUpright(Dib& dib, int orientation, std::uint32_t decodedRows = UINT32_MAX);

}  // namespace imagelib
