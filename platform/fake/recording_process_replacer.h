#pragma once

#include "platform/fake/backend_guard.h"
#include "platform/process.h"

#include <string>
#include <vector>

namespace platform::fake {

// Records each start; `starts` says whether it would have succeeded.
class RecordingProcessReplacer final : public ProcessReplacer {
public:
    bool Replace(const std::string& program, const std::vector<std::string>& arguments) override {
        std::vector<std::string> call{program};
        call.insert(call.end(), arguments.begin(), arguments.end());
        calls.push_back(call);
        return starts;
    }
    std::vector<std::vector<std::string>> calls;
    bool starts = true;
};

}  // namespace platform::fake
