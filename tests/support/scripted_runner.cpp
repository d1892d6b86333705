#include "tests/support/scripted_runner.h"

#include <QTest>

#include <gtest/gtest.h>

namespace testsupport {

int ScriptedRunner::Run(QDialog& dialog) {
    captions.push_back(dialog.windowTitle().toStdString());
    if (steps.empty()) {
        ADD_FAILURE() << "no step for the dialog \"" << captions.back() << "\"";
        return QDialog::Rejected;
    }
    const Step step = std::move(steps.front());
    steps.pop_front();
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    step(dialog);
    if (dialog.isVisible()) {
        ADD_FAILURE() << "the dialog \"" << captions.back() << "\" was left open";
        dialog.reject();
    }
    return dialog.result();
}

QAbstractButton* Button(QWidget& dialog, const char* text) {
    for (auto* button : dialog.findChildren<QAbstractButton*>()) {
        if (button->text() == QString::fromLatin1(text)) return button;
    }
    ADD_FAILURE() << "no button \"" << text << "\"";
    return nullptr;
}

void Click(QWidget& dialog, const char* text) {
    if (auto* button = Button(dialog, text)) button->click();
}

ScriptedRunner::Step Press(const char* text) {
    return [text](QDialog& dialog) { Click(dialog, text); };
}

}  // namespace testsupport
