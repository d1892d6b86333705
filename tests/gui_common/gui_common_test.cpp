// Dialog units, controls, data exchange, texts and the wait cursor: the building blocks
// both programs' dialogs share.

#include "gui_common/data_exchange.h"
#include "gui_common/dialog_controls.h"
#include "gui_common/dialog_numbers.h"
#include "gui_common/dialog_units.h"
#include "gui_common/text_bytes.h"
#include "gui_common/wait_cursor.h"
#include "platform/fake/recording_message_sink.h"
#include "tests/support/comma_locale.h"
#include "tests/support/qt_application.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

TEST(DialogUnits, QuarterWidthAndEighthHeightRoundedToNearest) {
    const gui::DialogUnits units(6, 13);  // the original design's font
    EXPECT_EQ(units.ToPixels(244, 146), QSize(366, 237));
    EXPECT_EQ(units.ToPixels(29, 25, 58, 16), QRect(44, 41, 87, 26));
    EXPECT_EQ(units.X(1), 2);  // 1.5 rounds up
    EXPECT_EQ(units.Y(-8), -13);
    // A designed pixel rectangle keeps its pixels under the design font...
    EXPECT_EQ(units.FromDesignPixels(QRect(10, 10, 346, 183)), QRect(10, 10, 346, 183));
    // ...and grows with a wider one.
    const gui::DialogUnits wider(7, 13);
    EXPECT_EQ(wider.FromDesignPixels(QRect(QPoint(10, 10), QPoint(355, 192))),
              QRect(QPoint(12, 10), QPoint(414, 192)));
}

TEST(DialogUnits, DialogSizeFromItsFontAndLabelsNeverCut) {
    testsupport::EnsureQtApplication();
    QDialog dialog;
    const auto units = gui::SetUpDialog(&dialog, 100, 50);
    EXPECT_GT(units.BaseWidth(), 0);
    EXPECT_EQ(dialog.size(), units.ToPixels(100, 50));
    EXPECT_EQ(dialog.font().pointSize(), 8);

    auto* left = new QLabel(QStringLiteral("A label much longer than its box"), &dialog);
    gui::Place(left, units, 10, 10, 8, 8);
    EXPECT_EQ(left->x(), units.X(10));
    EXPECT_GE(left->width(), left->sizeHint().width());
    auto* right = new QLabel(QStringLiteral("123456789 MB"), &dialog);
    right->setAlignment(Qt::AlignRight);
    gui::Place(right, units, 50, 10, 8, 8);
    EXPECT_EQ(right->geometry().right(), units.ToPixels(50, 10, 8, 8).right());
    auto* fits = new QLabel(QStringLiteral("x"), &dialog);
    gui::Place(fits, units, 1, 2, 40, 8);
    EXPECT_EQ(fits->geometry(), units.ToPixels(1, 2, 40, 8));
}

TEST(DialogControls, LabelsShowTheirTextAsWrittenAndWrapOnlyInTallBoxes) {
    testsupport::EnsureQtApplication();
    QDialog dialog;
    const auto units = gui::SetUpDialog(&dialog, 200, 100);
    // Text from a configuration file that looks like markup stays as written.
    QLabel* literal = gui::AddLabel(&dialog, units, "Install <b>Viewer</b>", 10, 10, 150, 8);
    EXPECT_EQ(literal->textFormat(), Qt::PlainText);
    EXPECT_EQ(literal->text(), "Install <b>Viewer</b>");
    EXPECT_FALSE(literal->wordWrap());
    EXPECT_EQ(literal->alignment(), Qt::AlignLeft | Qt::AlignTop);

    QLabel* oneLine = gui::AddLabel(&dialog, units, "A label much longer than its box", 10, 30, 8, 10);
    EXPECT_GE(oneLine->width(), oneLine->sizeHint().width());
    QLabel* tall = gui::AddLabel(&dialog, units, "A label much longer than its box", 10, 50, 40, 20,
                                 Qt::AlignHCenter | Qt::AlignTop);
    EXPECT_TRUE(tall->wordWrap());
    EXPECT_EQ(tall->geometry(), units.ToPixels(10, 50, 40, 20));
    EXPECT_EQ(tall->alignment(), Qt::AlignHCenter | Qt::AlignTop);
    QLabel* figure = gui::AddLabel(&dialog, units, "123456789 MB", 150, 80, 8, 10, Qt::AlignRight | Qt::AlignTop);
    EXPECT_EQ(figure->geometry().right(), units.ToPixels(150, 80, 8, 10).right());

    QPushButton* button = gui::AddButton(&dialog, units, "Caf\xc3\xa9", 137, 143, 50, 14);
    EXPECT_EQ(button->parent(), &dialog);
    EXPECT_EQ(button->geometry(), units.ToPixels(137, 143, 50, 14));
    EXPECT_EQ(button->text(), QString::fromUtf8("Caf\xc3\xa9"));
}

