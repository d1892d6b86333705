#include "platform/win32/win32_message_sink.h"

#include "platform/win32/windows_api.h"

namespace platform::win32 {

unsigned MessageBoxFlags(const Message& message) {
    unsigned flags = 0;
    switch (message.icon) {
    case MessageIcon::None: break;
    case MessageIcon::Warning: flags |= MB_ICONEXCLAMATION; break;
    case MessageIcon::Error: flags |= MB_ICONHAND; break;
    case MessageIcon::Information: flags |= MB_ICONINFORMATION; break;
    case MessageIcon::Question: flags |= MB_ICONQUESTION; break;
    }
    switch (message.buttons) {
    case MessageButtons::Ok: flags |= MB_OK; break;
    case MessageButtons::OkCancel: flags |= MB_OKCANCEL; break;
    case MessageButtons::YesNo: flags |= MB_YESNO; break;
    case MessageButtons::YesNoCancel: flags |= MB_YESNOCANCEL; break;
    case MessageButtons::RetryCancel: flags |= MB_RETRYCANCEL; break;
    }
    if (message.taskModal) flags |= MB_TASKMODAL;
    return flags;
}

MessageAnswer Win32MessageSink::Show(const Message& message) {
    const char* caption = message.caption.empty() ? nullptr : message.caption.c_str();
    switch (::MessageBoxA(nullptr, message.text.c_str(), caption, MessageBoxFlags(message))) {
    case IDCANCEL: return MessageAnswer::Cancel;
    case IDYES: return MessageAnswer::Yes;
    case IDNO: return MessageAnswer::No;
    case IDRETRY: return MessageAnswer::Retry;
    default: return MessageAnswer::Ok;
    }
}

}  // namespace platform::win32
