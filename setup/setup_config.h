#pragma once

#include "platform/file_system.h"

#include <cstdint>
#include <string>
#include <vector>

namespace setup {

// The parsed config.cfg.
struct SetupConfig {
    std::string appName;
    std::vector<std::string> registryKeys;
    std::string sizeText;
    std::string linkDir;
    std::vector<std::string> directories;
    std::vector<std::string> sources;
    std::vector<std::string> destinations;
    std::vector<std::string> links;  // "*" is kept as the empty text
    std::string licenceText;         // filled by the summary reader only
    bool valid = false;
};

// The file is read whole; anything larger than this is not a configuration.
inline constexpr std::uint64_t kMaxConfigBytes = 16u << 20;

std::vector<std::string> TokenizeConfig(const std::string& text);

// Digit times place value from the last character back; a character that is not a digit
// counts as the digit -1 at its place. Wraps in 32 bits instead of overflowing.
std::int32_t ParseSizeKB(const std::string& text);

// The readers take the text the file holds (up to its first NUL).
bool ParseInstallConfig(const std::string& text, SetupConfig* config);
bool ParseUninstallConfig(const std::string& text, SetupConfig* config);
bool ParseConfigSummary(const std::string& text, SetupConfig* config);

// Read "config.cfg" in `directory` (which ends in a separator). False without touching
// the record when the file cannot be read.
bool ReadInstallConfig(platform::FileSystem& fs, const std::string& directory, SetupConfig* config);
bool ReadUninstallConfig(platform::FileSystem& fs, const std::string& directory,
                         SetupConfig* config);
bool ReadConfigSummary(platform::FileSystem& fs, const std::string& directory, SetupConfig* config);

}  // namespace setup
