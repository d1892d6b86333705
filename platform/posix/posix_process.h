#pragma once

#include "platform/posix/backend_guard.h"
#include "platform/process.h"

namespace platform::posix {

// execvp: on success the running program is gone.
class PosixProcessReplacer final : public ProcessReplacer {
public:
    bool Replace(const std::string& program, const std::vector<std::string>& arguments) override;
};

}  // namespace platform::posix
