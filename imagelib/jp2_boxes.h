#pragma once

#include "imagelib/byte_reader.h"

namespace imagelib {

// True when a jp2 file's header box holds a palette or channel definitions: OpenJPEG
// applies those only when it decodes the whole image at once.
bool Jp2NeedsWholeImageDecode(ByteSpan file);

}  // namespace imagelib
