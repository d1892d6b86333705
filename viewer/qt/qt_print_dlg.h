#pragma once

#include "viewer/print/print_dlg.h"

#include <QDialog>

#include <map>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The Print dialog's window: template 285's controls at their dialog-unit rectangles,
// the sketch painted below the orientation group. The logic is CPrintDlg's.
class QtPrintDlg final : public QDialog, public PrintDlgWindow {
    Q_OBJECT
public:
    // Runs the dialog's initialisation at once, as creating a modal dialog does.
    QtPrintDlg(CPrintDlg& dlg, QWidget* parent = nullptr);

    PrintDlgControls ReadControls() const override;
    void WriteControls(const PrintDlgControls& controls) override;
    void EnableControl(int id, bool enable) override;
    void SetPrinterName(const std::string& name) override;
    void RedrawSketch() override;
    void EndDialog(int result) override;

    // Controls by their template ids (group boxes and labels without ids are not here).
    QWidget* Control(int id) const;

public slots:
    void reject() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Build();

    CPrintDlg& dlg_;
    std::map<int, QWidget*> controls_;
    QButtonGroup* orientation_ = nullptr;
    QButtonGroup* placement_ = nullptr;
    QLineEdit* pixelsPerInch_ = nullptr;
    QLineEdit* leftPad_ = nullptr;
    QLineEdit* topPad_ = nullptr;
    QLabel* printerName_ = nullptr;
    QWidget* orientationGroup_ = nullptr;
    QPushButton* print_ = nullptr;
};
