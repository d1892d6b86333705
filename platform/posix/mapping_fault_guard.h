#pragma once

#include "platform/posix/backend_guard.h"
#include <cstddef>

namespace platform::posix {

// Makes a bus error inside a registered file mapping (the file was shortened under it, or
// the disk or network mount failed to deliver a page) cost that mapping only: the pages
// from the fault to the end are replaced by zeros, the reader carries on, and the
// mapping is marked as damaged. Faults anywhere else go to the handler that was there
// before (by default they end the process, as they always did).
class MappingFaultGuard {
public:
    // Guards [begin, begin + size). Fails (false) when every slot is taken; the caller
    // must then not rely on the mapping.
    bool Guard(void* begin, std::size_t size);
    ~MappingFaultGuard();
    MappingFaultGuard() = default;
    MappingFaultGuard(const MappingFaultGuard&) = delete;
    MappingFaultGuard& operator=(const MappingFaultGuard&) = delete;

    // Whether a fault replaced part of the mapping with zeros.
    bool Faulted() const;
    // Stops guarding; to be called before the range is unmapped.
    void Release();

private:
    int slot_ = -1;
};

}  // namespace platform::posix
