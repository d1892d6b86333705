#include "setup/qt/setup_pictures.h"

#include <QPainter>
#include <QPainterPath>

namespace setup::gui {
namespace {

// A box with a green arrow going into it.
QPixmap DrawSetupIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    p.setPen(QPen(QColor(90, 60, 20), 1.5));
    p.setBrush(QColor(214, 170, 100));
    p.drawRect(QRectF(5, 15, 22, 14));
    p.setBrush(QColor(190, 145, 80));
    p.drawPolygon(QPolygonF({QPointF(5, 15), QPointF(9, 10), QPointF(23, 10), QPointF(27, 15)}));
    p.setPen(QPen(QColor(20, 90, 20), 1.2));
    p.setBrush(QColor(60, 170, 60));
    p.drawPolygon(QPolygonF({QPointF(13, 2), QPointF(19, 2), QPointF(19, 11), QPointF(23, 11),
                             QPointF(16, 19), QPointF(9, 11), QPointF(13, 11)}));
    return pixmap;
}

void DrawFolder(QPainter& p, bool open) {
    p.setPen(QColor(128, 96, 0));
    p.setBrush(QColor(255, 220, 100));
    p.drawPolygon(QPolygon({QPoint(1, 3), QPoint(6, 3), QPoint(7, 5), QPoint(14, 5), QPoint(14, 13),
                            QPoint(1, 13)}));
    if (open) {
        p.setBrush(QColor(255, 236, 160));
        p.drawPolygon(QPolygon({QPoint(3, 7), QPoint(15, 7), QPoint(13, 13), QPoint(1, 13)}));
    }
}

}  // namespace

QIcon SetupIcon() {
    QIcon icon;
    for (int size : {16, 32, 48}) icon.addPixmap(DrawSetupIcon(size));
    return icon;
}

QPixmap TreePicturePixmap(TreePicture picture) {
    // Drawn on transparency: what a picture masked on black leaves visible.
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    switch (picture) {
    case TreePicture::ClosedFolder: DrawFolder(p, false); break;
    case TreePicture::OpenFolder: DrawFolder(p, true); break;
    case TreePicture::DownArrow:
        p.setPen(QColor(0, 64, 0));
        p.setBrush(QColor(0, 160, 0));
        p.drawPolygon(QPolygon({QPoint(5, 1), QPoint(10, 1), QPoint(10, 7), QPoint(14, 7),
                                QPoint(7, 14), QPoint(1, 7), QPoint(5, 7)}));
        break;
    case TreePicture::HardDrive:
        p.setPen(QColor(64, 64, 64));
        p.setBrush(QColor(192, 192, 192));
        p.drawRect(1, 5, 13, 7);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 200, 0));
        p.drawRect(11, 9, 2, 2);
        p.setBrush(QColor(128, 128, 128));
        p.drawRect(3, 9, 6, 1);
        break;
    }
    return pixmap;
}

}  // namespace setup::gui
