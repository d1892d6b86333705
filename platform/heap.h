#pragma once

namespace platform {

// Returns freed memory to the system after a large picture block was released.
void CompactHeap();

}  // namespace platform
