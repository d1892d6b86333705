#pragma once

#include "platform/fake/backend_guard.h"
#include "platform/shell_link.h"

#include <set>
#include <string>

namespace platform::fake {

// Passes links on to a real backend, failing those whose path the test named.
class FailingShellLinks final : public ShellLinks {
public:
    explicit FailingShellLinks(ShellLinks& real) : real_(real) {}
    long SaveLink(const std::string& target, const std::string& workingDirectory,
                  const std::string& description, const std::string& linkPath) override {
        if (failLink.count(linkPath)) return kLinkFailed;
        return real_.SaveLink(target, workingDirectory, description, linkPath);
    }
    std::set<std::string> failLink;

private:
    ShellLinks& real_;
};

}  // namespace platform::fake
