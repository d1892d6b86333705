// The multi-line check box: its text wraps at word breaks, and it toggles as a check box
// does, from anywhere in its rectangle, by its mnemonic and by Space.

#include "gui_common/wrapping_check_box.h"
#include "tests/support/qt_application.h"

#include <QDialog>
#include <QFontMetrics>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(WrappingCheckBox, WrapsAtWordBreaksWithinItsWidth) {
    testsupport::EnsureQtApplication();
    gui::WrappingCheckBox box(QStringLiteral("&Keep every word of this text"));
    const int line = QFontMetrics(box.font()).lineSpacing();
    // Wide enough for the text on one line it takes one line; half as wide, two or more;
    // at its narrowest, the widest word, so every word stands on a line of its own or shares one.
    const QSize wide = box.sizeHint();
    EXPECT_LT(box.heightForWidth(wide.width()), 2 * line);
    EXPECT_GE(box.heightForWidth(wide.width() / 2), 2 * line);
    const QSize narrowest = box.minimumSizeHint();
    EXPECT_LT(narrowest.width(), wide.width() / 2);
    EXPECT_GE(narrowest.height(), 3 * line);
    EXPECT_EQ(narrowest.height(), box.heightForWidth(narrowest.width()));
    EXPECT_TRUE(box.sizePolicy().hasHeightForWidth());
}

TEST(WrappingCheckBox, TogglesFromItsWholeRectangleItsMnemonicAndSpace) {
    testsupport::EnsureQtApplication();
    QDialog dialog;
    auto* box = new gui::WrappingCheckBox(QStringLiteral("&Keep every word of this text"), &dialog);
    box->setGeometry(QRect(QPoint(10, 10), box->minimumSizeHint()));
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));

    // The last line's end and the space beside a short line are both the box.
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() - 2, box->height() - 2));
    EXPECT_TRUE(box->isChecked());
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() - 2, 2));
    EXPECT_FALSE(box->isChecked());
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() + 2, 2));
    EXPECT_FALSE(box->isChecked());

    // A mnemonic presses the button and lets it go a moment later, as a click does.
    QTest::keyClick(&dialog, Qt::Key_K, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([box] { return box->isChecked(); }));
    EXPECT_TRUE(box->hasFocus());
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_FALSE(box->isChecked());
}

}  // namespace
