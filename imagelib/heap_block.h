#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace imagelib {

// One separately owned, zero-filled block of picture memory. Blocks move between the
// decoder, the raster image and the viewer's picture record without being copied.
class HeapBlock {
public:
    HeapBlock() = default;

    // Zero-filled block of `size` bytes; empty when the system has no memory for it.
    static HeapBlock Allocate(std::size_t size) {
        HeapBlock block;
        if (size == 0) return block;
        block.data_.reset(static_cast<std::uint8_t*>(std::calloc(size, 1)));
        if (block.data_) block.size_ = size;
        return block;
    }

    std::uint8_t* data() { return data_.get(); }
    const std::uint8_t* data() const { return data_.get(); }
    std::size_t size() const { return size_; }
    bool empty() const { return !data_; }
    void reset() {
        data_.reset();
        size_ = 0;
    }

private:
    struct Free {
        void operator()(std::uint8_t* p) const { std::free(p); }
    };
    std::unique_ptr<std::uint8_t[], Free> data_;
    std::size_t size_ = 0;
};

}  // namespace imagelib
