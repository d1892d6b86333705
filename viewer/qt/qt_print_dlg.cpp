#include "viewer/qt/qt_print_dlg.h"

#include "gui_common/dialog_controls.h"
#include "gui_common/dialog_numbers.h"
#include "gui_common/text_bytes.h"
#include "viewer/res/texts.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

namespace {

::Rect ToRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

// Outline and fill inside (left, top) to (right, bottom), right and bottom exclusive.
void DrawBox(QPainter& painter, const ::Rect& r, const QPen& pen, const QColor& fill) {
    if (r.Width() <= 0 || r.Height() <= 0) return;
    painter.setPen(pen);
    painter.setBrush(fill);
    painter.drawRect(QRect(r.left, r.top, r.Width() - 1, r.Height() - 1));
}

}  // namespace

QtPrintDlg::QtPrintDlg(CPrintDlg& dlg, QWidget* parent) : QDialog(parent), dlg_(dlg) {
    setWindowTitle(gui::FromBytes(texts::kPrintDlgCaption));
    setFont(gui::DialogFont());
    Build();
    dlg_.Attach(*this);
    dlg_.OnInitDialog();
}

void QtPrintDlg::Build() {
    const gui::DialogUnits du(font());
    setFixedSize(du.X(289), du.Y(166));

    // Group boxes first, so that the controls inside lie above them.
    const auto group = [&](const char* text, QRect r) {
        auto* box = new QGroupBox(gui::FromBytes(text), this);
        box->setGeometry(r);
        return box;
    };
    group(texts::kSizeAndPositionGroup, du.ToPixels(7, 45, 180, 85));
    group(texts::kPrinterGroup, du.ToPixels(7, 7, 275, 31));
    orientationGroup_ = group(texts::kOrientationGroup, du.ToPixels(200, 45, 82, 45));
    controls_[CPrintDlg::IDC_ORIENTATION_GROUP] = orientationGroup_;

    const auto button = [&](int id, const char* text, int x, int y, int width) {
        auto* b = gui::AddButton(this, du, text, x, y, width, 14);
        b->setAutoDefault(false);
        controls_[id] = b;
        return b;
    };
    print_ = button(CPrintDlg::IDOK, texts::kPrintButton, 137, 143, 50);
    print_->setDefault(true);
    button(CPrintDlg::IDCANCEL, texts::kCancelButton, 7, 143, 50);
    button(CPrintDlg::IDC_PRINTER_SETUP, texts::kPrinterSetupButton, 213, 17, 58);
    button(CPrintDlg::IDC_PREVIEW, texts::kPrintPreviewButton, 67, 143, 58);

    const auto label = [&](int id, const char* text, QRect r) {
        auto* l = new QLabel(gui::FromBytes(text), this);
        l->setGeometry(r);
        if (id) controls_[id] = l;
        return l;
    };
    label(CPrintDlg::IDC_PIXELS_LABEL, texts::kPixelsPerInchLabel, du.ToPixels(19, 107, 38, 8));
    label(0, texts::kLeftPadLabel, du.ToPixels(19, 62, 30, 8));
    label(0, texts::kTopPadLabel, du.ToPixels(18, 85, 30, 8));
    printerName_ = label(CPrintDlg::IDC_PRINTER_NAME, texts::kPrinterNameInitial, du.ToPixels(13, 20, 194, 8));

    const auto edit = [&](int id, QRect r) {
        auto* e = new QLineEdit(this);
        e->setGeometry(r);
        controls_[id] = e;
        return e;
    };
    pixelsPerInch_ = edit(CPrintDlg::IDC_PIXELS_PER_INCH, du.ToPixels(59, 104, 21, 13));
    pixelsPerInch_->setMaxLength(CPrintDlg::kMaxResolutionChars);
    leftPad_ = edit(CPrintDlg::IDC_LEFT_PAD, du.ToPixels(54, 60, 28, 13));
    topPad_ = edit(CPrintDlg::IDC_TOP_PAD, du.ToPixels(54, 82, 28, 13));

    const auto radio = [&](QButtonGroup* g, int index, int id, const char* text, QRect r) {
        auto* b = new QRadioButton(gui::FromBytes(text), this);
        b->setGeometry(r);
        g->addButton(b, index);
        controls_[id] = b;
    };
    orientation_ = new QButtonGroup(this);
    radio(orientation_, 0, CPrintDlg::IDC_PORTRAIT, texts::kPortrait, du.ToPixels(215, 58, 42, 11));
    radio(orientation_, 1, CPrintDlg::IDC_LANDSCAPE, texts::kLandscape, du.ToPixels(215, 72, 51, 10));
    placement_ = new QButtonGroup(this);
    const int tops[] = {58, 71, 84, 97, 110};
    const int widths[] = {58, 65, 49, 73, 59};
    for (int i = 0; i < 5; ++i)
        radio(placement_, i, CPrintDlg::IDC_PLACEMENT_FIRST + i, texts::kPlacementTexts[i],
              du.ToPixels(107, tops[i], widths[i], 10));

    connect(print_, &QPushButton::clicked, this, [this] { dlg_.OnOK(); });
    connect(static_cast<QPushButton*>(controls_[CPrintDlg::IDCANCEL]), &QPushButton::clicked, this,
            [this] { dlg_.OnCancel(); });
    connect(static_cast<QPushButton*>(controls_[CPrintDlg::IDC_PRINTER_SETUP]), &QPushButton::clicked, this,
            [this] { dlg_.OnPrinterSetup(); });
    connect(static_cast<QPushButton*>(controls_[CPrintDlg::IDC_PREVIEW]), &QPushButton::clicked, this,
            [this] { dlg_.OnPreview(); });
    connect(pixelsPerInch_, &QLineEdit::textEdited, this, [this] { dlg_.OnChangePixelsPerInch(); });
    connect(leftPad_, &QLineEdit::textEdited, this, [this] { dlg_.OnChangeLeftPad(); });
    connect(topPad_, &QLineEdit::textEdited, this, [this] { dlg_.OnChangeTopPad(); });
    connect(orientation_, &QButtonGroup::idClicked, this, [this](int id) {
        if (id == 0) dlg_.OnPortrait();
        else dlg_.OnLandscape();
    });
    connect(placement_, &QButtonGroup::idClicked, this, [this] { dlg_.UpdatePlacement(); });
}

