#pragma once

#include <cstddef>

namespace testsupport {

// Makes operator new on the calling thread throw std::bad_alloc once more than `bytes`
// have been asked for while this object lives, so out-of-memory paths can be reached
// without allocating gigabytes. Programs that use it link heap_budget.cpp, which
// replaces the global operator new and delete (plain malloc and free otherwise).
class HeapBudget {
public:
    explicit HeapBudget(std::size_t bytes);
    ~HeapBudget();
    HeapBudget(const HeapBudget&) = delete;
    HeapBudget& operator=(const HeapBudget&) = delete;

    // Whether a request was refused.
    bool Exhausted() const;

private:
    long long previous_;
    bool previousExhausted_;
};

}  // namespace testsupport
