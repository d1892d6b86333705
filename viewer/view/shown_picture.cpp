#include "viewer/view/shown_picture.h"

#include "imagelib/info_header.h"
#include "viewer/document/slide_extensions.h"

#include <algorithm>
#include <cmath>

namespace {

int StoredWidth(const DibImage& picture) {
    return static_cast<int>(dibheader::Get32(picture.header.data(), dibheader::kWidthField));
}

int StoredHeight(const DibImage& picture) {
    return static_cast<int>(dibheader::Get32(picture.header.data(), dibheader::kHeightField));
}

}  // namespace

ShownPicture::Take ShownPicture::TakeSlide(int index, const std::string& path, const Rect& client, bool forward) {
    SlidePicture picture;
    SlidePictureSource::Fetch fetched = SlidePictureSource::Fetch::Failed;
    if (IsSlideExtension(m_textTools.GetExtension(path)))
        fetched = pictures_.FetchSlidePicture(index, path, PictureNeed::Fit(client.Width(), client.Height()), forward,
                                              picture, messages_);
    if (fetched == SlidePictureSource::Fetch::Pending) return Take::Pending;
    Release();
    state_.m_strSlidePath = path;
    // A picture that is not the full size at its stated scale would be read past its end.
    const bool consistent = fetched == SlidePictureSource::Fetch::Ready && picture.fullWidth > 0 &&
                            picture.fullHeight > 0 && !picture.dib.header.empty() &&
                            StoredWidth(picture.dib) >= (picture.reduction == 0 ? picture.fullWidth : 1) &&
                            StoredHeight(picture.dib) >= (picture.reduction == 0 ? picture.fullHeight : 1);
    if (!consistent) {
        state_.m_nImageWidth = state_.m_nImageHeight = 0;
        dibTools_.FreeDib(picture.dib);
        dibTools_.FreeDib(state_.m_dibSlide);
        return Take::Failed;
    }
    state_.m_dibSlide = std::move(picture.dib);
    state_.reduction = picture.reduction;
    // Geometry is the full picture's, whatever scale it is stored at.
    state_.m_nImageWidth = picture.fullWidth;
    state_.m_nImageHeight = picture.fullHeight;
    return Take::Shown;
}

void ShownPicture::Refine(double zoom, bool forward, int slideCount, Point scroll, int width, int height) {
    const int reduction = ReductionForZoom(zoom);
    if (state_.m_dibSlide.header.empty() || state_.reduction <= reduction) {
        DropRegion();
        return;
    }
    const int slide = state_.m_nDrawnSlide;
    if (slide < 0 || slide >= slideCount) return;
    if (UsesRegions(reduction) &&
        RefineRegion(reduction, StoredSource(Place(zoom, scroll, width, height).source, reduction)))
        return;
    SlidePicture finer;
    if (pictures_.FetchSlidePicture(slide, state_.m_strSlidePath, PictureNeed::AtZoom(zoom), forward, finer,
                                    messages_) != SlidePictureSource::Fetch::Ready)
        return;
    // A file that changed meanwhile keeps the picture the geometry was made for.
    if (finer.fullWidth != state_.m_nImageWidth || finer.fullHeight != state_.m_nImageHeight ||
        finer.reduction >= state_.reduction) {
        pictures_.ReturnSlidePicture(slide, state_.m_strSlidePath, std::move(finer));
        return;
    }
    SlidePicture coarse{std::move(state_.m_dibSlide), state_.m_nImageWidth, state_.m_nImageHeight, state_.reduction};
    state_.m_dibSlide = std::move(finer.dib);
    state_.reduction = finer.reduction;
    pictures_.ReturnSlidePicture(slide, state_.m_strSlidePath, std::move(coarse));
}

bool ShownPicture::UsesRegions(int reduction) const {
    if (regionRefused_) return false;
    const auto width = static_cast<std::size_t>(ReducedSide(state_.m_nImageWidth, reduction));
    const auto height = static_cast<std::size_t>(ReducedSide(state_.m_nImageHeight, reduction));
    return (3 * width + 3) / 4 * 4 * height > pictures_.WholePictureLimit();
}

Rect ShownPicture::StoredSource(const Rect& source, int reduction) const {
    const int right = std::min(source.right, state_.m_nImageWidth);
    const int bottom = std::min(source.bottom, state_.m_nImageHeight);
    return {source.left >> reduction, source.top >> reduction, ReducedSide(right, reduction),
            ReducedSide(bottom, reduction)};
}

