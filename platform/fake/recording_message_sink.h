#pragma once

#include "platform/fake/backend_guard.h"
#include "platform/messages.h"

#include <deque>
#include <vector>

namespace platform::fake {

// Records every box; answers with queued answers, then with the first button's answer.
class RecordingMessageSink final : public MessageSink {
public:
    MessageAnswer Show(const Message& message) override {
        shown.push_back(message);
        if (!answers.empty()) {
            const MessageAnswer a = answers.front();
            answers.pop_front();
            return a;
        }
        switch (message.buttons) {
        case MessageButtons::YesNo:
        case MessageButtons::YesNoCancel: return MessageAnswer::Yes;
        case MessageButtons::RetryCancel: return MessageAnswer::Retry;
        default: return MessageAnswer::Ok;
        }
    }

    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& m : shown) texts.push_back(m.text);
        return texts;
    }

    std::vector<Message> shown;
    std::deque<MessageAnswer> answers;
};

}  // namespace platform::fake
