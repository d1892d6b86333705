#include "viewer/qt/dib_drawing.h"

#include "imagelib/info_header.h"
#include "viewer/document/dib_layout.h"
#include "viewer/document/dib_pixels.h"
#include "viewer/res/texts.h"

#include <QtCore/QList>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtGui/QTransform>

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

namespace {

constexpr int kMaxSide = 0xFFFF;

std::span<std::uint32_t> Pixels(QImage& image, int y) {
    return {reinterpret_cast<std::uint32_t*>(image.scanLine(y)), static_cast<std::size_t>(image.width())};
}

// The colour table as RGB, always 256 long so that no stored index can look past it.
QList<QRgb> ColourTable(const DibLayout& layout, const DibImage& image) {
    QList<QRgb> table(256, qRgb(0, 0, 0));
    for (std::uint32_t i = 0; i < layout.tableEntries && i < 256; ++i) {
        const std::uint8_t* quad = dibheader::TableEntry(image.header, i);
        table[static_cast<qsizetype>(i)] = qRgb(quad[2], quad[1], quad[0]);
    }
    return table;
}

// The picture as a QImage whose rows are in storage order (bottom row first). Depths Qt
// can read in place are wrapped without copying the pixels; the others are converted.
QImage StoredRowsImage(const DibLayout& layout, const DibImage& image) {
    const uchar* bits = image.bits.data();
    const int w = layout.width, h = layout.height;
    const qsizetype stride = layout.stride;
    switch (layout.bitsPerPixel) {
    case 1:
    case 8: {
        QImage wrapped(bits, w, h, stride, layout.bitsPerPixel == 1 ? QImage::Format_Mono : QImage::Format_Indexed8);
        QList<QRgb> table = ColourTable(layout, image);
        if (layout.bitsPerPixel == 1) table.resize(2);
        wrapped.setColorTable(table);
        return wrapped;
    }
    case 24: return QImage(bits, w, h, stride, QImage::Format_BGR888);
    case 32: return QImage(bits, w, h, stride, QImage::Format_RGB32);
    default: {
        QImage converted(w, h, QImage::Format_RGB32);
        if (converted.isNull()) return converted;
        for (int y = 0; y < h; ++y) ReadRowRgb(layout, image, static_cast<std::uint32_t>(h - 1 - y), Pixels(converted, y));
        return converted;
    }
    }
}

void DrawKeyed(const CDibTools& tools, QPainter& painter, int left, int top, int width, int height,
               const DibImage& image, RgbColour key) {
    DibImage copy;
    tools.CopyDib(image, copy);
    if (copy.header.empty() || copy.bits.empty()) {
        tools.ShowInvalidImagePointer(texts::kInvalidImagePointer104);
        tools.FreeDib(copy);
        return;
    }
    const auto layout = width <= kMaxSide && height <= kMaxSide &&
                                tools.ResampleDib(copy, static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(height))
                            ? ReadDibLayout(copy.header, copy.bits)
                            : std::nullopt;
    QImage bitmap;
    if (layout) {
        bitmap = QImage(width, height, QImage::Format_RGB32);
        for (int y = 0; !bitmap.isNull() && y < height; ++y)
            ReadRowRgb(*layout, copy, static_cast<std::uint32_t>(y), Pixels(bitmap, y));
    }
    tools.FreeDib(copy);
    if (!bitmap.isNull()) DrawTransparent(painter, bitmap, left, top, left + width, top + height, key);
}

}  // namespace

void DrawDib(const CDibTools& tools, QPainter& painter, int left, int top, int right, int bottom,
             const DibImage& image, bool transparent, RgbColour key) {
    if (image.header.empty() || image.bits.empty()) {
        tools.ShowInvalidImagePointer(texts::kInvalidImagePointer104);
        return;
    }
    const long long width = static_cast<long long>(right) - left;
    const long long height = static_cast<long long>(bottom) - top;
    if (width <= 0 || height <= 0 || width > INT32_MAX || height > INT32_MAX) return;
    if (transparent)
        DrawKeyed(tools, painter, left, top, static_cast<int>(width), static_cast<int>(height), image, key);
    else
        StretchDibBits(painter, left, top, static_cast<int>(width), static_cast<int>(height), 0, 0,
                       static_cast<int>(dibheader::Get32(image.header.data(), dibheader::kWidthField)),
                       static_cast<int>(dibheader::Get32(image.header.data(), dibheader::kHeightField)), image);
}

