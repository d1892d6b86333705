#include "gui_common/wrapping_check_box.h"

#include <QFontMetrics>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>

namespace gui {
namespace {

constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
// Larger than any text, so that only the width given limits a layout.
constexpr int kUnbounded = 1 << 20;

}  // namespace

WrappingCheckBox::WrappingCheckBox(const QString& text, QWidget* parent) : QCheckBox(text, parent) {
    QSizePolicy policy = sizePolicy();
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

QRect WrappingCheckBox::TextArea(const QRect& box) const {
    QStyleOptionButton option;
    initStyleOption(&option);
    option.rect = box;
    return style()->subElementRect(QStyle::SE_CheckBoxContents, &option, this);
}

QRect WrappingCheckBox::TextBounds(const QRect& area) const {
    return fontMetrics().boundingRect(area, kTextFlags, text());
}

int WrappingCheckBox::IndicatorHeight() const {
    QStyleOptionButton option;
    initStyleOption(&option);
    return style()->pixelMetric(QStyle::PM_IndicatorHeight, &option, this);
}

int WrappingCheckBox::Indent() const {
    return kUnbounded - TextArea(QRect(0, 0, kUnbounded, kUnbounded)).width();
}

int WrappingCheckBox::heightForWidth(int width) const {
    const QRect area = TextArea(QRect(0, 0, width, kUnbounded));
    return std::max(IndicatorHeight(), TextBounds(area).height());
}

QSize WrappingCheckBox::sizeHint() const {
    // The text on one line.
    const QSize line = fontMetrics().size(Qt::TextShowMnemonic, text());
    return {Indent() + line.width(), std::max(IndicatorHeight(), line.height())};
}

QSize WrappingCheckBox::minimumSizeHint() const {
    // Laid out one pixel wide, every word stands on a line of its own.
    const int widest = TextBounds(QRect(0, 0, 1, kUnbounded)).width();
    return {Indent() + widest, heightForWidth(Indent() + widest)};
}

void WrappingCheckBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    QStyleOptionButton indicator = option;
    indicator.rect = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
    painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, indicator);

    const QRect area = TextArea(rect());
    int flags = kTextFlags;
    if (!style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this)) flags |= Qt::TextHideMnemonic;
    painter.drawItemText(area, flags, option.palette, isEnabled(), text(), QPalette::WindowText);
    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = TextBounds(area).adjusted(-1, 0, 1, 0).intersected(rect());
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

bool WrappingCheckBox::hitButton(const QPoint& pos) const { return rect().contains(pos); }

}  // namespace gui
