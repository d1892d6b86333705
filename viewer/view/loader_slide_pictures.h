#pragma once

#include "viewer/document/image_loader.h"
#include "viewer/view/slide_picture_cache.h"
#include "viewer/view/view_services.h"

// Decodes each slide when the view asks for it, on the caller's thread.
class LoaderSlidePictures final : public SlidePictureSource {
public:
    LoaderSlidePictures(platform::FileSystem& files, platform::MessageSink& messages, platform::Heap& heap)
        : loader_(files, messages, heap) {}

    bool LoadSlidePicture(int /*index*/, const std::string& path, DibImage& target) override {
        return loader_.LoadImageFile(path, target);
    }

private:
    CImageLoader loader_;
};

// The cache's decoder over the image loader: a loader of its own for every call, so decodes
// on several threads share nothing but the file system and the heap.
inline SlidePictureCache::Decoder LoaderDecoder(platform::FileSystem& files, platform::Heap& heap) {
    return [&files, &heap](const std::string& path, const imagelib::ReductionRule& rule, DibImage& target,
                           imagelib::PictureScale& scale, platform::MessageSink& messages) {
        CImageLoader loader(files, messages, heap);
        return loader.LoadImageFile(path, target, rule, scale);
    };
}

// The cache's region decoder over the image loader, a loader of its own for every call.
inline SlidePictureCache::RegionDecoder LoaderRegionDecoder(platform::FileSystem& files, platform::Heap& heap) {
    return [&files, &heap](const std::string& path, int reduction, const Rect& wanted, SlideRegion& target,
                           platform::MessageSink& messages) {
        if (wanted.left < 0 || wanted.top < 0 || wanted.Width() <= 0 || wanted.Height() <= 0) return false;
        CImageLoader loader(files, messages, heap);
        const imagelib::PixelRect asked{static_cast<std::uint32_t>(wanted.left), static_cast<std::uint32_t>(wanted.top),
                                        static_cast<std::uint32_t>(wanted.Width()),
                                        static_cast<std::uint32_t>(wanted.Height())};
        imagelib::PixelRect region;
        imagelib::PictureScale scale;
        if (!loader.LoadImageRegion(path, reduction, asked, target.dib, region, scale)) return false;
        target.reduction = scale.reduction;
        target.fullWidth = static_cast<int>(scale.fullWidth);
        target.fullHeight = static_cast<int>(scale.fullHeight);
        target.area = {static_cast<int>(region.left), static_cast<int>(region.top),
                       static_cast<int>(region.left + region.width), static_cast<int>(region.top + region.height)};
        return true;
    };
}