void DrawTransparent(QPainter& painter, const QImage& bitmap, int left, int top, int right, int bottom,
                     RgbColour key) {
    const long long width = static_cast<long long>(right) - left;
    const long long height = static_cast<long long>(bottom) - top;
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide || bitmap.isNull()) return;
    QImage work = bitmap.convertToFormat(QImage::Format_ARGB32);
    if (work.width() != width || work.height() != height)
        work = work.scaled(static_cast<int>(width), static_cast<int>(height), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (work.isNull()) return;
    for (int y = 0; y < work.height(); ++y) MakeKeyTransparent(Pixels(work, y), key);
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(QPoint(left, top), work);
    painter.restore();
}

void StretchDibBits(QPainter& painter, int destLeft, int destTop, int destWidth, int destHeight, int sourceX,
                    int sourceY, int sourceWidth, int sourceHeight, const DibImage& image) {
    if (destWidth <= 0 || destHeight <= 0 || sourceWidth <= 0 || sourceHeight <= 0) return;
    const auto layout = ReadDibLayout(image.header, image.bits);
    if (!layout) return;
    const QImage stored = StoredRowsImage(*layout, image);
    if (stored.isNull()) return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    // Rows are stored bottom row first: mirror about the destination's middle line, so the
    // source rectangle can be taken in stored rows as the platform's stretch takes it.
    painter.setTransform(QTransform(1, 0, 0, -1, 0, 2.0 * destTop + destHeight), true);
    painter.drawImage(QRect(destLeft, destTop, destWidth, destHeight), stored,
                      QRect(sourceX, sourceY, sourceWidth, sourceHeight));
    painter.restore();
}

bool StretchDibIntoImage(QImage& target, int destLeft, int destTop, int destWidth, int destHeight, int sourceX,
                         int sourceY, int sourceWidth, int sourceHeight, const DibImage& image) {
    if (destWidth <= 0 || destHeight <= 0 || sourceWidth <= 0 || sourceHeight <= 0) return true;
    if (target.format() != QImage::Format_RGB32 && target.format() != QImage::Format_ARGB32) return false;
    const auto layout = ReadDibLayout(image.header, image.bits);
    if (!layout || (layout->bitsPerPixel != 8 && layout->bitsPerPixel != 24 && layout->bitsPerPixel != 32))
        return false;
    if (sourceX < 0 || sourceY < 0 || sourceX + static_cast<long long>(sourceWidth) > layout->width ||
        sourceY + static_cast<long long>(sourceHeight) > layout->height)
        return false;
    const int left = std::max(destLeft, 0), top = std::max(destTop, 0);
    const int right = static_cast<int>(std::min<long long>(static_cast<long long>(destLeft) + destWidth, target.width()));
    const int bottom = static_cast<int>(std::min<long long>(static_cast<long long>(destTop) + destHeight, target.height()));
    if (left >= right || top >= bottom) return true;

    const int bytesPerPixel = layout->bitsPerPixel / 8;
    // Byte offset in a stored row of each destination column's source pixel, from the
    // centre of its pixel.
    std::vector<std::uint32_t> columns(static_cast<std::size_t>(right - left));
    for (int x = left; x < right; ++x)
        columns[static_cast<std::size_t>(x - left)] = static_cast<std::uint32_t>(
            (sourceX + (2LL * (x - destLeft) + 1) * sourceWidth / (2LL * destWidth)) * bytesPerPixel);
    const QList<QRgb> table = layout->bitsPerPixel == 8 ? ColourTable(*layout, image) : QList<QRgb>();
    // Rows are reached from the first one: scanLine() would check for sharing on each.
    std::uint8_t* const first = target.bits();
    const qsizetype lineBytes = target.bytesPerLine();
    for (int y = top; y < bottom; ++y) {
        // Stored rows run bottom-up: the destination's top row is the source's highest row.
        const long long fromTop = (2LL * (y - destTop) + 1) * sourceHeight / (2LL * destHeight);
        const std::size_t stored = static_cast<std::size_t>(sourceY + sourceHeight - 1 - fromTop);
        const std::uint8_t* row = image.bits.data() + stored * layout->stride;
        auto* out = reinterpret_cast<QRgb*>(first + y * lineBytes) + left;
        if (bytesPerPixel == 1) {
            for (std::uint32_t column : columns) *out++ = table[row[column]];
        } else {
            for (std::uint32_t offset : columns) {
                const std::uint8_t* px = row + offset;
                *out++ = 0xff000000u | (std::uint32_t{px[2]} << 16) | (std::uint32_t{px[1]} << 8) | px[0];
            }
        }
    }
    return true;
}
