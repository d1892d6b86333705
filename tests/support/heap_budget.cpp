#include "tests/support/heap_budget.h"

#include <cstdlib>
#include <new>

namespace {

// Bytes the current thread may still ask for; negative means no budget.
thread_local long long t_remaining = -1;
thread_local bool t_exhausted = false;

void* Allocate(std::size_t size) {
    if (t_remaining >= 0) {
        if (size > static_cast<unsigned long long>(t_remaining)) {
            t_exhausted = true;
            throw std::bad_alloc();
        }
        t_remaining -= static_cast<long long>(size);
    }
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}

}  // namespace

namespace testsupport {

HeapBudget::HeapBudget(std::size_t bytes) : previous_(t_remaining), previousExhausted_(t_exhausted) {
    t_remaining = static_cast<long long>(bytes);
    t_exhausted = false;
}

HeapBudget::~HeapBudget() {
    t_remaining = previous_;
    t_exhausted = previousExhausted_;
}

bool HeapBudget::Exhausted() const { return t_exhausted; }

}  // namespace testsupport

// Every form that pairs with plain free is replaced, so no block crosses allocators
// (a sanitizer would report the mismatch). The aligned forms stay as they are.
void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
