#pragma once

#include "platform/win32/backend_guard.h"
#include "platform/file_system.h"

namespace platform::win32 {

// A file handle from CreateFile, closed with the object.
class Win32File final : public File {
public:
    explicit Win32File(void* handle) : handle_(handle) {}
    ~Win32File() override;
    Win32File(const Win32File&) = delete;
    Win32File& operator=(const Win32File&) = delete;

    FileCause Read(void* buffer, std::size_t size, std::size_t* got) override;
    FileCause Write(const void* buffer, std::size_t size) override;
    FileCause Seek(std::uint64_t offset) override;
    FileCause Size(std::uint64_t* size) override;
    FileCause TruncateHere() override;

private:
    void* handle_;
};

}  // namespace platform::win32
