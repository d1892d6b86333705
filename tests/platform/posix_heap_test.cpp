#include "platform/posix/posix_heap.h"

#include <gtest/gtest.h>

#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>

namespace {

// Keeps the compiler from folding an allocation and its release away.
void* Touch(void* block) {
    asm volatile("" : : "r"(block) : "memory");
    return block;
}

std::size_t MappedBlocks() { return static_cast<std::size_t>(::mallinfo2().hblks); }

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kGlibcMalloc = false;
#elif defined(__has_feature)
constexpr bool kGlibcMalloc = !__has_feature(address_sanitizer) && !__has_feature(thread_sanitizer);
#else
constexpr bool kGlibcMalloc = true;
#endif

TEST(PosixHeap, PicturesStayInMappingsOfTheirOwnAfterALargerOneWasFreed) {
    if (!kGlibcMalloc) GTEST_SKIP() << "a sanitizer's allocator stands in for glibc's";
    platform::posix::PosixHeap heap;
    // glibc's own rule would raise the threshold past this block's size when it is freed.
    std::free(Touch(std::malloc(std::size_t{16} << 20)));
    const std::size_t before = MappedBlocks();
    void* picture = Touch(std::malloc(std::size_t{8} << 20));
    EXPECT_EQ(MappedBlocks(), before + 1) << "an 8 MiB picture comes from an arena";
    std::free(picture);
    EXPECT_EQ(MappedBlocks(), before) << "and its pages go back when it is freed";
    void* small = Touch(std::malloc(platform::posix::PosixHeap::kOwnMappingBytes / 4));
    EXPECT_EQ(MappedBlocks(), before) << "small blocks stay in the arenas";
    std::free(small);
}

}  // namespace
#endif