bool ShownPicture::RefineRegion(int reduction, const Rect& visible) {
    if (visible.Width() <= 0 || visible.Height() <= 0) return true;
    if (!region_.dib.bits.empty() && region_.reduction == reduction && region_.area.left <= visible.left &&
        region_.area.top <= visible.top && region_.area.right >= visible.right &&
        region_.area.bottom >= visible.bottom)
        return true;
    // Room to scroll: the visible part grown evenly each way, at most by its own size, while
    // it takes no more than a whole picture may.
    const double visibleBytes = 3.0 * visible.Width() * visible.Height();
    const double grow = std::clamp(std::sqrt(static_cast<double>(pictures_.WholePictureLimit()) / visibleBytes), 1.0, 3.0);
    const int marginX = static_cast<int>(visible.Width() * (grow - 1.0) / 2.0);
    const int marginY = static_cast<int>(visible.Height() * (grow - 1.0) / 2.0);
    const Rect wanted{std::max(0, visible.left - marginX), std::max(0, visible.top - marginY),
                      std::min(ReducedSide(state_.m_nImageWidth, reduction), visible.right + marginX),
                      std::min(ReducedSide(state_.m_nImageHeight, reduction), visible.bottom + marginY)};
    // The region left behind is not painted again; the coarse picture stands in meanwhile.
    dibTools_.FreeDib(region_.dib);
    region_ = {};
    regionAsked_ = true;
    SlideRegion region;
    const SlidePictureSource::Fetch fetched = pictures_.FetchSlideRegion(
        state_.m_nDrawnSlide, state_.m_strSlidePath, reduction, visible, wanted, region);
    if (fetched == SlidePictureSource::Fetch::Failed) {
        DropRegion();
        regionRefused_ = true;
        return false;
    }
    if (fetched == SlidePictureSource::Fetch::Ready) {
        // A file that changed meanwhile keeps the picture the geometry was made for.
        if (region.fullWidth != state_.m_nImageWidth || region.fullHeight != state_.m_nImageHeight ||
            region.reduction != reduction) {
            dibTools_.FreeDib(region.dib);
            DropRegion();
            regionRefused_ = true;
            return false;
        }
        region_ = std::move(region);
    }
    return true;
}

void ShownPicture::DropRegion() {
    if (!regionAsked_) return;
    dibTools_.FreeDib(region_.dib);
    region_ = {};
    regionAsked_ = false;
    pictures_.ReleaseSlideRegion();
}

void ShownPicture::Release() {
    DropRegion();
    regionRefused_ = false;
    DibImage& dib = state_.m_dibSlide;
    if (!dib.header.empty() && !dib.bits.empty() && state_.m_nImageWidth > 0 && state_.m_nImageHeight > 0) {
        pictures_.ReturnSlidePicture(
            state_.m_nDrawnSlide, state_.m_strSlidePath,
            SlidePicture{std::move(dib), state_.m_nImageWidth, state_.m_nImageHeight, state_.reduction});
    }
    dib = {};
    state_.reduction = 0;
    dibTools_.FreeDib(dib);
}

void ShownPicture::Reset() {
    Release();
    state_ = State{};
}

SlidePlacement ShownPicture::Place(double zoom, Point scroll, int width, int height) {
    const int zw = static_cast<int>(state_.m_nImageWidth * zoom);
    const int zh = static_cast<int>(state_.m_nImageHeight * zoom);
    return PlaceSlide(m_rects, zw, zh, zoom, scroll, width, height);
}

void ShownPicture::Draw(ViewCanvas& canvas, double zoom, Point scroll, int width, int height) {
    const SlidePlacement placement = Place(zoom, scroll, width, height);
    const int reduction = ReductionForZoom(zoom);
    if (!region_.dib.bits.empty() && region_.reduction == reduction && reduction < state_.reduction) {
        const Rect visible = StoredSource(placement.source, reduction);
        const Rect& area = region_.area;
        if (visible.left >= area.left && visible.top >= area.top && visible.right <= area.right &&
            visible.bottom <= area.bottom) {
            // Stored rows count from the bottom of the region.
            canvas.StretchPicture(placement.destination, visible.left - area.left, area.bottom - visible.bottom,
                                  visible.Width(), visible.Height(), region_.dib);
            return;
        }
    }
    if (!state_.m_dibSlide.header.empty() && !state_.m_dibSlide.bits.empty())
        Stretch(canvas, placement, state_.m_dibSlide, state_.reduction);
}

void ShownPicture::DrawForPage(ViewCanvas& canvas, double zoom, Point scroll, int width, int height) {
    const SlidePlacement placement = Place(zoom, scroll, width, height);
    DibImage full;
    if (state_.reduction > 0 && !state_.m_dibSlide.header.empty() &&
        pictures_.LoadSlidePicture(state_.m_nDrawnSlide, state_.m_strSlidePath, full) &&
        StoredWidth(full) == state_.m_nImageWidth && StoredHeight(full) == state_.m_nImageHeight)
        Stretch(canvas, placement, full, 0);
    else if (!state_.m_dibSlide.header.empty() && !state_.m_dibSlide.bits.empty())
        Stretch(canvas, placement, state_.m_dibSlide, state_.reduction);
    dibTools_.FreeDib(full);
}

void ShownPicture::Stretch(ViewCanvas& canvas, const SlidePlacement& placement, const DibImage& picture,
                           int reduction) const {
    const Rect& src = placement.source;
    // Truncation can reach one pixel past the picture's edge; never read beyond it.
    const int right = std::min(src.right, state_.m_nImageWidth);
    const int bottom = std::min(src.bottom, state_.m_nImageHeight);
    if (reduction == 0) {
        canvas.StretchPicture(placement.destination, src.left, state_.m_nImageHeight - bottom, right - src.left,
                              bottom - src.top, picture);
        return;
    }
    // The source rectangle is in full-picture pixels; the picture is stored smaller.
    const int storedWidth = StoredWidth(picture);
    const int storedHeight = StoredHeight(picture);
    const int left = std::min(src.left >> reduction, storedWidth);
    const int top = std::min(src.top >> reduction, storedHeight);
    const int storedRight = std::min(ReducedSide(right, reduction), storedWidth);
    const int storedBottom = std::min(ReducedSide(bottom, reduction), storedHeight);
    canvas.StretchPicture(placement.destination, left, storedHeight - storedBottom, storedRight - left,
                          storedBottom - top, picture);
}
