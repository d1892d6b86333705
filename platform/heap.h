#pragma once

namespace platform {

// The process heap, a service like the others so that code releasing large blocks links no
// backend.
class Heap {
public:
    virtual ~Heap() = default;
    // Returns freed memory to the system after a large picture block was released.
    virtual void Compact() = 0;
};

}  // namespace platform
