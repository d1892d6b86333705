#pragma once

#include "platform/win32/backend_guard.h"
#include "platform/process.h"

namespace platform::win32 {

// The runtime's process replacement (_execvp).
class Win32ProcessReplacer final : public ProcessReplacer {
public:
    bool Replace(const std::string& program, const std::vector<std::string>& arguments) override;
};

}  // namespace platform::win32
