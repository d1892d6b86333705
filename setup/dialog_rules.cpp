#include "setup/dialog_rules.h"

#include "setup/setup_texts.h"
#include "setup/system_checks.h"

namespace setup {

bool UnlocksEditor(const std::vector<platform::Mount>& mounts, const std::string& setupDirectory,
                   const std::string& boxText) {
    if (boxText != texts::kAccessCode) return false;
    const auto type = DriveTypeOf(mounts, DriveRootOf(mounts, setupDirectory));
    return type == platform::DriveType::Removable || type == platform::DriveType::Fixed ||
           type == platform::DriveType::Remote;
}

std::string ExploreFolder(const std::string& setupDirectory) {
    // A root keeps its separator: "C:" alone names the drive's current folder, not its root.
    const bool driveRoot = setupDirectory.size() == 3 && setupDirectory[1] == ':';
    if (setupDirectory.size() <= 1 || driveRoot) return setupDirectory;
    return setupDirectory.substr(0, setupDirectory.size() - 1);
}

std::string WithCrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace setup
