#include "platform/posix/posix_heap.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace platform::posix {

PosixHeap::PosixHeap() {
#if defined(__GLIBC__)
    // A fixed threshold also keeps glibc from raising it to the size of the first picture
    // freed, after which pictures would come from the arenas and stay resident.
    ::mallopt(M_MMAP_THRESHOLD, static_cast<int>(kOwnMappingBytes));
#endif
}

void PosixHeap::Compact() {
#if defined(__GLIBC__)
    ::malloc_trim(0);
#endif
}

}  // namespace platform::posix
