#include "tests/imagelib/wic_test_files.h"

#include "tests/imagelib/oriented_jpeg.h"

#include "imagelib/wic_session.h"

#include <objbase.h>
#include <propidl.h>

#include <cstring>

namespace imagelib::testing {
namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

bool WriteFrame(IWICImagingFactory* factory, IWICBitmapEncoder* encoder, const GUID& container, const Picture& pixels,
                std::uint32_t width, std::uint32_t height) {
    wic::ComRef<IWICBitmapFrameEncode> frame;
    wic::ComRef<IPropertyBag2> options;
    if (FAILED(encoder->CreateNewFrame(frame.put(), options.put()))) return false;
    if (IsEqualGUID(container, GUID_ContainerFormatJpeg)) {
        PROPBAG2 name{};
        name.pstrName = const_cast<LPOLESTR>(L"ImageQuality");
        VARIANT quality;
        VariantInit(&quality);
        quality.vt = VT_R4;
        quality.fltVal = 1.0f;
        (void)options->Write(1, &name, &quality);
    }
    wic::ComRef<IWICBitmap> bitmap;
    auto* bytes = reinterpret_cast<BYTE*>(const_cast<Bgra*>(pixels.data()));
    return SUCCEEDED(frame->Initialize(options.get())) && SUCCEEDED(frame->SetSize(width, height)) &&
           SUCCEEDED(factory->CreateBitmapFromMemory(width, height, GUID_WICPixelFormat32bppBGRA, width * 4,
                                                     width * height * 4, bytes, bitmap.put())) &&
           SUCCEEDED(frame->WriteSource(bitmap.get(), nullptr)) && SUCCEEDED(frame->Commit());
}

// Codes of 9 bits, a clear code before every run of literals short enough that the
// decoder's table never needs a wider code.
std::vector<std::uint8_t> LzwLiterals(const std::vector<std::uint8_t>& indices) {
    std::vector<std::uint8_t> out;
    std::uint32_t bits = 0, count = 0;
    auto code = [&](std::uint32_t c) {
        bits |= c << count;
        for (count += 9; count >= 8; count -= 8, bits >>= 8) out.push_back(static_cast<std::uint8_t>(bits));
    };
    for (std::size_t i = 0; i < indices.size(); ++i) {
        if (i % 200 == 0) code(256);
        code(indices[i]);
    }
    code(257);
    if (count > 0) out.push_back(static_cast<std::uint8_t>(bits));
    return out;
}

}  // namespace

std::vector<std::uint8_t> EncodeWithWic(const GUID& container, const Picture& pixels, std::uint32_t width,
                                        std::uint32_t height) {
    (void)CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    wic::ComRef<IWICImagingFactory> factory;
    wic::ComRef<IStream> stream;
    wic::ComRef<IWICBitmapEncoder> encoder;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(factory.put()))) ||
        FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.put())) ||
        FAILED(factory->CreateEncoder(container, nullptr, encoder.put())) ||
        FAILED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)) ||
        !WriteFrame(factory.get(), encoder.get(), container, pixels, width, height) || FAILED(encoder->Commit()))
        return {};
    HGLOBAL memory = nullptr;
    STATSTG stat{};
    if (FAILED(GetHGlobalFromStream(stream.get(), &memory)) || FAILED(stream->Stat(&stat, STATFLAG_NONAME))) return {};
    const auto* data = static_cast<const std::uint8_t*>(GlobalLock(memory));
    std::vector<std::uint8_t> file(data, data + stat.cbSize.QuadPart);
    GlobalUnlock(memory);
    return file;
}

std::vector<std::uint8_t> EncodeQuarteredJpeg() {
    Picture pixels(kQuarteredWidth * kQuarteredHeight);
    for (std::uint32_t y = 0; y < kQuarteredHeight; ++y)
        for (std::uint32_t x = 0; x < kQuarteredWidth; ++x) {
            const Rgb c = QuarterColour(static_cast<Corner>((y >= kQuarteredHeight / 2 ? 2 : 0) +
                                                            (x >= kQuarteredWidth / 2 ? 1 : 0)));
            pixels[y * kQuarteredWidth + x] = Bgra{static_cast<std::uint8_t>(c.b), static_cast<std::uint8_t>(c.g),
                                                   static_cast<std::uint8_t>(c.r), 255};
        }
    return EncodeWithWic(GUID_ContainerFormatJpeg, pixels, kQuarteredWidth, kQuarteredHeight);
}

