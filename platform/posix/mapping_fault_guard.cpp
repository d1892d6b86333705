#include "platform/posix/mapping_fault_guard.h"

#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <mutex>

namespace platform::posix {
namespace {

// Fixed slots, so the signal handler reads them without locks or allocation.
constexpr int kSlots = 32;

enum SlotState : int { kFree, kClaimed, kActive };

struct Slot {
    std::atomic<int> state{kFree};
    std::atomic<std::uintptr_t> begin{0};
    std::atomic<std::size_t> size{0};
    std::atomic<bool> faulted{false};
};

Slot g_slots[kSlots];
struct sigaction g_previous {};

std::uintptr_t PageSize() {
    static const auto size = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    return size;
}

// Replaces the pages from the one at `address` to the end of the slot's range by
// anonymous zero pages, so that the faulting read and every later one succeed.
bool PatchSlot(std::uintptr_t address) {
    for (Slot& slot : g_slots) {
        if (slot.state.load(std::memory_order_acquire) != kActive) continue;
        const std::uintptr_t begin = slot.begin.load(std::memory_order_relaxed);
        const std::size_t size = slot.size.load(std::memory_order_relaxed);
        if (address < begin || address - begin >= size) continue;
        const std::uintptr_t page = address & ~(PageSize() - 1);
        const std::size_t rest = size - (page - begin);
        // mmap is a plain system call on the systems this backend serves.
        void* patched = ::mmap(reinterpret_cast<void*>(page), rest, PROT_READ,
                               MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
        if (patched == MAP_FAILED) return false;
        slot.faulted.store(true, std::memory_order_release);
        return true;
    }
    return false;
}

void OnBusError(int signal, siginfo_t* info, void* context) {
    const int savedErrno = errno;
    const bool handled = info && PatchSlot(reinterpret_cast<std::uintptr_t>(info->si_addr));
    errno = savedErrno;
    if (handled) return;
    if (g_previous.sa_flags & SA_SIGINFO) {
        if (g_previous.sa_sigaction) g_previous.sa_sigaction(signal, info, context);
        return;
    }
    if (g_previous.sa_handler != SIG_DFL && g_previous.sa_handler != SIG_IGN) {
        g_previous.sa_handler(signal);
        return;
    }
    // Not ours: the default action, once the faulting instruction runs again.
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    ::sigaction(SIGBUS, &fallback, nullptr);
}

void InstallHandlerOnce() {
    static std::once_flag once;
    std::call_once(once, [] {
        struct sigaction action {};
        action.sa_sigaction = OnBusError;
        action.sa_flags = SA_SIGINFO | SA_ONSTACK;
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGBUS, &action, &g_previous);
    });
}

}  // namespace

bool MappingFaultGuard::Guard(void* begin, std::size_t size) {
    InstallHandlerOnce();
    for (int i = 0; i < kSlots; ++i) {
        int expected = kFree;
        if (!g_slots[i].state.compare_exchange_strong(expected, kClaimed, std::memory_order_acq_rel)) continue;
        g_slots[i].begin.store(reinterpret_cast<std::uintptr_t>(begin), std::memory_order_relaxed);
        g_slots[i].size.store(size, std::memory_order_relaxed);
        g_slots[i].faulted.store(false, std::memory_order_relaxed);
        g_slots[i].state.store(kActive, std::memory_order_release);
        slot_ = i;
        return true;
    }
    return false;
}

MappingFaultGuard::~MappingFaultGuard() { Release(); }

void MappingFaultGuard::Release() {
    if (slot_ < 0) return;
    g_slots[slot_].state.store(kFree, std::memory_order_release);
    slot_ = -1;
}

bool MappingFaultGuard::Faulted() const {
    return slot_ >= 0 && g_slots[slot_].faulted.load(std::memory_order_acquire);
}

}  // namespace platform::posix
