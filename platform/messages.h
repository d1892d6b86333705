#pragma once

#include <string>
#include <utility>

namespace platform {

enum class MessageIcon { None, Warning, Error, Information, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No, Retry };

struct Message {
    std::string text;
    std::string caption;  // empty: the platform's default caption ("Error")
    MessageIcon icon = MessageIcon::Warning;
    MessageButtons buttons = MessageButtons::Ok;
    bool taskModal = false;
};

// The standard warning box: exclamation icon and OK button, with the default caption
// unless one is given.
inline Message Warning(std::string text, std::string caption = {}) {
    return {std::move(text), std::move(caption), MessageIcon::Warning, MessageButtons::Ok, false};
}

// Where modal message boxes go: the GUI shows them, tests record them.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual MessageAnswer Show(const Message& message) = 0;
};

// The caption a box without caption text gets.
inline constexpr const char* kDefaultCaption = "Error";

}  // namespace platform