std::vector<std::uint8_t> RgbTiff(std::uint32_t width, std::uint32_t height,
                                  const std::function<Bgra(std::uint32_t, std::uint32_t)>& pixel,
                                  std::uint16_t orientation) {
    struct Entry {
        std::uint16_t tag, type;
        std::uint32_t count, value;
    };
    const std::uint32_t pixelBytes = width * height * 3;
    const std::uint32_t bitsAt = 8, dataAt = 16;  // three SHORTs of 8, then the strip
    std::vector<Entry> entries = {{256, 4, 1, width},       {257, 4, 1, height},       {258, 3, 3, bitsAt},
                                  {259, 3, 1, 1},           {262, 3, 1, 2},            {273, 4, 1, dataAt},
                                  {277, 3, 1, 3},           {278, 4, 1, height},       {279, 4, 1, pixelBytes}};
    if (orientation) entries.insert(entries.begin() + 6, Entry{274, 3, 1, orientation});
    std::vector<std::uint8_t> out = {'I', 'I', 42, 0};
    Put32(out, dataAt + pixelBytes);
    for (int i = 0; i < 3; ++i) Put16(out, 8);
    Put16(out, 0);
    for (std::uint32_t y = 0; y < height; ++y)
        for (std::uint32_t x = 0; x < width; ++x) {
            const Bgra p = pixel(x, y);
            out.insert(out.end(), {p.r, p.g, p.b});
        }
    Put16(out, static_cast<std::uint32_t>(entries.size()));
    for (const Entry& e : entries) {
        Put16(out, e.tag);
        Put16(out, e.type);
        Put32(out, e.count);
        Put32(out, e.value);  // little-endian: a SHORT sits in the first two bytes
    }
    Put32(out, 0);
    return out;
}

std::vector<std::uint8_t> BuildGif(std::uint16_t width, std::uint16_t height, const std::vector<Bgra>& colours,
                                   const std::vector<GifImage>& images, bool looping) {
    std::vector<std::uint8_t> out = {'G', 'I', 'F', '8', '9', 'a'};
    Put16(out, width);
    Put16(out, height);
    out.insert(out.end(), {0xF7, 0, 0});  // a global table of 256 entries
    for (std::size_t i = 0; i < 256; ++i) {
        const Bgra c = i < colours.size() ? colours[i] : Bgra{};
        out.insert(out.end(), {c.r, c.g, c.b});
    }
    if (looping) {
        out.insert(out.end(), {0x21, 0xFF, 11});
        for (const char* c = "NETSCAPE2.0"; *c; ++c) out.push_back(static_cast<std::uint8_t>(*c));
        out.insert(out.end(), {3, 1, 0, 0, 0});
    }
    for (const GifImage& image : images) {
        const std::uint8_t flags = static_cast<std::uint8_t>((image.disposal << 2) | (image.transparent >= 0 ? 1 : 0));
        out.insert(out.end(), {0x21, 0xF9, 4, flags});
        Put16(out, image.delay);
        out.insert(out.end(), {static_cast<std::uint8_t>(image.transparent >= 0 ? image.transparent : 0), 0});
        out.push_back(0x2C);
        Put16(out, image.left);
        Put16(out, image.top);
        Put16(out, image.width);
        Put16(out, image.height);
        out.push_back(0);
        out.push_back(8);  // minimum code size
        const std::vector<std::uint8_t> data = LzwLiterals(image.indices);
        for (std::size_t at = 0; at < data.size(); at += 255) {
            const std::size_t n = std::min<std::size_t>(255, data.size() - at);
            out.push_back(static_cast<std::uint8_t>(n));
            out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(at),
                       data.begin() + static_cast<std::ptrdiff_t>(at + n));
        }
        out.push_back(0);
    }
    out.push_back(0x3B);
    return out;
}

}  // namespace imagelib::testing
