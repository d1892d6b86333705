#pragma once

#include "platform/file_system.h"

#include <string>
#include <vector>

// Reads a collage file: a little-endian 32-bit entry count, then per entry a 32-bit
// length and that many path bytes. Empties `slides`, then appends one path per entry;
// on a failure the entries read so far stay. A file shorter than it declares, or a
// negative length, fails with the end-of-file cause before anything is allocated for it.
// A list too large for memory fails with the generic cause and leaves `slides` empty.
platform::FileCause ReadCollageFile(platform::FileSystem& fs, const std::string& path,
                                    std::vector<std::string>& slides);
