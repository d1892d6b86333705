#pragma once

#include "platform/win32/backend_guard.h"
#include "platform/process.h"

#include <string>

namespace platform::win32 {

// One argument as the started program's runtime splits its command line back: the
// runtime's process replacement joins its arguments with spaces and quotes none of them,
// so a folder with a space in its name would arrive as two arguments.
std::string QuoteArgument(const std::string& argument);

// The runtime's process replacement (_execvp), each argument quoted.
class Win32ProcessReplacer final : public ProcessReplacer {
public:
    bool Replace(const std::string& program, const std::vector<std::string>& arguments) override;
};

}  // namespace platform::win32
