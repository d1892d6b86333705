#pragma once

#include "platform/qt/backend_guard.h"
#include "platform/messages.h"

#include <string>

namespace platform::qt {

// Shows each message as a modal box without owner window; a box without caption text
// gets the platform's default caption.
class QtMessageSink final : public MessageSink {
public:
    MessageAnswer Show(const Message& message) override;
};

}  // namespace platform::qt
