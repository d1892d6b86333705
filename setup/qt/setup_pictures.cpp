#include "setup/qt/setup_pictures.h"

#include "setup/picture_shapes.h"

#include <QPainter>

namespace setup::gui {
namespace {

QColor ColorOf(pictures::Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

// Drawn on transparency: what a picture masked on black leaves visible.
QPixmap DrawShapes(std::span<const pictures::Shape> shapes, int grid, int size, bool smooth) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, smooth);
    p.scale(size / double(grid), size / double(grid));
    for (const auto& shape : shapes) {
        if (shape.penWidth > 0) p.setPen(QPen(ColorOf(shape.pen), shape.penWidth));
        else p.setPen(Qt::NoPen);
        p.setBrush(ColorOf(shape.fill));
        QPolygon outline;
        for (const auto& point : shape.outline) outline << QPoint(point.x, point.y);
        p.drawPolygon(outline);
    }
    return pixmap;
}

}  // namespace

QIcon SetupIcon() {
    QIcon icon;
    for (int size : {16, 32, 48}) icon.addPixmap(DrawShapes(pictures::kIcon, pictures::kIconGrid, size, true));
    return icon;
}

QPixmap TreePicturePixmap(TreePicture picture) {
    const auto size = pictures::kTreePictureSize;
    return DrawShapes(pictures::kTreePictures[static_cast<int>(picture)], size, size, false);
}

}  // namespace setup::gui
