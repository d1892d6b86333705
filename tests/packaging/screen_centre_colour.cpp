// Prints the colour of the primary screen's centre pixel as "R G B": the installed viewer's
// test reads which slide is on screen from it.
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return 1;
    const QImage shot = screen->grabWindow(0).toImage();
    if (shot.isNull()) return 1;
    const QColor centre = shot.pixelColor(shot.width() / 2, shot.height() / 2);
    std::printf("%d %d %d\n", centre.red(), centre.green(), centre.blue());
    return 0;
}
