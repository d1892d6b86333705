#pragma once

#include "platform/win32/backend_guard.h"
#include "platform/messages.h"

namespace platform::win32 {

// MessageBoxA without owner window; an empty caption is the system's default ("Error").
class Win32MessageSink final : public MessageSink {
public:
    MessageAnswer Show(const Message& message) override;
};

// The MessageBox style of a message: icon, buttons, task modality.
unsigned MessageBoxFlags(const Message& message);

}  // namespace platform::win32
