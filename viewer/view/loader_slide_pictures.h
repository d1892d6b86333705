#pragma once

#include "viewer/document/image_loader.h"
#include "viewer/view/view_services.h"

// Decodes each slide when the view asks for it, on the caller's thread.
class LoaderSlidePictures final : public SlidePictureSource {
public:
    LoaderSlidePictures(platform::FileSystem& files, platform::MessageSink& messages) : loader_(files, messages) {}

    bool LoadSlidePicture(int /*index*/, const std::string& path, DibImage& target) override {
        return loader_.LoadImageFile(path, target);
    }

private:
    CImageLoader loader_;
};
