#pragma once

#include "platform/display.h"
#include "platform/drives.h"
#include "platform/messages.h"
#include "platform/system_info.h"

#include <cstdint>
#include <string>
#include <vector>

namespace setup {

// Signed decimal text; every number in a label or message goes through it.
std::string FormatDecimal(int value);

// "Win32", "Win95", "Win98", "WinME", "WinNT", "Win20", "WinXP", "WinOS" or empty.
std::string SystemNameOf(const platform::OsVersion& version);
std::string GetSystemName(const platform::SystemInfo& system);

bool IsAdministrator(const platform::SystemInfo& system);
// Only the NT systems up to XP ask for administrator rights.
bool AdministratorCheckApplies(const std::string& systemName);

enum class SetupAction { Install, Uninstall };
// True when the action may go on; otherwise the refusal has been shown.
bool ApplyAdministratorRequirement(const std::string& systemName, const platform::SystemInfo& system,
                                   platform::MessageSink& messages, SetupAction action);

// "N/A", or the primary screen's bits per pixel.
std::string GetColorDepthText(const platform::Display& display);

// Free kilobytes of the drive holding `root`; 0 when the query fails. The 32 bits are
// meant to be read as unsigned; the total query stops at their largest figure.
std::int32_t GetFreeSpaceKB(const platform::Drives& drives, const std::string& root,
                            const std::string& systemName);

// The drive root of a path: the longest mount root that holds it ("/" when none does).
std::string DriveRootOf(const std::vector<platform::Mount>& mounts, const std::string& path);
// The kind of drive whose root is exactly `root`; NotADrive for any other path.
platform::DriveType DriveTypeOf(const std::vector<platform::Mount>& mounts, const std::string& root);

// Up to this many roots are offered, as the chooser's drive slots allow.
inline constexpr std::size_t kMaxFixedDrives = 24;
// Roots of the fixed drives: "/" first, then the others sorted by path.
std::vector<std::string> FixedDriveList(const platform::Drives& drives);

}  // namespace setup
