#pragma once

// Windows only: the Windows Imaging Component's objects for one decode, over the file's
// bytes in memory. Every object is released when its holder goes.
#include "imagelib/byte_reader.h"
#include "imagelib/dib.h"

#include <objbase.h>
#include <wincodec.h>

namespace imagelib::wic {

// Holds one reference to a COM object.
template <typename T>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() { reset(); }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    T** put() {
        reset();
        return &p_;
    }
    void reset() {
        if (p_) p_->Release();
        p_ = nullptr;
    }

private:
    T* p_ = nullptr;
};

// COM for this thread, kept for the decode. A thread already in another apartment (a
// window's thread) is used as it is: the imaging objects work in either.
class ComScope {
public:
    ComScope();
    ~ComScope();
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool initialised_;
};

// The factory, the stream over the file and its decoder; `container` is the format the
// table asked for, and a file of any other format is refused as the Linux decoders do.
class Session {
public:
    Status Open(ByteSpan file, const GUID& container, const char* notThisFormat);

    IWICImagingFactory* factory() const { return factory_.get(); }
    IWICBitmapDecoder* decoder() const { return decoder_.get(); }
    Status Frame(UINT index, ComRef<IWICBitmapFrameDecode>& out) const;

private:
    ComScope com_;
    ComRef<IWICImagingFactory> factory_;
    ComRef<IWICStream> stream_;
    ComRef<IWICBitmapDecoder> decoder_;
};

// The frame's pixels as a 24-bit picture, alpha laid over black as slides are. The size
// limits are checked before WIC decodes any pixel; rows are copied in bands, so no whole
// 32-bit copy of the picture is made beside it.
Status CopyToDib(IWICImagingFactory* factory, IWICBitmapSource* source, Dib& out);

}  // namespace imagelib::wic
