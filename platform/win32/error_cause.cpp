#include "platform/win32/error_cause.h"

#include "platform/win32/windows_api.h"

namespace platform::win32 {

FileCause CauseFromError(unsigned long error) {
    switch (error) {
    case NO_ERROR: return FileCause::None;
    case ERROR_FILE_NOT_FOUND: return FileCause::FileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY: return FileCause::BadPath;
    case ERROR_TOO_MANY_OPEN_FILES: return FileCause::TooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_INVALID_ACCESS:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return FileCause::AccessDenied;
    case ERROR_INVALID_HANDLE: return FileCause::InvalidFile;
    case ERROR_CURRENT_DIRECTORY: return FileCause::RemoveCurrentDir;
    case ERROR_CANNOT_MAKE: return FileCause::DirectoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK: return FileCause::BadSeek;
    case ERROR_NOT_READY:
    case ERROR_CRC:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT:
    case ERROR_GEN_FAILURE: return FileCause::HardIO;
    case ERROR_SHARING_VIOLATION: return FileCause::SharingViolation;
    case ERROR_LOCK_VIOLATION: return FileCause::LockViolation;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL: return FileCause::DiskFull;
    case ERROR_HANDLE_EOF: return FileCause::EndOfFile;
    default: return FileCause::Generic;
    }
}

}  // namespace platform::win32
