#include "gui_common/data_exchange.h"

#include "gui_common/text_bytes.h"

#include <QLabel>
#include <QLineEdit>

namespace gui {

void DataExchange::Text(QLineEdit* edit, std::string* value, int maxChars) {
    if (maxChars > 0) edit->setMaxLength(maxChars);
    bindings_.push_back({[edit, value] { *value = ToBytes(edit->text()); },
                         [edit, value, maxChars] {
                             const QString text = FromBytes(*value);
                             const int limit = maxChars > 0 ? maxChars : 32767;
                             edit->setMaxLength(text.size() > limit ? static_cast<int>(text.size()) : limit);
                             edit->setText(text);
                         }});
}

void DataExchange::Label(QLabel* label, std::string* value) {
    bindings_.push_back({[] {}, [label, value] { label->setText(FromBytes(*value)); }});
}

void DataExchange::Update(bool save) {
    for (auto& binding : bindings_) (save ? binding.save : binding.load)();
}

}  // namespace gui
