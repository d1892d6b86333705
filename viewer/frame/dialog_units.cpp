#include "viewer/frame/dialog_units.h"

#include <QFontMetrics>

namespace {

// MulDiv: rounded half away from zero.
int Scale(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : -((-product + half) / denominator));
}

}  // namespace

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    // The average width over both alphabets, rounded, as dialog templates measure it.
    const int alphabet = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    baseWidth_ = std::max(1, (alphabet / 26 + 1) / 2);
    baseHeight_ = std::max(1, metrics.height());
}

int DialogUnits::X(int units) const { return Scale(units, baseWidth_, 4); }

int DialogUnits::Y(int units) const { return Scale(units, baseHeight_, 8); }

QRect DialogUnits::ToPixels(int left, int top, int width, int height) const {
    return {X(left), Y(top), X(width), Y(height)};
}
