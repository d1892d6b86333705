#include "viewer/qt/app_icon.h"

#include <QPainter>
#include <QPolygon>

void PaintViewerIcon(QPainter& p) {
    p.setPen(QColor(40, 40, 40));
    p.setBrush(QColor(250, 250, 245));
    p.drawRect(1, 4, 29, 23);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 130, 220));
    p.drawRect(4, 7, 24, 17);
    p.setBrush(QColor(250, 220, 90));
    p.drawEllipse(20, 9, 5, 5);
    p.setBrush(QColor(40, 110, 60));
    p.drawPolygon(QPolygon({QPoint(4, 24), QPoint(12, 13), QPoint(18, 20), QPoint(22, 16), QPoint(28, 24)}));
}

QPixmap ViewerIcon() {
    QPixmap icon(32, 32);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    PaintViewerIcon(p);
    return icon;
}
