// The PNG renderings of the reference folders, read through the Windows Imaging Component's
// own decoder directly, not through the image library.
#include "tests/imagelib/rgb_image.h"

#include <objbase.h>
#include <wincodec.h>

namespace imagelib_test {
namespace {

template <typename T>
struct Ref {
    T* p = nullptr;
    ~Ref() {
        if (p) p->Release();
    }
    T* operator->() const { return p; }
};

}  // namespace

bool ReadPng(const std::string& path, RgbImage& out) {
    std::vector<std::uint8_t> bytes = ReadBytes(path);
    (void)CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    Ref<IWICImagingFactory> factory;
    Ref<IWICStream> stream;
    Ref<IWICBitmapDecoder> decoder;
    Ref<IWICBitmapFrameDecode> frame;
    Ref<IWICFormatConverter> converter;
    UINT w = 0, h = 0;
    if (bytes.empty() ||
        FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(&factory.p))) ||
        FAILED(factory->CreateStream(&stream.p)) ||
        FAILED(stream->InitializeFromMemory(bytes.data(), static_cast<DWORD>(bytes.size()))) ||
        FAILED(factory->CreateDecoderFromStream(stream.p, nullptr, WICDecodeMetadataCacheOnDemand, &decoder.p)) ||
        FAILED(decoder->GetFrame(0, &frame.p)) || FAILED(frame->GetSize(&w, &h)) || std::size_t{w} * h > (1u << 26) ||
        FAILED(factory->CreateFormatConverter(&converter.p)) ||
        FAILED(converter->Initialize(frame.p, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        return false;
    std::vector<std::uint8_t> rgba(std::size_t{w} * h * 4);
    if (FAILED(converter->CopyPixels(nullptr, w * 4, static_cast<UINT>(rgba.size()), rgba.data()))) return false;
    for (std::size_t i = 0; i < rgba.size(); i += 4) std::swap(rgba[i], rgba[i + 2]);
    out = FromRgbaOverBlack(rgba, w, h);
    return true;
}

}  // namespace imagelib_test
