#pragma once

#include <functional>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;

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

    // save: controls to members; otherwise members to controls.
    void Update(bool save);

private:
    struct Binding {
        std::function<void()> save;
        std::function<void()> load;
    };
    std::vector<Binding> bindings_;
};

}  // namespace gui
