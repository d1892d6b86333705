#include "gui_common/data_exchange.h"

#include "gui_common/dialog_numbers.h"
#include "gui_common/text_bytes.h"
#include "platform/messages.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace gui {

void DataExchange::Text(QLineEdit* edit, std::string* value, int maxChars) {
    if (maxChars > 0) edit->setMaxLength(maxChars);
    bindings_.push_back({[edit, value] {
                             *value = ToBytes(edit->text());
                             return true;
                         },
                         [edit, value, maxChars] {
                             const QString text = FromBytes(*value);
                             const int limit = maxChars > 0 ? maxChars : 32767;
                             edit->setMaxLength(text.size() > limit ? static_cast<int>(text.size()) : limit);
                             edit->setText(text);
                         }});
}

void DataExchange::Label(QLabel* label, std::string* value) {
    bindings_.push_back({[] { return true; }, [label, value] { label->setText(FromBytes(*value)); }});
}

void DataExchange::Float(QLineEdit* edit, float* value, double min, double max) {
    bindings_.push_back({[this, edit, value, min, max] {
                             std::string prompt;
                             if (ReadDialogFloat(ToBytes(edit->text()), min, max, value, &prompt)) return true;
                             return Refuse(edit, prompt);
                         },
                         [edit, value] { edit->setText(QString::fromStdString(FloatToDialogText(*value))); }});
}

void DataExchange::Radio(std::vector<QRadioButton*> group, int* index) {
    bindings_.push_back({[group, index] {
                             *index = -1;
                             for (std::size_t i = 0; i < group.size(); ++i)
                                 if (group[i]->isChecked()) *index = static_cast<int>(i);
                             return true;
                         },
                         [group, index] {
                             // Exclusive buttons cannot all be cleared while they stay exclusive.
                             for (std::size_t i = 0; i < group.size(); ++i) {
                                 group[i]->setAutoExclusive(false);
                                 group[i]->setChecked(static_cast<int>(i) == *index);
                                 group[i]->setAutoExclusive(true);
                             }
                         }});
}

void DataExchange::Check(QCheckBox* box, int* checked) {
    bindings_.push_back({[box, checked] {
                             *checked = box->isChecked() ? 1 : 0;
                             return true;
                         },
                         [box, checked] { box->setChecked(*checked != 0); }});
}

bool DataExchange::Refuse(QWidget* control, const std::string& prompt) {
    if (prompts_) prompts_->Show(NumberPrompt(prompt, programName_));
    control->setFocus();
    return false;
}

bool DataExchange::Update(bool save) {
    for (auto& binding : bindings_) {
        if (!save) binding.load();
        else if (!binding.save()) return false;
    }
    return true;
}

}  // namespace gui
