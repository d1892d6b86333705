#include "viewer/qt/option_dialogs.h"

#include "gui_common/dialog_controls.h"
#include "gui_common/dialog_units.h"
#include "gui_common/text_bytes.h"
#include "gui_common/wrapping_check_box.h"
#include "platform/messages.h"
#include "viewer/app/text_tools.h"
#include "viewer/qt/app_icon.h"
#include "viewer/frame/zoom_scale_rule.h"
#include "viewer/res/texts.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

// The option dialogs' buttons are all of one size; only the default one takes the
// default role when another button has the focus.
QPushButton* AddOptionButton(QDialog* dialog, const gui::DialogUnits& units, const char* text, int x, int y,
                             bool isDefault) {
    auto* button = gui::AddButton(dialog, units, text, x, y, 50, 14);
    button->setDefault(isDefault);
    button->setAutoDefault(isDefault);
    return button;
}

QRadioButton* AddRadio(QWidget* parent, const gui::DialogUnits& units, const char* text, int x, int y, int w, int h) {
    auto* radio = new QRadioButton(gui::FromBytes(text), parent);
    gui::Place(radio, units, x, y, w, h);
    return radio;
}

}  // namespace

CZoomDlg::CZoomDlg(platform::MessageSink& messages, QWidget* parent) : QDialog(parent), messages_(messages) {
    setWindowTitle(gui::FromBytes(texts::kZoomCaption));
    const auto units = gui::SetUpDialog(this, 186, 94);
    scaleEdit = new QLineEdit(this);
    gui::Place(scaleEdit, units, 108, 34, 36, 13);
    connect(AddOptionButton(this, units, texts::kOkButton, 33, 73, true), &QPushButton::clicked, this,
            &CZoomDlg::accept);
    connect(AddOptionButton(this, units, texts::kCancelButton, 108, 73, false), &QPushButton::clicked, this,
            &QDialog::reject);
    gui::AddLabel(this, units, texts::kZoomLabel, 41, 36, 63, 8);
    dx_.Text(scaleEdit, &m_strScale, 200);
    connect(scaleEdit, &QLineEdit::textEdited, this, [this] { dx_.Update(true); });
}

void CZoomDlg::OnInitDialog() {
    m_strScale = CTextTools().FloatToText(m_fScale);
    dx_.Update(false);
    scaleEdit->setFocus();
}

void CZoomDlg::accept() {
    switch (CheckZoomScale(m_strScale, &m_fScale)) {
    case ZoomScaleVerdict::InvalidCharacters:
        messages_.Show(platform::Warning(texts::kInvalidScale));
        m_strScale = "1";
        dx_.Update(false);
        return;
    case ZoomScaleVerdict::OutOfRange: messages_.Show(platform::Warning(texts::kScaleOutOfRange)); return;
    case ZoomScaleVerdict::Accept: QDialog::accept(); return;
    }
}

CTransitionsDlg::CTransitionsDlg(platform::MessageSink& messages, QWidget* parent) : QDialog(parent) {
    setWindowTitle(gui::FromBytes(texts::kTransitionsCaption));
    const auto units = gui::SetUpDialog(this, 186, 130);
    connect(AddOptionButton(this, units, texts::kOkButton, 32, 109, true), &QPushButton::clicked, this,
            &CTransitionsDlg::accept);
    connect(AddOptionButton(this, units, texts::kCancelButton, 103, 109, false), &QPushButton::clicked, this,
            &QDialog::reject);
    std::vector<QRadioButton*> modes = {AddRadio(this, units, texts::kTransitionsDuringAuto, 40, 16, 105, 10),
                                        AddRadio(this, units, texts::kTransitionsAlways, 40, 33, 101, 10),
                                        AddRadio(this, units, texts::kTransitionsNone, 40, 50, 61, 10)};
    pageEdit = new QLineEdit(this);
    gui::Place(pageEdit, units, 112, 70, 23, 13);
    gui::AddLabel(this, units, texts::kPageTurnInterval, 51, 72, 58, 10);
    gui::AddLabel(this, units, texts::kTransitionInterval, 50, 89, 58, 10);
    transitionEdit = new QLineEdit(this);
    gui::Place(transitionEdit, units, 112, 87, 23, 13);
    dx_.SetPrompts(&messages, texts::kAppTitle);
    dx_.Radio(modes, &m_nMode);
    dx_.Float(pageEdit, &m_fPageInterval, 0, 1000000);
    dx_.Float(transitionEdit, &m_fTransInterval, 0, 1000000);
    // Every keystroke is checked at once, as the framework's change notification does.
    connect(pageEdit, &QLineEdit::textEdited, this, [this] { dx_.Update(true); });
    connect(transitionEdit, &QLineEdit::textEdited, this, [this] { dx_.Update(true); });
}

