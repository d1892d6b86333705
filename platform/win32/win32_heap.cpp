#include "platform/win32/win32_heap.h"

#include "platform/win32/windows_api.h"

namespace platform::win32 {

void Win32Heap::Compact() { ::HeapCompact(::GetProcessHeap(), 0); }

}  // namespace platform::win32
