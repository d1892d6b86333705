#pragma once

#include "gui_common/data_exchange.h"

#include <QDialog>

#include <string>

class QLineEdit;

namespace platform {
class MessageSink;
}

// The viewer's small option dialogs. Each holds plain members that its caller copies in
// before running it and out after OK; none touches the document or the view.

class CZoomDlg final : public QDialog {
    Q_OBJECT
public:
    CZoomDlg(platform::MessageSink& messages, QWidget* parent = nullptr);
    // Shows the factor in the edit box; run before the dialog is.
    void OnInitDialog();
    void accept() override;

    float m_fScale = 1.0f;
    std::string m_strScale;
    QLineEdit* scaleEdit = nullptr;

private:
    platform::MessageSink& messages_;
    gui::DataExchange dx_;
};

class CTransitionsDlg final : public QDialog {
    Q_OBJECT
public:
    CTransitionsDlg(platform::MessageSink& messages, QWidget* parent = nullptr);
    void OnInitDialog();
    void accept() override;

    int m_nMode = 0;
    float m_fPageInterval = 0;
    float m_fTransInterval = 0;
    QLineEdit* pageEdit = nullptr;
    QLineEdit* transitionEdit = nullptr;

private:
    gui::DataExchange dx_;
};

class CNavBarDlg final : public QDialog {
    Q_OBJECT
public:
    explicit CNavBarDlg(QWidget* parent = nullptr);
    void OnInitDialog();
    void accept() override;

    int m_bShowNavBar = 0;
    int m_nCorner = -1;

private:
    gui::DataExchange dx_;
};

class CQuickHelpDlg final : public QDialog {
    Q_OBJECT
public:
    explicit CQuickHelpDlg(QWidget* parent = nullptr);
};

class CAboutDlg final : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
