#pragma once

#include "platform/posix/backend_guard.h"
#include "platform/heap.h"

#include <cstddef>

namespace platform::posix {

// glibc keeps freed memory for later allocations; trimming hands it back at once, so the
// resident size falls when a picture is released. Blocks of kOwnMappingBytes or more (the
// pictures) are mapped each on their own from the first heap on, so freeing one, on any
// thread, returns its pages whatever else the arena holds. Elsewhere nothing is done.
class PosixHeap final : public Heap {
public:
    static constexpr std::size_t kOwnMappingBytes = std::size_t{1} << 20;

    PosixHeap();
    void Compact() override;
};

}  // namespace platform::posix
