#pragma once

#include <cstdint>

namespace platform {

// The runtime's pseudo-random numbers, 0 to 32767, as srand and rand give them.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void Seed(std::uint32_t seed) = 0;
    virtual int Rand() = 0;
};

// The project's own 15-bit generator with the classic C runtime recurrence, so the numbers
// never depend on the C library in use.
class RuntimeRandom final : public RandomSource {
public:
    static constexpr int kMax = 32767;

    void Seed(std::uint32_t seed) override { state_ = seed; }
    int Rand() override {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFFu);
    }

private:
    std::uint32_t state_ = 1;  // the runtime's start before any seed
};

}  // namespace platform