TEST(TextBytes, TheProgramsBytesAreUtf8BothWays) {
    const std::string bytes = "caf\xc3\xa9 \xe2\x82\xac";
    EXPECT_EQ(gui::FromBytes(bytes), QString::fromUtf8("caf\xc3\xa9 \xe2\x82\xac"));
    EXPECT_EQ(gui::FromBytes(bytes.c_str()), gui::FromBytes(bytes));
    EXPECT_EQ(gui::ToBytes(gui::FromBytes(bytes)), bytes);
}

TEST(WaitCursor, ShownForTheScopeAndRestoredAfterItEvenWhenNested) {
    testsupport::EnsureQtApplication();
    ASSERT_EQ(QApplication::overrideCursor(), nullptr);
    {
        const gui::WaitCursorScope outer;
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        {
            const gui::WaitCursorScope inner;
            EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        }
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(DataExchange, MembersAndControlsBothWays) {
    testsupport::EnsureQtApplication();
    QLineEdit edit;
    QLabel label;
    std::string text = "caf\xc3\xa9", shown = "12 MB";
    gui::DataExchange dx;
    dx.Text(&edit, &text, 5);
    dx.Label(&label, &shown);
    dx.Update(false);
    EXPECT_EQ(edit.text(), QString::fromUtf8("caf\xc3\xa9"));
    EXPECT_EQ(label.text(), "12 MB");

    edit.setText(QStringLiteral("abcdefgh"));  // typing stops at the limit
    label.setText(QStringLiteral("changed"));
    dx.Update(true);
    EXPECT_EQ(text, "abcde");
    EXPECT_EQ(shown, "12 MB");

    // A longer value from the program is shown whole, never cut.
    text = "/a/long/directory";
    dx.Update(false);
    EXPECT_EQ(edit.text(), "/a/long/directory");
    dx.Update(true);
    EXPECT_EQ(text, "/a/long/directory");
    text = "ab";
    dx.Update(false);
    EXPECT_EQ(edit.maxLength(), 5);
}

}  // namespace

namespace {

TEST(DialogNumbers, GeneralFormatWithSixDigitsAndWholeTextParsing) {
    EXPECT_EQ(gui::FloatToDialogText(6.0), "6");
    EXPECT_EQ(gui::FloatToDialogText(0.75), "0.75");
    EXPECT_EQ(gui::FloatToDialogText(1000000.0), "1e+06");
    EXPECT_EQ(gui::FloatToDialogText(18.0f / 7.0f), "2.57143");
    EXPECT_EQ(gui::FloatToDialogText(-20000.0), "-20000");
    double value = 0;
    EXPECT_TRUE(gui::ParseDialogFloat(" 2.5", &value));
    EXPECT_EQ(value, 2.5);
    EXPECT_TRUE(gui::ParseDialogFloat("1e3", &value));
    EXPECT_EQ(value, 1000.0);
    // Blanks on either side of the one number, a plus sign, and 0 written as such pass.
    EXPECT_TRUE(gui::ParseDialogFloat("\t2.5 ", &value));
    EXPECT_EQ(value, 2.5);
    EXPECT_TRUE(gui::ParseDialogFloat("+4", &value));
    EXPECT_EQ(value, 4.0);
    EXPECT_TRUE(gui::ParseDialogFloat(" 0 ", &value));
    EXPECT_EQ(value, 0.0);
    for (const char* bad : {"", "  ", "1,5", "abc", "1.2.3", "-", "2.5x", "nan", ".0", "-0"})
        EXPECT_FALSE(gui::ParseDialogFloat(bad, &value)) << bad;
}

TEST(DialogNumbers, FloatBoxesPromptForTextAndRangeWithTheProgramsName) {
    float value = 1.5f;
    std::string prompt;
    EXPECT_FALSE(gui::ReadDialogFloat("x", 0, 1000000, &value, &prompt));
    EXPECT_EQ(prompt, "Please enter a number.");
    EXPECT_FALSE(gui::ReadDialogFloat("-20000.5", -20000, 20000, &value, &prompt));
    EXPECT_EQ(prompt, "Please enter a number between -20000 and 20000.");
    EXPECT_FALSE(gui::ReadDialogFloat("1e999", 0, 1000000, &value, &prompt));
    EXPECT_EQ(prompt, "Please enter a number between 0 and 1e+06.");
    EXPECT_EQ(value, 1.5f);
    EXPECT_TRUE(gui::ReadDialogFloat("1000000", 0, 1000000, &value, &prompt));
    EXPECT_EQ(value, 1000000.0f);

    const platform::Message box = gui::NumberPrompt("Please enter a number.", "Setup");
    EXPECT_EQ(box.caption, "Setup");
    EXPECT_EQ(box.icon, platform::MessageIcon::Warning);
    EXPECT_EQ(box.buttons, platform::MessageButtons::Ok);

    testsupport::EnsureQtApplication();
    QLineEdit edit;
    platform::fake::RecordingMessageSink prompts;
    gui::DataExchange dx;
    dx.SetPrompts(&prompts, "Varnelle");
    dx.Float(&edit, &value, 0, 10);
    edit.setText(QStringLiteral("11"));
    EXPECT_FALSE(dx.Update(true));
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "Please enter a number between 0 and 10.");
    EXPECT_EQ(prompts.shown[0].caption, "Varnelle");
}

// A user whose locale writes "2,7" still sees and types "2.7", and what a box shows is
// read back as the same value.
class DialogNumbersInACommaLocale : public testsupport::CommaLocaleTest {
protected:
    // Qt sets the locale from the environment when its application starts: start it first.
    void SetUp() override {
        testsupport::EnsureQtApplication();
        CommaLocaleTest::SetUp();
    }
};

TEST_F(DialogNumbersInACommaLocale, TextsUseThePointAndReadBackWhatTheyShow) {
    EXPECT_EQ(gui::FloatToDialogText(2.7f), "2.7");
    EXPECT_EQ(gui::FloatToDialogText(1000000.0), "1e+06");
    double value = 0;
    EXPECT_TRUE(gui::ParseDialogFloat("2.7", &value));
    EXPECT_EQ(static_cast<float>(value), 2.7f);
    EXPECT_FALSE(gui::ParseDialogFloat("2,7", &value));
    float member = 0;
    std::string prompt;
    EXPECT_FALSE(gui::ReadDialogFloat("-0.5", 0, 1000000, &member, &prompt));
    EXPECT_EQ(prompt, "Please enter a number between 0 and 1e+06.");

    QLineEdit edit;
    platform::fake::RecordingMessageSink prompts;
    float interval = 2.7f;
    gui::DataExchange dx;
    dx.SetPrompts(&prompts, "Varnelle");
    dx.Float(&edit, &interval, 0, 1000000);
    dx.Update(false);
    EXPECT_EQ(edit.text(), "2.7");
    interval = 0;
    EXPECT_TRUE(dx.Update(true));
    EXPECT_EQ(interval, 2.7f);
    EXPECT_TRUE(prompts.shown.empty());
}

}  // namespace
