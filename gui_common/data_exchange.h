#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

class QAbstractButton;
class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace platform {
class MessageSink;
}

namespace gui {

// Binds dialog members to controls and copies between them in either direction, so a
// dialog's handlers work on plain members and the core never sees a Qt type.
class DataExchange {
public:
    // An edit box and a text member. `maxChars` limits typing; a longer value put in
    // from the member is shown whole rather than cut short.
    void Text(QLineEdit* edit, std::string* value, int maxChars = 0);
    // A label shows a text member; saving leaves the member alone.
    void Label(QLabel* label, std::string* value);
    // An edit box and a float member within [min, max], in the dialogs' number form.
    // Saving text that is no number, or is out of range, brings up the framework's
    // prompt through `prompts`, puts the focus back on the box and fails.
    void Float(QLineEdit* edit, float* value, double min, double max);
    // A group of radio buttons and the index of the checked one (-1: none).
    void Radio(std::vector<QRadioButton*> group, int* index);
    void Check(QCheckBox* box, int* checked);

    // Where the number prompts go, captioned with the program's name as the framework's
    // own prompts are; without a sink, bad numbers fail silently.
    void SetPrompts(platform::MessageSink* prompts, std::string programName) {
        prompts_ = prompts;
        programName_ = std::move(programName);
    }

    // save: controls to members; otherwise members to controls. False when a control's
    // value was refused; the members after it are left as they were.
    bool Update(bool save);

private:
    struct Binding {
        std::function<bool()> save;
        std::function<void()> load;
    };
    bool Refuse(QWidget* control, const std::string& prompt);

    std::vector<Binding> bindings_;
    platform::MessageSink* prompts_ = nullptr;
    std::string programName_;
};

}  // namespace gui
