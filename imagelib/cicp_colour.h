#pragma once

#include "imagelib/dib.h"

namespace imagelib {

// The colour description HEIF and AVIF carry instead of (or beside) an ICC profile: the
// code points of ITU-T H.273 and the primaries' chromaticities as the codec library
// decodes them (red, green, blue, white; x then y).
struct CicpColour {
    int primaries = 2;  // 2: unspecified
    int transfer = 2;
    float xy[8] = {};
};

// Converts a 24-bit picture described by `colour` to sRGB in place, through a profile
// built from its primaries and transfer curve. Left as decoded: sRGB's own primaries
// (BT.709) or unspecified ones, a transfer this does not model (PQ, HLG and other HDR
// curves are not tone-mapped), or chromaticities that make no profile.
void ConvertCicpToSrgb(const CicpColour& colour, Dib& dib);

}  // namespace imagelib
