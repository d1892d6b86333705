#include "platform/posix/errno_cause.h"

#include <cerrno>

namespace platform::posix {

FileCause CauseFromErrno(int error) {
    switch (error) {
    case 0: return FileCause::None;
    case ENOENT: return FileCause::FileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP: return FileCause::BadPath;
    case EMFILE:
    case ENFILE: return FileCause::TooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return FileCause::AccessDenied;
    case EBADF: return FileCause::InvalidFile;
    case EBUSY:
    case EWOULDBLOCK: return FileCause::SharingViolation;
    case EIO: return FileCause::HardIO;
    case ENOSPC:
    case EDQUOT: return FileCause::DiskFull;
    default: return FileCause::Generic;
    }
}

}  // namespace platform::posix
