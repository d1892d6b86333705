#include "gui_common/dialog_units.h"

#include <QFontMetrics>
#include <QLabel>
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

QRect DialogUnits::FromDesignPixels(const QRect& designed) const {
    constexpr int kDesignBaseX = 6;
    constexpr int kDesignBaseY = 13;
    const auto x = [&](int px) { return Scale(px, baseX_, kDesignBaseX); };
    const auto y = [&](int px) { return Scale(px, baseY_, kDesignBaseY); };
    return QRect(QPoint(x(designed.left()), y(designed.top())),
                 QPoint(x(designed.right() + 1) - 1, y(designed.bottom() + 1) - 1));
}

DialogUnits SetUpDialog(QWidget* dialog, int width, int height) {
    dialog->setFont(DialogFont());
    const DialogUnits units(dialog->font());
    dialog->setFixedSize(units.ToPixels(width, height));
    return units;
}

void Place(QWidget* control, const DialogUnits& units, int x, int y, int width, int height) {
    QRect rect = units.ToPixels(x, y, width, height);
    if (const auto* label = qobject_cast<const QLabel*>(control); label && !label->wordWrap()) {
        const int needed = label->sizeHint().width();
        if (needed > rect.width()) {
            // Right-aligned labels grow to the left, the others to the right.
            if (label->alignment() & Qt::AlignRight) rect.setLeft(rect.right() + 1 - needed);
            else rect.setWidth(needed);
        }
    }
    control->setGeometry(rect);
}

}  // namespace gui
