#pragma once

#include <string>

namespace platform {

// Result codes of the link service: negative is failure.
inline constexpr long kLinkOk = 0;
inline constexpr long kLinkFailed = -2147467259L;  // the generic failure code (0x80004005)

// The file name ending of a shortcut on this platform.
#if defined(_WIN32)
inline constexpr const char* kShortcutExtension = ".LNK";
#else
inline constexpr const char* kShortcutExtension = ".desktop";
#endif

class ShellLinks {
public:
    virtual ~ShellLinks() = default;
    // Writes a shortcut file at `linkPath` that starts `target` in `workingDirectory`.
    virtual long SaveLink(const std::string& target, const std::string& workingDirectory,
                          const std::string& description, const std::string& linkPath) = 0;
};

}  // namespace platform
