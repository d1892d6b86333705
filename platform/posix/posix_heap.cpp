#include "platform/posix/posix_heap.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace platform::posix {

void PosixHeap::Compact() {
#if defined(__GLIBC__)
    ::malloc_trim(0);
#endif
}

}  // namespace platform::posix
