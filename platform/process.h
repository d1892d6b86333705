#pragma once

#include <string>
#include <vector>

namespace platform {

// Starts another program in place of the running one.
class ProcessReplacer {
public:
    virtual ~ProcessReplacer() = default;
    // Runs `program` (looked up in PATH) with `arguments`. The real backend returns only
    // when the start failed (false); a test double returns true for a start that would
    // have ended the running program.
    virtual bool Replace(const std::string& program, const std::vector<std::string>& arguments) = 0;
};

}  // namespace platform
