#pragma once

#include <cstddef>
#include <cstdint>

// How large a slide's picture must be decoded: the zoom it is shown at, or, for a slide not
// yet shown, the client area it will be fitted into.
struct PictureNeed {
    // The client area of a first showing; 0 by 0 when `zoom` is known.
    int fitWidth = 0;
    int fitHeight = 0;
    double zoom = 1.0;

    static PictureNeed Fit(int width, int height) { return {width, height, 1.0}; }
    static PictureNeed AtZoom(double zoom) { return {0, 0, zoom}; }
    bool operator==(const PictureNeed&) const = default;
};

// Halvings of the full size a picture shown at `zoom` may lose: the smallest stored scale
// (1, 1/2, 1/4, 1/8) that is still at least the zoom, so no shown pixel is made up.
int ReductionForZoom(double zoom);
// The same for a picture of the given full size.
int ReductionFor(const PictureNeed& need, std::uint32_t fullWidth, std::uint32_t fullHeight);
// A side of the full picture at the stored scale, rounded up as the decoders round it.
int ReducedSide(int fullSide, int reduction);
// Bytes of `pictures` of the largest picture a fit to a client area of that size stores:
// below twice the client's sides (one halving more would be smaller than the fit), at 24
// bits per pixel. The picture cache's budget for a window of that size.
std::size_t PictureBudgetFor(int clientWidth, int clientHeight, int pictures);
