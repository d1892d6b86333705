#include "imagelib/wic_session.h"

#include <algorithm>

namespace imagelib::wic {
namespace {

// Largest band of 32-bit pixels converted at once.
constexpr std::uint64_t kMaxBandBytes = 16u << 20;

std::uint8_t OverBlack(unsigned value, unsigned alpha) {
    return static_cast<std::uint8_t>((value * alpha + 127) / 255);
}

Status Converter(IWICImagingFactory* factory, IWICBitmapSource* source, ComRef<IWICFormatConverter>& out) {
    if (FAILED(factory->CreateFormatConverter(out.put()))) return Status::Error("Out of memory");
    if (FAILED(out->Initialize(source, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                               WICBitmapPaletteTypeCustom)))
        return Status::Error("Unsupported pixel format");
    return Status::Ok();
}

}  // namespace

ComScope::ComScope() {
    const HRESULT hr = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    initialised_ = SUCCEEDED(hr);  // S_FALSE too: every successful call is undone
}

ComScope::~ComScope() {
    if (initialised_) CoUninitialize();
}

Status Session::Open(ByteSpan file, const GUID& container, const char* notThisFormat) {
    if (file.size() > 0xFFFFFFFFu) return Status::Error("File too large");
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(factory_.put()))))
        return Status::Error("No imaging component");
    // WIC only reads through the stream; its interface takes the bytes as writable.
    if (FAILED(factory_->CreateStream(stream_.put())) ||
        FAILED(stream_->InitializeFromMemory(const_cast<BYTE*>(file.data()), static_cast<DWORD>(file.size()))))
        return Status::Error("Out of memory");
    if (FAILED(factory_->CreateDecoderFromStream(stream_.get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                                 decoder_.put())))
        return Status::Error(notThisFormat);
    GUID found{};
    if (FAILED(decoder_->GetContainerFormat(&found)) || !IsEqualGUID(found, container))
        return Status::Error(notThisFormat);
    return Status::Ok();
}

Status Session::Frame(UINT index, ComRef<IWICBitmapFrameDecode>& out) const {
    if (FAILED(decoder_->GetFrame(index, out.put()))) return Status::Error("Corrupt image data");
    return Status::Ok();
}

Status CopyToDib(IWICImagingFactory* factory, IWICBitmapSource* source, Dib& out) {
    UINT width = 0, height = 0;
    if (FAILED(source->GetSize(&width, &height))) return Status::Error("Corrupt image header");
    Dib dib;
    IMAGELIB_TRY(AllocateDib(width, height, 24, 0, dib));
    ComRef<IWICFormatConverter> converter;
    IMAGELIB_TRY(Converter(factory, source, converter));
    const std::uint64_t rowBytes = std::uint64_t{width} * 4;
    const auto band = static_cast<UINT>(std::clamp<std::uint64_t>(kMaxBandBytes / rowBytes, 1, height));
    HeapBlock buffer = HeapBlock::Allocate(static_cast<std::size_t>(rowBytes * band));
    if (buffer.empty()) return Status::Error("Out of memory");
    for (UINT y = 0; y < height; y += band) {
        const UINT rows = std::min(band, height - y);
        const WICRect rect{0, static_cast<INT>(y), static_cast<INT>(width), static_cast<INT>(rows)};
        if (FAILED(converter->CopyPixels(&rect, static_cast<UINT>(rowBytes), static_cast<UINT>(rowBytes * rows),
                                         buffer.data())))
            return Status::Error("Corrupt image data");
        for (UINT r = 0; r < rows; ++r) {
            const std::uint8_t* in = buffer.data() + r * rowBytes;
            std::uint8_t* bgr = dib.RowFromTop(y + r);
            for (UINT x = 0; x < width; ++x, in += 4, bgr += 3) {
                bgr[0] = OverBlack(in[0], in[3]);
                bgr[1] = OverBlack(in[1], in[3]);
                bgr[2] = OverBlack(in[2], in[3]);
            }
        }
    }
    out = std::move(dib);
    return Status::Ok();
}

}  // namespace imagelib::wic
