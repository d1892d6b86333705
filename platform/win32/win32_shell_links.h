#pragma once

#include "platform/win32/backend_guard.h"
#include "platform/shell_link.h"

namespace platform::win32 {

// A .LNK file made by the shell link object (IShellLinkA) and saved through its
// IPersistFile, after CoInitialize.
class Win32ShellLinks final : public ShellLinks {
public:
    long SaveLink(const std::string& target, const std::string& workingDirectory, const std::string& description,
                  const std::string& linkPath) override;
};

}  // namespace platform::win32
