#pragma once

#include "viewer/document/dib_tools.h"

#include <cstring>
#include <map>
#include <vector>

namespace testsupport {

// Resource numbers mapped to the bytes of a packed bitmap.
class FakeResources final : public BitmapResources {
public:
    imagelib::HeapBlock Load(int number) const override {
        const auto it = bitmaps.find(number);
        if (it == bitmaps.end()) return {};
        imagelib::HeapBlock block = imagelib::HeapBlock::Allocate(it->second.size());
        std::memcpy(block.data(), it->second.data(), it->second.size());
        return block;
    }
    std::map<int, std::vector<std::uint8_t>> bitmaps;
};

}  // namespace testsupport
