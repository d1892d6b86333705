#pragma once

#include "bench/synthetic_images.h"

#include <cstddef>

namespace bench {

// The baseline: each library's own file reading and decoding into one plain buffer,
// with nothing of ours in between. Returns a checksum of a few samples, 0 on failure.
std::size_t RawDecode(const TestFile& file);

}  // namespace bench