void CTransitionsDlg::OnInitDialog() { dx_.Update(false); }

void CTransitionsDlg::accept() {
    if (dx_.Update(true)) QDialog::accept();
}

CNavBarDlg::CNavBarDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(gui::FromBytes(texts::kNavBarCaption));
    const auto units = gui::SetUpDialog(this, 200, 135);
    auto* frame = new QGroupBox(gui::FromBytes(texts::kCornerPosition), this);
    gui::Place(frame, units, 7, 7, 186, 72);
    frame->lower();
    std::vector<QRadioButton*> corners = {AddRadio(this, units, texts::kUpperLeft, 30, 27, 55, 10),
                                          AddRadio(this, units, texts::kUpperRight, 114, 26, 55, 10),
                                          AddRadio(this, units, texts::kLowerLeft, 30, 54, 55, 10),
                                          AddRadio(this, units, texts::kLowerRight, 114, 52, 55, 10)};
    auto* show = new gui::WrappingCheckBox(gui::FromBytes(texts::kShowNavBar), this);
    gui::Place(show, units, 68, 84, 62, 19);
    connect(AddOptionButton(this, units, texts::kOkButton, 36, 114, true), &QPushButton::clicked, this,
            &CNavBarDlg::accept);
    connect(AddOptionButton(this, units, texts::kCancelButton, 113, 114, false), &QPushButton::clicked, this,
            &QDialog::reject);
    dx_.Check(show, &m_bShowNavBar);
    dx_.Radio(corners, &m_nCorner);
}

void CNavBarDlg::OnInitDialog() { dx_.Update(false); }

void CNavBarDlg::accept() {
    if (dx_.Update(true)) QDialog::accept();
}

CQuickHelpDlg::CQuickHelpDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(gui::FromBytes(texts::kQuickHelpCaption));
    const auto units = gui::SetUpDialog(this, 312, 204);
    // Two lines of the dialog font for each bullet, one above the other from the top.
    constexpr int kTop = 7, kStep = 22, kHeight = 20;
    int y = kTop;
    for (const char* line : texts::kQuickHelpLines) {
        gui::AddLabel(this, units, texts::kQuickHelpBullet, 7, y, 8, 8);
        gui::AddLabel(this, units, line, 21, y, 284, kHeight);
        y += kStep;
    }
    gui::AddLabel(this, units, texts::kQuickHelpClosing, 36, 168, 240, 8, Qt::AlignHCenter | Qt::AlignTop);
    connect(AddOptionButton(this, units, texts::kCloseButton, 130, 183, true), &QPushButton::clicked, this,
            &QDialog::reject);
}

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(gui::FromBytes(texts::kAboutCaption));
    const auto units = gui::SetUpDialog(this, 235, 55);
    auto* icon = new QLabel(this);
    icon->setPixmap(ViewerIcon());
    icon->setGeometry(units.X(11), units.Y(17), 32, 32);
    gui::AddLabel(this, units, texts::kAboutVersion, 40, 10, 131, 8);
    gui::AddLabel(this, units, texts::kAboutText, 40, 25, 141, 23, Qt::AlignHCenter | Qt::AlignTop);
    connect(AddOptionButton(this, units, texts::kOkButton, 178, 7, true), &QPushButton::clicked, this,
            &QDialog::accept);
}
