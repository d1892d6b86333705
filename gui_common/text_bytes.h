#pragma once

#include <QString>

#include <string>

namespace gui {

// The programs' texts, in the core and in the texts headers alike, are 8-bit bytes of the
// system code page (UTF-8 here); the widgets hold QString. Both faces convert only here.
inline QString FromBytes(const char* bytes) { return QString::fromLocal8Bit(bytes); }

inline QString FromBytes(const std::string& bytes) {
    return QString::fromLocal8Bit(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

inline std::string ToBytes(const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace gui
