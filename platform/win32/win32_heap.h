#pragma once

#include "platform/win32/backend_guard.h"
#include "platform/heap.h"

namespace platform::win32 {

// HeapCompact on the process heap after a picture block was released.
class Win32Heap final : public Heap {
public:
    void Compact() override;
};

}  // namespace platform::win32
