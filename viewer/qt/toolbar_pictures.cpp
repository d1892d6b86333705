#include "viewer/qt/toolbar_pictures.h"

#include "viewer/app/varnelle_app.h"
#include "viewer/document/varnelle_doc.h"
#include "viewer/res/command_ids.h"

#include <QPainter>

namespace {

constexpr int kWidth = 16;
constexpr int kHeight = 15;

void DrawFolder(QPainter& p) {
    p.setPen(QColor(96, 64, 0));
    p.setBrush(QColor(240, 200, 64));
    p.drawRect(1, 3, 12, 9);
    p.drawRect(1, 2, 5, 1);
    p.setBrush(QColor(255, 232, 128));
    p.drawPolygon(QPolygon({QPoint(3, 6), QPoint(15, 6), QPoint(13, 12), QPoint(1, 12)}));
}

void DrawPrinter(QPainter& p) {
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(4, 1, 7, 5);
    p.setBrush(QColor(192, 192, 192));
    p.drawRect(1, 6, 13, 5);
    p.setBrush(Qt::white);
    p.drawRect(4, 9, 7, 4);
    p.setPen(QColor(0, 160, 0));
    p.drawPoint(12, 8);
}

void DrawQuestionMark(QPainter& p) {
    p.setPen(QPen(QColor(0, 0, 160), 2));
    p.drawArc(QRect(4, 1, 7, 6), 180 * 16, -270 * 16);
    p.drawLine(8, 7, 8, 9);
    p.drawPoint(8, 12);
}

}  // namespace

QPixmap ToolButtonPicture(int id) {
    void (*draw)(QPainter&) = nullptr;
    if (id == cmd::ID_FILE_OPEN) draw = DrawFolder;
    else if (id == cmd::ID_FILE_PRINT) draw = DrawPrinter;
    else if (id == cmd::ID_HELP_TOPICS) draw = DrawQuestionMark;
    if (!draw) return {};
    QPixmap picture(kWidth, kHeight);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    draw(painter);
    return picture;
}
