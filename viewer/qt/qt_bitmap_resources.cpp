#include "viewer/qt/qt_bitmap_resources.h"

#include <QtCore/QByteArray>
#include <QtCore/QFile>
#include <QtCore/QString>

#include <cstring>

namespace {

// The BMP file header in front of the packed picture: "BM", size, two reserved, offset.
constexpr qsizetype kFileHeaderBytes = 14;

}  // namespace

// Resources compiled into a static library are registered only when asked for by name,
// and the macro must be used outside any namespace.
static void RegisterViewerResources() { Q_INIT_RESOURCE(viewer); }

QtBitmapResources::QtBitmapResources() { RegisterViewerResources(); }

imagelib::HeapBlock QtBitmapResources::Load(int number) const {
    QFile file(QStringLiteral(":/bitmaps/%1.bmp").arg(number));
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    if (bytes.size() <= kFileHeaderBytes || !bytes.startsWith("BM")) return {};
    imagelib::HeapBlock block = imagelib::HeapBlock::Allocate(static_cast<std::size_t>(bytes.size() - kFileHeaderBytes));
    if (!block.empty()) std::memcpy(block.data(), bytes.constData() + kFileHeaderBytes, block.size());
    return block;
}
