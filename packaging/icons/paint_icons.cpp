// Paints the package's hicolor icons from the program's own icon drawing:
// `paint_icons OUTDIR` writes OUTDIR/SIZExSIZE.png for each installed size.
#include "viewer/qt/app_icon.h"

#include <QDir>
#include <QImage>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: paint_icons OUTDIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
        icon.fill(Qt::transparent);
        {
            QPainter p(&icon);
            // The 32-pixel icon is the window's, pixel for pixel; other sizes are smoothed.
            p.setRenderHint(QPainter::Antialiasing, size != 32);
            p.scale(size / 32.0, size / 32.0);
            PaintViewerIcon(p);
        }
        const QString name = QStringLiteral("%1x%1.png").arg(size);
        if (!icon.save(out.filePath(name))) {
            std::fprintf(stderr, "paint_icons: cannot write %s\n", qPrintable(out.filePath(name)));
            return 1;
        }
    }
    return 0;
}
