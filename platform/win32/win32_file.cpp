#include "platform/win32/win32_file.h"

#include "platform/win32/error_cause.h"

#include "platform/win32/windows_api.h"

#include <algorithm>

namespace platform::win32 {
namespace {

// ReadFile and WriteFile take 32-bit counts.
constexpr std::size_t kChunk = 1u << 30;

}  // namespace

Win32File::~Win32File() { ::CloseHandle(handle_); }

FileCause Win32File::Read(void* buffer, std::size_t size, std::size_t* got) {
    auto* out = static_cast<unsigned char*>(buffer);
    std::size_t total = 0;
    while (total < size) {
        DWORD n = 0;
        if (!::ReadFile(handle_, out + total, static_cast<DWORD>(std::min(size - total, kChunk)), &n, nullptr)) {
            *got = total;
            return CauseFromError(::GetLastError());
        }
        if (n == 0) break;
        total += n;
    }
    *got = total;
    return FileCause::None;
}

FileCause Win32File::Write(const void* buffer, std::size_t size) {
    const auto* in = static_cast<const unsigned char*>(buffer);
    std::size_t total = 0;
    while (total < size) {
        DWORD n = 0;
        if (!::WriteFile(handle_, in + total, static_cast<DWORD>(std::min(size - total, kChunk)), &n, nullptr))
            return CauseFromError(::GetLastError());
        if (n == 0) return FileCause::DiskFull;
        total += n;
    }
    return FileCause::None;
}

FileCause Win32File::Seek(std::uint64_t offset) {
    if (offset > static_cast<std::uint64_t>(INT64_MAX)) return FileCause::BadSeek;
    LARGE_INTEGER to {};
    to.QuadPart = static_cast<LONGLONG>(offset);
    return ::SetFilePointerEx(handle_, to, nullptr, FILE_BEGIN) ? FileCause::None : FileCause::BadSeek;
}

FileCause Win32File::Size(std::uint64_t* size) {
    LARGE_INTEGER length {};
    if (!::GetFileSizeEx(handle_, &length)) return CauseFromError(::GetLastError());
    *size = static_cast<std::uint64_t>(length.QuadPart);
    return FileCause::None;
}

FileCause Win32File::TruncateHere() {
    return ::SetEndOfFile(handle_) ? FileCause::None : CauseFromError(::GetLastError());
}

}  // namespace platform::win32
