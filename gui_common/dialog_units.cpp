#include "gui_common/dialog_units.h"

#include <QFontMetrics>
#include <QWidget>

namespace gui {
namespace {

// Multiply then divide, rounding to nearest as the system's dialog-unit conversion does.
int Scale(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : (product - half) / denominator);
}

}  // namespace

QFont DialogFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    return font;
}

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    // The average width over the 52 letters, rounded.
    const int letters =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    baseX_ = (letters / 26 + 1) / 2;
    baseY_ = metrics.height();
    if (baseX_ < 1) baseX_ = 1;
    if (baseY_ < 1) baseY_ = 1;
}

int DialogUnits::X(int units) const { return Scale(units, baseX_, 4); }
int DialogUnits::Y(int units) const { return Scale(units, baseY_, 8); }

QRect DialogUnits::ToPixels(int x, int y, int width, int height) const {
    return {X(x), Y(y), X(width), Y(height)};
}

QSize DialogUnits::ToPixels(int width, int height) const { return {X(width), Y(height)}; }

DialogUnits SetUpDialog(QWidget* dialog, int width, int height) {
    dialog->setFont(DialogFont());
    const DialogUnits units(dialog->font());
    dialog->setFixedSize(units.ToPixels(width, height));
    return units;
}

void Place(QWidget* control, const DialogUnits& units, int x, int y, int width, int height) {
    control->setGeometry(units.ToPixels(x, y, width, height));
}

}  // namespace gui
