#pragma once

#include "platform/posix/backend_guard.h"
#include "platform/heap.h"

namespace platform::posix {

// glibc keeps freed memory for later allocations; trimming hands it back at once, so the
// resident size falls when a picture is released. Elsewhere nothing is done.
class PosixHeap final : public Heap {
public:
    void Compact() override;
};

}  // namespace platform::posix
