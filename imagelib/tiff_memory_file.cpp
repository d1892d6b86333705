#include "imagelib/tiff_memory_file.h"

#include "imagelib/dib.h"

#include <cstring>
#include <mutex>

namespace imagelib {
namespace {

// No single buffer libtiff needs for a picture we accept is larger than this.
constexpr tmsize_t kMaxTiffAllocation = static_cast<tmsize_t>(kMaxPixelBytes / 4);

TiffMemoryFile& FileOf(thandle_t handle) { return *static_cast<TiffMemoryFile*>(handle); }

tmsize_t ReadProc(thandle_t handle, void* buffer, tmsize_t size) {
    TiffMemoryFile& f = FileOf(handle);
    if (size <= 0 || f.pos >= f.data.size()) return 0;
    const std::uint64_t left = f.data.size() - f.pos;
    const std::uint64_t n = static_cast<std::uint64_t>(size) < left ? static_cast<std::uint64_t>(size) : left;
    std::memcpy(buffer, f.data.data() + f.pos, static_cast<std::size_t>(n));
    f.pos += n;
    return static_cast<tmsize_t>(n);
}

tmsize_t WriteProc(thandle_t, void*, tmsize_t) { return 0; }

toff_t SeekProc(thandle_t handle, toff_t offset, int whence) {
    TiffMemoryFile& f = FileOf(handle);
    std::uint64_t base = 0;
    if (whence == SEEK_CUR) base = f.pos;
    else if (whence == SEEK_END) base = f.data.size();
    else if (whence != SEEK_SET) return static_cast<toff_t>(-1);
    // Offsets past the end are allowed (reads there return nothing); wrap-around is not.
    if (offset > UINT64_MAX - base) return static_cast<toff_t>(-1);
    f.pos = base + offset;
    return f.pos;
}

int CloseProc(thandle_t) { return 0; }
toff_t SizeProc(thandle_t handle) { return FileOf(handle).data.size(); }

// Lets libtiff read uncompressed strips straight from our buffer instead of copying.
int MapProc(thandle_t handle, void** base, toff_t* size) {
    TiffMemoryFile& f = FileOf(handle);
    *base = const_cast<std::uint8_t*>(f.data.data());
    *size = f.data.size();
    return 1;
}
void UnmapProc(thandle_t, void*, toff_t) {}

int CountError(TIFF*, void* user, const char*, const char*, va_list) {
    ++static_cast<TiffMemoryFile*>(user)->errors;
    return 1;  // handled: keeps libtiff from calling the process-wide handlers
}

int IgnoreWarning(TIFF*, void*, const char*, const char*, va_list) { return 1; }

// A few code paths in libtiff still report through the process-wide handlers, whose
// default prints to stderr; the viewer never wants that.
void SilenceGlobalHandlers() {
    static std::once_flag once;
    std::call_once(once, [] {
        TIFFSetErrorHandler(nullptr);
        TIFFSetWarningHandler(nullptr);
    });
}

}  // namespace

TIFF* OpenTiffInMemory(TiffMemoryFile& file) {
    SilenceGlobalHandlers();
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    if (!options) return nullptr;
    TIFFOpenOptionsSetMaxSingleMemAlloc(options, kMaxTiffAllocation);
    TIFFOpenOptionsSetErrorHandlerExtR(options, CountError, &file);
    TIFFOpenOptionsSetWarningHandlerExtR(options, IgnoreWarning, &file);
    TIFF* tif = TIFFClientOpenExt("memory", "r", &file, ReadProc, WriteProc, SeekProc, CloseProc, SizeProc,
                                  MapProc, UnmapProc, options);
    TIFFOpenOptionsFree(options);
    return tif;
}

}  // namespace imagelib
