#pragma once

#include <QCheckBox>

namespace gui {

// A multi-line check box: its text wraps at word breaks within its width beside the
// indicator, where a QCheckBox keeps it on one line and cuts it. As with the system's
// check boxes, a click anywhere in its rectangle toggles it.
class WrappingCheckBox final : public QCheckBox {
    Q_OBJECT
public:
    explicit WrappingCheckBox(const QString& text, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    // The indicator beside the text's widest word.
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    // The part of `box` right of the indicator, where the text is laid out.
    QRect TextArea(const QRect& box) const;
    // The text's bounding rectangle when laid out in `area`.
    QRect TextBounds(const QRect& area) const;
    // The indicator and the space after it.
    int Indent() const;
    int IndicatorHeight() const;
};

}  // namespace gui
