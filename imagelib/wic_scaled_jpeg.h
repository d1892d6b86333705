#pragma once

#include "imagelib/dib.h"

#include <wincodec.h>

namespace imagelib::wic {

// Decodes `frame` at most `wanted` halvings below its size when the codec scales while it
// decodes (IWICBitmapSourceTransform) to a size that is such a halving exactly; otherwise,
// and for pixel formats other than 24-bit BGR, at full size. `reduction` says which.
Status DecodeReduced(IWICImagingFactory* factory, IWICBitmapSource* frame, int wanted, Dib& out, int& reduction);

}  // namespace imagelib::wic
