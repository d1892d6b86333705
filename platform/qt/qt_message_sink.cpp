#include "platform/qt/qt_message_sink.h"

#include <QMessageBox>

namespace platform::qt {
namespace {

QMessageBox::Icon ToQt(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::None: return QMessageBox::NoIcon;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQt(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::Ok: return QMessageBox::Ok;
    case MessageButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::RetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

MessageAnswer FromQt(int button) {
    switch (button) {
    case QMessageBox::Cancel: return MessageAnswer::Cancel;
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    case QMessageBox::Retry: return MessageAnswer::Retry;
    default: return MessageAnswer::Ok;
    }
}

}  // namespace

MessageAnswer QtMessageSink::Show(const Message& message) {
    const std::string caption = message.caption.empty() ? kDefaultCaption : message.caption;
    QMessageBox box(ToQt(message.icon), QString::fromLocal8Bit(caption.c_str()),
                    QString::fromLocal8Bit(message.text.c_str()), ToQt(message.buttons));
    box.setWindowModality(Qt::ApplicationModal);
    return FromQt(box.exec());
}

}  // namespace platform::qt
