// The Windows build's GIF composition and scaled JPEG decoding.
#include "imagelib/decoders.h"
#include "imagelib/wic_scaled_jpeg.h"
#include "imagelib/wic_source_transform.h"
#include "tests/imagelib/oriented_jpeg.h"
#include "tests/imagelib/wic_test_files.h"

#include <gtest/gtest.h>

#include <cstring>

namespace imagelib {
namespace {

using testing::Bgra;
using testing::ColourAt;
using testing::GifImage;
using testing::Rgb;

const std::vector<Bgra> kColours = {Bgra{0, 0, 0}, Bgra{0, 0, 255}, Bgra{0, 255, 0}, Bgra{255, 0, 0}};
constexpr Rgb kBlack{0, 0, 0}, kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255};

GifImage Filled(std::uint16_t left, std::uint16_t top, std::uint16_t w, std::uint16_t h, std::uint8_t index) {
    return GifImage{left, top, w, h, std::vector<std::uint8_t>(std::size_t{w} * h, index)};
}

Dib DecodeGifOk(const std::vector<std::uint8_t>& file) {
    Dib dib;
    EXPECT_TRUE(DecodeImage(file, FORMAT_GIF, dib).ok());
    return dib;
}

TEST(WicGif, ImagesWithoutDelaysMakeOnePictureOnTheLogicalScreen) {
    GifImage second = Filled(2, 1, 2, 2, 2);
    second.indices[0] = 5;
    second.transparent = 5;  // leaves the red below
    Dib dib = DecodeGifOk(testing::BuildGif(6, 4, kColours, {Filled(1, 1, 2, 2, 1), second}));
    ASSERT_EQ(dib.Width(), 6u);
    ASSERT_EQ(dib.Height(), 4u);
    EXPECT_EQ(ColourAt(dib, 0, 0), kBlack);  // no image covers it
    EXPECT_EQ(ColourAt(dib, 1, 1), kRed);
    EXPECT_EQ(ColourAt(dib, 2, 1), kRed);    // transparent in the second image
    EXPECT_EQ(ColourAt(dib, 3, 1), kGreen);
    EXPECT_EQ(ColourAt(dib, 2, 2), kGreen);
    EXPECT_EQ(ColourAt(dib, 5, 3), kBlack);
}

TEST(WicGif, AnImageReachingPastTheScreenIsCutToIt) {
    GifImage wide = Filled(2, 1, 5, 4, 2);
    for (std::size_t i = 0; i < wide.indices.size(); i += 5) wide.indices[i] = 1;  // its left column red
    Dib dib = DecodeGifOk(testing::BuildGif(4, 3, kColours, {wide}));
    ASSERT_EQ(dib.Width(), 4u);
    ASSERT_EQ(dib.Height(), 3u);
    EXPECT_EQ(ColourAt(dib, 1, 1), kBlack);
    EXPECT_EQ(ColourAt(dib, 2, 1), kRed);
    EXPECT_EQ(ColourAt(dib, 2, 2), kRed);
    EXPECT_EQ(ColourAt(dib, 3, 2), kGreen);
}

TEST(WicGif, TheFirstDelayedImageEndsThePicture) {
    GifImage first = Filled(0, 0, 4, 4, 1);
    first.delay = 10;
    Dib dib = DecodeGifOk(testing::BuildGif(4, 4, kColours, {first, Filled(0, 0, 4, 4, 3)}));
    EXPECT_EQ(ColourAt(dib, 2, 2), kRed);
}

TEST(WicGif, ALoopingAnimationWithoutDelaysShowsItsFirstImage) {
    Dib dib = DecodeGifOk(testing::BuildGif(4, 4, kColours, {Filled(0, 0, 4, 4, 1), Filled(0, 0, 4, 4, 3)}, true));
    EXPECT_EQ(ColourAt(dib, 2, 2), kRed);
}

TEST(WicGif, DisposalAppliesBeforeTheNextImage) {
    GifImage cleared = Filled(0, 0, 2, 2, 1);
    cleared.disposal = 2;  // back to black
    GifImage restored = Filled(0, 0, 4, 1, 2);
    restored.disposal = 3;  // back to what was there
    Dib dib = DecodeGifOk(testing::BuildGif(4, 4, kColours,
                                            {Filled(0, 0, 4, 4, 3), cleared, restored, Filled(3, 3, 1, 1, 2)}));
    EXPECT_EQ(ColourAt(dib, 0, 0), kBlack);  // cleared, and the restored row gave it back as black
    EXPECT_EQ(ColourAt(dib, 1, 1), kBlack);
    EXPECT_EQ(ColourAt(dib, 3, 0), kBlue);   // restored under the green row
    EXPECT_EQ(ColourAt(dib, 2, 2), kBlue);
    EXPECT_EQ(ColourAt(dib, 3, 3), kGreen);
}

TEST(WicGif, AScreenOfSizeZeroTakesTheFirstImagesExtent) {
    Dib dib = DecodeGifOk(testing::BuildGif(0, 0, kColours, {Filled(1, 2, 3, 2, 2)}));
    EXPECT_EQ(dib.Width(), 4u);
    EXPECT_EQ(dib.Height(), 4u);
    EXPECT_EQ(ColourAt(dib, 3, 3), kGreen);
}

// Wine's codec fails inside its colour conversion on such a file; giflib shows the indices
// as grey levels.
TEST(WicGif, AnImageWithoutAnyColourTableShowsItsIndicesAsGrey) {
    auto file = testing::BuildGif(2, 2, {}, {Filled(0, 0, 2, 2, 90)});
    file[10] = 0;  // no global table: drop its flag and its 768 bytes
    file.erase(file.begin() + 13, file.begin() + 13 + 768);
    Dib dib = DecodeGifOk(file);
    ASSERT_EQ(dib.Width(), 2u);
    EXPECT_EQ(ColourAt(dib, 1, 1), (Rgb{90, 90, 90}));
}

TEST(WicScaledJpeg, WithoutAScalingCodecTheFullPictureIsReported) {
    const auto file = testing::EncodeQuarteredJpeg();
    Dib dib;
    PictureScale scale;
    ASSERT_TRUE(DecodeImageScaled(file, FORMAT_JPEG, FixedReduction(2), dib, scale).ok());
    EXPECT_EQ(scale.fullWidth, testing::kQuarteredWidth);
    EXPECT_EQ(scale.fullHeight, testing::kQuarteredHeight);
    // Whatever the codec offered, the picture is the full size divided by 2^reduction.
    EXPECT_EQ(dib.Width(), (testing::kQuarteredWidth + (1u << scale.reduction) - 1) >> scale.reduction);
    EXPECT_EQ(dib.Height(), (testing::kQuarteredHeight + (1u << scale.reduction) - 1) >> scale.reduction);
}

// A frame whose codec scales while it decodes, as Windows' JPEG codec does: each pixel's
// value is its row, so the order of the rows shows.
class ScalingFrame : public IWICBitmapSource, public wic::ISourceTransform {
public:
    UINT closestWidth = 0, closestHeight = 0;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    UINT copiedWidth = 0, copiedHeight = 0;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (IsEqualIID(iid, wic::kSourceTransformId)) *out = static_cast<wic::ISourceTransform*>(this);
        else if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IWICBitmapSource))
            *out = static_cast<IWICBitmapSource*>(this);
        else return *out = nullptr, E_NOINTERFACE;
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetSize(UINT* w, UINT* h) override { return *w = 100, *h = 50, S_OK; }
    HRESULT STDMETHODCALLTYPE GetPixelFormat(WICPixelFormatGUID* f) override { return *f = GUID_WICPixelFormat24bppBGR, S_OK; }
    HRESULT STDMETHODCALLTYPE GetResolution(double* x, double* y) override { return *x = *y = 96, S_OK; }
    HRESULT STDMETHODCALLTYPE CopyPalette(IWICPalette*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CopyPixels(const WICRect*, UINT, UINT, BYTE*) override { return E_NOTIMPL; }

    HRESULT STDMETHODCALLTYPE CopyPixels(const WICRect*, UINT w, UINT h, WICPixelFormatGUID*, WICBitmapTransformOptions,
                                         UINT stride, UINT size, BYTE* buffer) override {
        if (stride * h > size) return E_INVALIDARG;
        copiedWidth = w, copiedHeight = h;
        for (UINT y = 0; y < h; ++y) std::memset(buffer + y * stride, static_cast<int>(y), w * 3);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetClosestSize(UINT* w, UINT* h) override { return *w = closestWidth, *h = closestHeight, S_OK; }
    HRESULT STDMETHODCALLTYPE GetClosestPixelFormat(WICPixelFormatGUID* f) override { return *f = format, S_OK; }
    HRESULT STDMETHODCALLTYPE DoesSupportTransform(WICBitmapTransformOptions, BOOL* yes) override { return *yes = FALSE, S_OK; }
};

TEST(WicScaledJpeg, ACodecThatScalesDecodesTheHalvingItOffers) {
    ScalingFrame frame;
    frame.closestWidth = 25, frame.closestHeight = 13;  // a quarter of 100 x 50, rounded up
    Dib dib;
    int reduction = -1;
    ASSERT_TRUE(wic::DecodeReduced(nullptr, &frame, 3, dib, reduction).ok());
    EXPECT_EQ(reduction, 2);
    EXPECT_EQ(frame.copiedWidth, 25u);
    ASSERT_EQ(dib.Width(), 25u);
    ASSERT_EQ(dib.Height(), 13u);
    EXPECT_EQ(ColourAt(dib, 0, 0), (Rgb{0, 0, 0}));
    EXPECT_EQ(ColourAt(dib, 24, 12), (Rgb{12, 12, 12}));  // the codec's last row is the picture's bottom
}

// A size that is no halving, or rows of another format, would break what the picture's
// scale says: the full picture is decoded instead (here: through a frame that cannot
// copy, so the attempt shows as a failure).
TEST(WicScaledJpeg, AnOfferThatIsNoHalvingIsNotTaken) {
    (void)CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    IWICImagingFactory* factory = nullptr;
    ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                           IID_IWICImagingFactory, reinterpret_cast<void**>(&factory))));
    ScalingFrame odd;
    odd.closestWidth = 30, odd.closestHeight = 15;
    ScalingFrame grey;
    grey.closestWidth = 50, grey.closestHeight = 25;
    grey.format = GUID_WICPixelFormat8bppGray;
    for (ScalingFrame* frame : {&odd, &grey}) {
        Dib dib;
        int reduction = -1;
        EXPECT_FALSE(wic::DecodeReduced(factory, frame, 3, dib, reduction).ok());
        EXPECT_EQ(reduction, 0);
        EXPECT_EQ(frame->copiedWidth, 0u);
    }
    factory->Release();
}

}  // namespace
}  // namespace imagelib
