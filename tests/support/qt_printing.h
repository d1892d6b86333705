#pragma once

#include <QString>

#include <ostream>

// Lets GoogleTest show Qt strings as text when an expectation fails.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
