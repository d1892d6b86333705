#include "imagelib/wic_scaled_jpeg.h"

#include "imagelib/wic_session.h"
#include "imagelib/wic_source_transform.h"

#include <algorithm>

namespace imagelib::wic {
namespace {

UINT Reduced(UINT side, int reduction) { return (side + (1u << reduction) - 1) >> reduction; }

// The halving the codec's closest size is, or 0 when it is none of 1..wanted.
int ReductionOf(UINT width, UINT height, UINT closestWidth, UINT closestHeight, int wanted) {
    for (int r = wanted; r > 0; --r)
        if (Reduced(width, r) == closestWidth && Reduced(height, r) == closestHeight) return r;
    return 0;
}

// CopyPixels writes the top row first; the picture keeps its bottom row first.
void ReverseRows(Dib& dib) {
    const std::uint32_t stride = dib.Stride();
    std::uint8_t* bits = dib.bits.data();
    for (std::uint32_t top = 0, bottom = dib.Height() - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(bits + std::size_t{top} * stride, bits + std::size_t{top + 1} * stride,
                         bits + std::size_t{bottom} * stride);
}

}  // namespace

Status DecodeReduced(IWICImagingFactory* factory, IWICBitmapSource* frame, int wanted, Dib& out, int& reduction) {
    reduction = 0;
    ComRef<ISourceTransform> transform;
    UINT width = 0, height = 0;
    if (wanted <= 0 || FAILED(frame->GetSize(&width, &height)) ||
        FAILED(frame->QueryInterface(kSourceTransformId, reinterpret_cast<void**>(transform.put()))))
        return CopyToDib(factory, frame, out);
    UINT closestWidth = Reduced(width, wanted), closestHeight = Reduced(height, wanted);
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (FAILED(transform->GetClosestSize(&closestWidth, &closestHeight)) ||
        FAILED(transform->GetClosestPixelFormat(&format)) || !IsEqualGUID(format, GUID_WICPixelFormat24bppBGR))
        return CopyToDib(factory, frame, out);
    const int made = ReductionOf(width, height, closestWidth, closestHeight, wanted);
    if (made == 0) return CopyToDib(factory, frame, out);
    Dib dib;
    IMAGELIB_TRY(AllocateDib(closestWidth, closestHeight, 24, 0, dib));
    if (FAILED(transform->CopyPixels(nullptr, closestWidth, closestHeight, &format, WICBitmapTransformRotate0,
                                     dib.Stride(), static_cast<UINT>(dib.bits.size()), dib.bits.data())))
        return Status::Error("Corrupt JPEG data");
    ReverseRows(dib);
    reduction = made;
    out = std::move(dib);
    return Status::Ok();
}

}  // namespace imagelib::wic
