#include "setup/qt/instructions_dlg.h"

#include "gui_common/dialog_controls.h"
#include "gui_common/dialog_units.h"
#include "gui_common/text_bytes.h"
#include "setup/setup_texts.h"

#include <QLabel>
#include <QPushButton>

#include <iterator>

namespace setup::gui {
namespace {

struct Box {
    int y;
    int height;
};

// The eight section texts stand 10 units apart; the rules below them each have their own.
constexpr Box kRuleBoxes[] = {{101, 17}, {119, 18}, {139, 10}, {150, 17}, {168, 9}, {178, 19},
                              {198, 10}, {209, 10}, {220, 10}, {231, 18}, {250, 10}};

}  // namespace

CInstructionsDlg::CInstructionsDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(::gui::FromBytes(texts::kInstructionsCaption));
    const auto units = ::gui::SetUpDialog(this, 259, 294);
    constexpr int kSections = 8;
    static_assert(std::size(texts::kInstructions) == kSections + std::size(kRuleBoxes));
    for (int i = 0; i < static_cast<int>(std::size(texts::kInstructions)); ++i) {
        auto* label = new QLabel(::gui::FromBytes(texts::kInstructions[i]), this);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        if (i < kSections) ::gui::Place(label, units, 7, 7 + 10 * i, 245, 9);
        else ::gui::Place(label, units, 7, kRuleBoxes[i - kSections].y, 245, kRuleBoxes[i - kSections].height);
    }
    auto* close = ::gui::AddButton(this, units, texts::kCloseButton, 104, 271, 50, 14);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

}  // namespace setup::gui
