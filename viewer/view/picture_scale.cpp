#include "viewer/view/picture_scale.h"

#include "imagelib/decoders.h"
#include "viewer/view/slide_geometry.h"

int ReductionForZoom(double zoom) {
    int reduction = 0;
    // Not `!(zoom > ...)`: a zoom that is NaN or not positive gets the full picture.
    while (reduction < imagelib::kMaxReduction && zoom > 0.0 && 1.0 / (2 << reduction) >= zoom) ++reduction;
    return reduction;
}

int ReductionFor(const PictureNeed& need, std::uint32_t fullWidth, std::uint32_t fullHeight) {
    if (need.fitWidth <= 0 || need.fitHeight <= 0) return ReductionForZoom(need.zoom);
    const SlideFit fit =
        FitToClient(static_cast<int>(fullWidth), static_cast<int>(fullHeight), need.fitWidth, need.fitHeight);
    return ReductionForZoom(fit.zoom);
}

int ReducedSide(int fullSide, int reduction) {
    const int step = 1 << reduction;
    return (fullSide + step - 1) / step;
}

std::size_t PictureBudgetFor(int clientWidth, int clientHeight, int pictures) {
    if (clientWidth <= 0 || clientHeight <= 0 || pictures <= 0) return 0;
    const std::size_t rowBytes = (std::size_t{3} * 2 * static_cast<std::size_t>(clientWidth) + 3) / 4 * 4;
    return static_cast<std::size_t>(pictures) * rowBytes * 2 * static_cast<std::size_t>(clientHeight);
}
