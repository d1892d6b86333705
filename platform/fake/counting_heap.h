#pragma once

#include "platform/fake/backend_guard.h"
#include "platform/heap.h"

namespace platform::fake {

// Counts the compactions asked for and does none.
class CountingHeap final : public Heap {
public:
    void Compact() override { ++compactions; }

    int compactions = 0;
};

}  // namespace platform::fake
