#pragma once

namespace imagelib {

// Outcome of a decoding step: success, or a short literal that says what was wrong.
class [[nodiscard]] Status {
public:
    static Status Ok() { return Status(nullptr); }
    static Status Error(const char* message) { return Status(message); }

    bool ok() const { return message_ == nullptr; }
    const char* message() const { return message_ ? message_ : ""; }

private:
    explicit Status(const char* message) : message_(message) {}
    const char* message_;
};

}  // namespace imagelib

// Passes a failed Status up to the caller.
#define IMAGELIB_TRY(expression)                      \
    do {                                              \
        ::imagelib::Status try_status_ = (expression); \
        if (!try_status_.ok()) return try_status_;    \
    } while (false)
