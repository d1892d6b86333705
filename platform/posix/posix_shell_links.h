#pragma once

#include "platform/posix/backend_guard.h"
#include "platform/shell_link.h"

namespace platform::posix {

// Shortcuts as freedesktop desktop entries.
class PosixShellLinks final : public ShellLinks {
public:
    long SaveLink(const std::string& target, const std::string& workingDirectory,
                  const std::string& description, const std::string& linkPath) override;
};

// The desktop entry text for one shortcut.
std::string DesktopEntryText(const std::string& target, const std::string& workingDirectory,
                             const std::string& description);

}  // namespace platform::posix
