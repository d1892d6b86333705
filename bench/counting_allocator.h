#pragma once

#include <cstddef>

// Heap accounting for the benchmark: every malloc-family call in the process (ours and
// the codec libraries') goes through counting wrappers around glibc's allocator.
namespace bench {

std::size_t HeapInUse();
// Highest HeapInUse() since the last ResetHeapPeak().
std::size_t HeapPeak();
void ResetHeapPeak();

}  // namespace bench
