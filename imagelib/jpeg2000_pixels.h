#pragma once

#include "imagelib/dib.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace imagelib {

// Maps one component's samples, of any precision and sign, onto 0..255.
class ChannelScale {
public:
    ChannelScale(std::uint32_t precision, bool isSigned);
    std::uint8_t operator()(std::int32_t sample) const {
        std::int64_t v = static_cast<std::int64_t>(sample) + offset_;
        v = v < 0 ? 0 : (v > max_ ? max_ : v);
        return table_.empty() ? static_cast<std::uint8_t>(v >> shift_) : table_[static_cast<std::size_t>(v)];
    }
    // Unsigned 8-bit samples, which map onto themselves.
    bool IsIdentity() const { return offset_ == 0 && max_ == 255; }

private:
    std::int64_t offset_ = 0, max_ = 255;
    int shift_ = 0;                    // precisions above 16 bits
    std::vector<std::uint8_t> table_;  // precisions up to 16 bits
};

// One component's samples over a rectangle of the component's own grid.
struct SamplePlane {
    const void* data = nullptr;
    int bytesPerSample = 4;  // 1, 2 or 4, signed or not as the component says
    bool isSigned = true;
    std::uint32_t u0 = 0, v0 = 0;  // component coordinates of the first sample
    std::uint32_t width = 0, height = 0;
    std::uint32_t dx = 1, dy = 1;  // subsampling against the reference grid

    // OpenJPEG packs a tile's planes back to back, so a plane of wider samples that
    // follows an odd-sized one of bytes is unaligned: loaded through memcpy.
    std::int32_t At(std::size_t index) const {
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        switch (bytesPerSample) {
        case 1: return isSigned ? static_cast<std::int8_t>(bytes[index]) : bytes[index];
        case 2: {
            std::uint16_t v;
            std::memcpy(&v, bytes + 2 * index, sizeof v);
            return isSigned ? static_cast<std::int16_t>(v) : v;
        }
        default: {
            std::int32_t v;
            std::memcpy(&v, bytes + 4 * index, sizeof v);
            return v;
        }
        }
    }
};

// How the components make up the picture.
struct PictureLayout {
    std::uint32_t originX = 0, originY = 0;  // image offset on the reference grid
    int colourChannels = 3;                  // 3 (red, green, blue) or 1 (grey)
    bool alpha = false;                      // one more plane, composited onto black
    bool ycc = false;                        // planes are Y, Cb, Cr
    std::vector<ChannelScale> scales;        // one per plane
};

// Writes the picture pixels [x0, x1) x [y0, y1) (picture coordinates) from `planes`
// (colour channels, then alpha) into `dib`, upsampling subsampled planes.
void ConvertRegion(const PictureLayout& layout, const SamplePlane* planes, std::uint32_t x0, std::uint32_t y0,
                   std::uint32_t x1, std::uint32_t y1, Dib& dib);

}  // namespace imagelib
