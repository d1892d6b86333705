#include "imagelib/jpeg2000_pixels.h"

#include <algorithm>

namespace imagelib {
namespace {

std::uint8_t Clamp(double v) { return static_cast<std::uint8_t>(std::clamp(v + 0.5, 0.0, 255.0)); }

// The sample of a plane that covers reference-grid coordinate `absolute`.
std::uint32_t SampleIndex(std::uint64_t absolute, std::uint32_t step, std::uint32_t first, std::uint32_t count) {
    const std::uint64_t u = absolute / step;
    const std::uint64_t index = u > first ? u - first : 0;
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(index, count - 1));
}

// The common case, 8-bit unsigned planes at full resolution covering the region: the
// samples are the picture's bytes in another order.
bool IsPlainEightBit(const PictureLayout& layout, const SamplePlane* planes, std::uint32_t x0, std::uint32_t y0,
                     std::uint32_t x1, std::uint32_t y1) {
    if (layout.alpha || layout.ycc) return false;
    for (int c = 0; c < layout.colourChannels; ++c) {
        const SamplePlane& p = planes[c];
        if (p.bytesPerSample != 1 || p.isSigned || !layout.scales[static_cast<std::size_t>(c)].IsIdentity() ||
            p.dx != 1 || p.dy != 1 || std::uint64_t{p.u0} != std::uint64_t{x0} + layout.originX ||
            std::uint64_t{p.v0} != std::uint64_t{y0} + layout.originY || p.width < x1 - x0 || p.height < y1 - y0)
            return false;
    }
    return true;
}

void ConvertPlainEightBit(const PictureLayout& layout, const SamplePlane* planes, std::uint32_t x0, std::uint32_t y0,
                          std::uint32_t x1, std::uint32_t y1, Dib& dib) {
    const std::uint32_t width = x1 - x0;
    for (std::uint32_t y = y0; y < y1; ++y) {
        const std::size_t at = static_cast<std::size_t>(y - y0) * planes[0].width;
        if (layout.colourChannels == 1) {
            std::copy_n(static_cast<const std::uint8_t*>(planes[0].data) + at, width, dib.RowFromTop(y) + x0);
            continue;
        }
        const auto* r = static_cast<const std::uint8_t*>(planes[0].data) + at;
        const auto* g =
            static_cast<const std::uint8_t*>(planes[1].data) + static_cast<std::size_t>(y - y0) * planes[1].width;
        const auto* b =
            static_cast<const std::uint8_t*>(planes[2].data) + static_cast<std::size_t>(y - y0) * planes[2].width;
        std::uint8_t* out = dib.RowFromTop(y) + 3 * std::size_t{x0};
        for (std::uint32_t x = 0; x < width; ++x, out += 3) {
            out[0] = b[x];
            out[1] = g[x];
            out[2] = r[x];
        }
    }
}

}  // namespace

ChannelScale::ChannelScale(std::uint32_t precision, bool isSigned) {
    const int prec = static_cast<int>(std::clamp<std::uint32_t>(precision, 1, 31));
    offset_ = isSigned ? (std::int64_t{1} << (prec - 1)) : 0;
    max_ = (std::int64_t{1} << prec) - 1;
    if (prec > 16) {
        shift_ = prec - 8;
        return;
    }
    table_.resize(static_cast<std::size_t>(max_) + 1);
    for (std::int64_t v = 0; v <= max_; ++v)
        table_[static_cast<std::size_t>(v)] = static_cast<std::uint8_t>(prec >= 8 ? v >> (prec - 8) : v * 255 / max_);
}

void ConvertRegion(const PictureLayout& layout, const SamplePlane* planes, std::uint32_t x0, std::uint32_t y0,
                   std::uint32_t x1, std::uint32_t y1, Dib& dib) {
    if (IsPlainEightBit(layout, planes, x0, y0, x1, y1)) {
        ConvertPlainEightBit(layout, planes, x0, y0, x1, y1, dib);
        return;
    }
    const int used = layout.colourChannels + (layout.alpha ? 1 : 0);
    const std::uint32_t width = x1 - x0;
    // The sample column of every picture column, worked out once per plane.
    std::vector<std::uint32_t> columns(static_cast<std::size_t>(used) * width);
    for (int c = 0; c < used; ++c)
        for (std::uint32_t x = 0; x < width; ++x)
            columns[static_cast<std::size_t>(c) * width + x] =
                SampleIndex(std::uint64_t{x0} + x + layout.originX, planes[c].dx, planes[c].u0, planes[c].width);
    const bool colour = layout.colourChannels == 3;
    for (std::uint32_t y = y0; y < y1; ++y) {
        std::size_t rowStart[4] = {};
        for (int c = 0; c < used; ++c)
            rowStart[c] = static_cast<std::size_t>(SampleIndex(std::uint64_t{y} + layout.originY, planes[c].dy,
                                                               planes[c].v0, planes[c].height)) *
                          planes[c].width;
        std::uint8_t* out = dib.RowFromTop(y) + (colour ? 3 * std::size_t{x0} : x0);
        for (std::uint32_t x = 0; x < width; ++x) {
            int v[4] = {0, 0, 0, 255};
            for (int c = 0; c < used; ++c) {
                const std::int32_t sample =
                    planes[c].At(rowStart[c] + columns[static_cast<std::size_t>(c) * width + x]);
                v[c < layout.colourChannels ? c : 3] = layout.scales[static_cast<std::size_t>(c)](sample);
            }
            if (layout.ycc) {
                const double yv = v[0], cb = v[1] - 128.0, cr = v[2] - 128.0;
                v[0] = Clamp(yv + 1.402 * cr);
                v[1] = Clamp(yv - 0.344136 * cb - 0.714136 * cr);
                v[2] = Clamp(yv + 1.772 * cb);
            }
            const auto over = [&](int value) { return static_cast<std::uint8_t>((value * v[3] + 127) / 255); };
            if (colour) {
                *out++ = over(v[2]);
                *out++ = over(v[1]);
                *out++ = over(v[0]);
            } else {
                *out++ = over(v[0]);
            }
        }
    }
}

}  // namespace imagelib