QWidget* QtPrintDlg::Control(int id) const {
    const auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

PrintDlgControls QtPrintDlg::ReadControls() const {
    PrintDlgControls c;
    c.orientation = orientation_->checkedId();
    c.placement = placement_->checkedId();
    c.pixelsPerInch = gui::ToBytes(pixelsPerInch_->text());
    c.leftPad = gui::ToBytes(leftPad_->text());
    c.topPad = gui::ToBytes(topPad_->text());
    return c;
}

void QtPrintDlg::WriteControls(const PrintDlgControls& c) {
    const auto check = [](QButtonGroup* group, int index) {
        if (QAbstractButton* b = group->button(index)) {
            b->setChecked(true);
        } else if (QAbstractButton* checked = group->checkedButton()) {
            group->setExclusive(false);
            checked->setChecked(false);
            group->setExclusive(true);
        }
    };
    check(orientation_, c.orientation);
    check(placement_, c.placement);
    // A text that already reads as the value is left alone, so that typing "1." or
    // clearing the box to type anew is not undone under the caret.
    const auto setPad = [](QLineEdit* e, const std::string& text) {
        double now = 0, next = 0;
        const std::string current = gui::ToBytes(e->text());
        if (current == text) return;
        if (gui::ParseDialogFloat(current, &now) && gui::ParseDialogFloat(text, &next) &&
            static_cast<float>(now) == static_cast<float>(next))
            return;
        e->setText(gui::FromBytes(text));
    };
    setPad(leftPad_, c.leftPad);
    setPad(topPad_, c.topPad);
    const std::string current = gui::ToBytes(pixelsPerInch_->text());
    const CTextTools tools;
    if (current != c.pixelsPerInch &&
        !(IsResolutionText(current) && tools.TextToInt(current) == tools.TextToInt(c.pixelsPerInch)))
        pixelsPerInch_->setText(gui::FromBytes(c.pixelsPerInch));
}

void QtPrintDlg::EnableControl(int id, bool enable) {
    if (QWidget* w = Control(id)) w->setEnabled(enable);
}

void QtPrintDlg::SetPrinterName(const std::string& name) { printerName_->setText(gui::FromBytes(name)); }

void QtPrintDlg::RedrawSketch() { repaint(); }

void QtPrintDlg::EndDialog(int result) { done(result == CPrintDlg::IDOK ? QDialog::Accepted : QDialog::Rejected); }

void QtPrintDlg::reject() { dlg_.OnCancel(); }

void QtPrintDlg::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    const PrintSketch sketch = dlg_.Sketch(ToRect(orientationGroup_->geometry()), ToRect(print_->geometry()));
    QPainter painter(this);
    const QColor face = palette().color(QPalette::Button);
    DrawBox(painter, dlg_.m_rcPreview, QPen(face, 1), face);
    DrawBox(painter, sketch.paper, QPen(Qt::black, 1), QColor(245, 245, 245));
    DrawBox(painter, sketch.printable, QPen(QColor(130, 130, 130), 1, Qt::DotLine), Qt::white);
    DrawBox(painter, sketch.picture, QPen(QColor(0, 200, 0), 1), QColor(0, 255, 0));
}
