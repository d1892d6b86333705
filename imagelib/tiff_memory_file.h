#pragma once

#include "imagelib/byte_reader.h"

#include <tiffio.h>

namespace imagelib {

// Opens the first page of a TIFF held in memory with an error and warning handler of
// its own (no output anywhere) and a cap on every single allocation libtiff makes.
// Closing the returned handle is the caller's job (TiffHandle does it).
struct TiffMemoryFile {
    ByteSpan data;
    std::uint64_t pos = 0;
    int errors = 0;
};

TIFF* OpenTiffInMemory(TiffMemoryFile& file);

class TiffHandle {
public:
    explicit TiffHandle(TIFF* tif) : tif_(tif) {}
    ~TiffHandle() {
        if (tif_) TIFFClose(tif_);
    }
    TiffHandle(const TiffHandle&) = delete;
    TiffHandle& operator=(const TiffHandle&) = delete;
    TIFF* get() const { return tif_; }

private:
    TIFF* tif_;
};

}  // namespace imagelib
