#include "viewer/qt/qt_paper.h"

#include "gui_common/text_bytes.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QEvent>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSet>

PaperSize PaperOf(const QPageSize& size) {
    if (!size.isValid()) return {};
    const QSizeF mm = size.size(QPageSize::Millimeter);
    return {gui::ToBytes(size.key()), mm.width(), mm.height()};
}

QPageSize PageSizeFor(const PaperSize& paper, const QPrinterInfo& printer) {
    if (paper.name.empty()) return printer.isNull() ? QPageSize() : printer.defaultPageSize();
    const QString key = gui::FromBytes(paper.name);
    if (!printer.isNull())
        for (const QPageSize& size : printer.supportedPageSizes())
            if (size.key() == key) return size;
    if (paper.widthMm <= 0 || paper.heightMm <= 0) return QPageSize();
    return QPageSize(QSizeF(paper.widthMm, paper.heightMm), QPageSize::Millimeter, key, QPageSize::FuzzyMatch);
}

namespace {

// The page setup is a window of its own, so QWidget::isAncestorOf does not reach it.
bool IsWithin(const QObject* object, const QObject& ancestor) {
    for (const QObject* o = object->parent(); o; o = o->parent())
        if (o == &ancestor) return true;
    return false;
}

// Watches the print dialog's page setup come up: seeds its paper list with the printer's
// paper the first time each one is shown, and records whether the user closed it with OK.
class PageSetupWatch final : public QObject {
public:
    PageSetupWatch(QPrintDialog& dialog, const QPageSize& paper) : dialog_(dialog), paper_(paper) {
        QApplication::instance()->installEventFilter(this);
    }
    ~PageSetupWatch() override { QApplication::instance()->removeEventFilter(this); }
    bool chosen() const { return chosen_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show) return false;
        auto* setup = qobject_cast<QDialog*>(watched);
        if (!setup || setup == &dialog_ || !IsWithin(setup, dialog_)) return false;
        if (seeded_.contains(setup)) return false;
        seeded_.insert(setup);
        connect(setup, &QDialog::accepted, this, [this] { chosen_ = true; });
        // Qt's own name for the list; without it the page setup shows Qt's choice.
        if (auto* sizes = setup->findChild<QComboBox*>(QStringLiteral("pageSizeCombo")))
            for (int i = 0; i < sizes->count(); ++i)
                if (sizes->itemData(i).value<QPageSize>().key() == paper_.key()) {
                    sizes->setCurrentIndex(i);
                    break;
                }
        return false;
    }

private:
    QPrintDialog& dialog_;
    QPageSize paper_;
    QSet<QObject*> seeded_;
    bool chosen_ = false;
};

}  // namespace

int ExecKeepingPaper(QPrintDialog& dialog) {
    QPrinter& printer = *dialog.printer();
    const QPageSize paper = printer.pageLayout().pageSize();
    const QString name = printer.printerName();
    PageSetupWatch watch(dialog, paper);
    const int result = dialog.exec();
    if (result != QDialog::Accepted || watch.chosen() || !paper.isValid()) return result;
    const QPageSize kept = printer.printerName() == name
                               ? paper
                               : PageSizeFor({gui::ToBytes(paper.key()), 0, 0}, QPrinterInfo::printerInfo(printer.printerName()));
    if (kept.isValid()) printer.setPageSize(kept);
    return result;
}
