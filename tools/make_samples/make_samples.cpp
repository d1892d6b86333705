// Draws the bundled sample slideshow: `make_samples DIR` writes a few small pictures in
// several formats and a collage file listing them by paths relative to the repository.
#include <QColor>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <cstdint>
#include <cstdio>

namespace {

QImage Slide(int w, int h, QColor from, QColor to, const QString& caption) {
    QImage image(w, h, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, from);
    sky.setColorAt(1, to);
    p.fillRect(image.rect(), sky);
    QRadialGradient sun(w * 0.7, h * 0.35, h * 0.2);
    sun.setColorAt(0, QColor(255, 240, 180));
    sun.setColorAt(1, QColor(255, 200, 80, 0));
    p.setBrush(sun);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(w * 0.7, h * 0.35), h * 0.2, h * 0.2);
    p.setBrush(QColor(30, 60, 40));
    const QPointF hills[] = {{0.0, h * 0.8}, {w * 0.3, h * 0.6}, {w * 0.6, h * 0.75}, {w * 1.0, h * 0.55},
                             {w * 1.0, h * 1.0}, {0.0, h * 1.0}};
    p.drawPolygon(hills, 6);
    p.setPen(Qt::white);
    QFont font = p.font();
    font.setPixelSize(h / 10);
    p.setFont(font);
    p.drawText(image.rect().adjusted(0, h / 20, 0, 0), Qt::AlignHCenter | Qt::AlignTop, caption);
    return image;
}

void AppendInt32(QByteArray& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.append(static_cast<char>((v >> (8 * i)) & 0xFF));
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_samples DIR\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    struct Sample {
        const char* name;
        QImage image;
        const char* format;
        int quality;
    };
    const Sample samples[] = {
        {"dawn.jpg", Slide(320, 240, QColor(40, 50, 120), QColor(250, 150, 90), "Dawn"), "JPG", 80},
        {"noon.png", Slide(320, 200, QColor(60, 140, 230), QColor(180, 220, 255), "Noon")
                         .convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither), "PNG", -1},
        {"dusk.bmp", Slide(160, 120, QColor(90, 30, 90), QColor(240, 110, 60), "Dusk")
                         .convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither), "BMP", -1},
        {"night.jpg", Slide(240, 320, QColor(5, 10, 40), QColor(40, 40, 90), "Night"), "JPG", 75},
    };
    QByteArray collage;
    AppendInt32(collage, sizeof samples / sizeof samples[0]);
    for (const auto& s : samples) {
        if (!s.image.save(dir + "/" + s.name, s.format, s.quality)) return 1;
        const QByteArray entry = QByteArray("samples/") + s.name;
        AppendInt32(collage, static_cast<std::uint32_t>(entry.size()));
        collage.append(entry);
    }
    QFile lit(dir + "/show.lit");
    if (!lit.open(QIODevice::WriteOnly) || lit.write(collage) != collage.size()) return 1;
    return 0;
}
