#pragma once

#include "platform/fake/backend_guard.h"
#include "platform/display.h"

namespace platform::fake {

// A screen of the given depth; a depth of 0 means no screen.
class FakeDisplay final : public Display {
public:
    explicit FakeDisplay(int depth = 32) : depth(depth) {}
    bool QueryColorDepth(int* bits) const override {
        if (depth == 0) return false;
        *bits = depth;
        return true;
    }
    int depth;
};

}  // namespace platform::fake
