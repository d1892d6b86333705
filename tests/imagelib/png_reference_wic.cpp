// The PNG renderings of the reference folders, read through the Windows Imaging Component's
// own decoder directly, not through the image library.
#include "tests/imagelib/rgb_image.h"

#include "imagelib/wic_session.h"

#include <objbase.h>
#include <wincodec.h>

namespace imagelib_test {

bool ReadPng(const std::string& path, RgbImage& out) {
    std::vector<std::uint8_t> bytes = ReadBytes(path);
    (void)CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    imagelib::wic::ComRef<IWICImagingFactory> factory;
    imagelib::wic::ComRef<IWICStream> stream;
    imagelib::wic::ComRef<IWICBitmapDecoder> decoder;
    imagelib::wic::ComRef<IWICBitmapFrameDecode> frame;
    imagelib::wic::ComRef<IWICFormatConverter> converter;
    UINT w = 0, h = 0;
    if (bytes.empty() ||
        FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(factory.put()))) ||
        FAILED(factory->CreateStream(stream.put())) ||
        FAILED(stream->InitializeFromMemory(bytes.data(), static_cast<DWORD>(bytes.size()))) ||
        FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.put())) ||
        FAILED(decoder->GetFrame(0, frame.put())) || FAILED(frame->GetSize(&w, &h)) || std::size_t{w} * h > (1u << 26) ||
        FAILED(factory->CreateFormatConverter(converter.put())) ||
        FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        return false;
    std::vector<std::uint8_t> rgba(std::size_t{w} * h * 4);
    if (FAILED(converter->CopyPixels(nullptr, w * 4, static_cast<UINT>(rgba.size()), rgba.data()))) return false;
    for (std::size_t i = 0; i < rgba.size(); i += 4) std::swap(rgba[i], rgba[i + 2]);
    out = FromRgbaOverBlack(rgba, w, h);
    return true;
}

}  // namespace imagelib_test
