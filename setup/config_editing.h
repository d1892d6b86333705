#pragma once

#include "platform/file_system.h"

#include <string>

// What the configuration editor reads and writes, whichever window system shows it.
namespace setup {

enum class ConfigLoad {
    Read,        // the file's bytes
    Template,    // there was none: the template, written to a new file when the folder allows
    Unreadable,  // it opens but cannot be read: it must never be replaced
};

// The text the editor opens with, from "config.cfg" in `setupDirectory` (ending in a separator).
ConfigLoad LoadConfigForEditing(platform::FileSystem& files, const std::string& setupDirectory,
                                std::string* text);

// Replaces "config.cfg" with `bytes`; false when any step fails.
bool WriteConfigFile(platform::FileSystem& files, const std::string& setupDirectory,
                     const std::string& bytes);

}  // namespace setup
