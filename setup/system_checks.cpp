#include "setup/system_checks.h"

#include "setup/setup_texts.h"

#include <algorithm>
#include <cctype>

namespace setup {

std::string FormatDecimal(int value) { return std::to_string(value); }

std::string SystemNameOf(const platform::OsVersion& v) {
    switch (v.platformId) {
    case 0: return "Win32";
    case 1:
        if (v.major != 4) return {};
        if (v.minor == 0) return "Win95";
        return v.minor < 90 ? "Win98" : "WinME";
    case 2:
        if (v.major <= 4) return "WinNT";
        if (v.major == 5) return v.minor == 0 ? "Win20" : v.minor == 1 ? "WinXP" : "WinOS";
        return {};
    default: return {};
    }
}

std::string GetSystemName(const platform::SystemInfo& system) {
    platform::OsVersion version;
    return system.QueryVersion(&version) ? SystemNameOf(version) : std::string();
}

bool IsAdministrator(const platform::SystemInfo& system) { return system.InAdministratorsGroup(); }

bool AdministratorCheckApplies(const std::string& systemName) {
    return systemName.compare(0, 5, "WinNT") == 0 || systemName == "Win20" || systemName == "WinXP";
}

bool ApplyAdministratorRequirement(const std::string& systemName, const platform::SystemInfo& system,
                                   platform::MessageSink& messages, SetupAction action) {
    if (!AdministratorCheckApplies(systemName) || IsAdministrator(system)) return true;
    messages.Show(platform::Warning(action == SetupAction::Install ? texts::kInstallNeedsAdministrator
                                                                   : texts::kUninstallNeedsAdministrator,
                                    texts::kProgramTitle));
    return false;
}

std::string GetColorDepthText(const platform::Display& display) {
    int bits = 0;
    return display.QueryColorDepth(&bits) ? FormatDecimal(bits) : texts::kNotAvailable;
}

std::int32_t GetFreeSpaceKB(const platform::Drives& drives, const std::string& root,
                            const std::string& systemName) {
    platform::DiskSpace space;
    if (!drives.QueryFreeSpace(root, &space)) return 0;
    if (systemName == "Win95" || systemName == "WinOS") {
        // The cluster-based query multiplies in 32 bits and wraps above 4 GiB.
        const auto bytes = static_cast<std::uint32_t>(space.freeBlocks) *
                           static_cast<std::uint32_t>(space.blockSize);
        return static_cast<std::int32_t>(bytes >> 10);
    }
    // Saturate rather than wrap: the 32 bits, read as unsigned, reach 4 TiB less 1 KB, and
    // more free space than that must not come out as a small figure.
    const std::uint64_t bytes =
        space.fragmentSize != 0 && space.freeBlocks > UINT64_MAX / space.fragmentSize
            ? UINT64_MAX
            : space.freeBlocks * space.fragmentSize;
    const std::uint64_t kilobytes = std::min<std::uint64_t>(bytes >> 10, UINT32_MAX);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(kilobytes));
}

#if defined(_WIN32)
// A path's drive is its first three characters ("C:\\"), whatever the drive list holds.
std::string DriveRootOf(const std::vector<platform::Mount>&, const std::string& path) {
    return path.substr(0, 3);
}

platform::DriveType DriveTypeOf(const std::vector<platform::Mount>& mounts, const std::string& root) {
    // Drive letters are the same drive in either case.
    const auto upper = [](std::string text) {
        for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return text;
    };
    for (const auto& m : mounts) {
        if (upper(m.root) == upper(root)) return m.type;
    }
    return platform::DriveType::NotADrive;
}
#else
std::string DriveRootOf(const std::vector<platform::Mount>& mounts, const std::string& path) {
    std::string best = "/";
    for (const auto& m : mounts) {
        // "/mnt/a/" holds "/mnt/a" and "/mnt/a/x", never "/mnt/ab".
        const std::string bare = m.root.size() > 1 ? m.root.substr(0, m.root.size() - 1) : m.root;
        const bool holds = path.compare(0, m.root.size(), m.root) == 0 || path == bare;
        if (holds && m.root.size() > best.size()) best = m.root;
    }
    return best;
}

platform::DriveType DriveTypeOf(const std::vector<platform::Mount>& mounts, const std::string& root) {
    for (const auto& m : mounts) {
        if (m.root == root) return m.type;
    }
    return platform::DriveType::NotADrive;
}
#endif

std::vector<std::string> FixedDriveList(const platform::Drives& drives) {
    std::vector<std::string> roots;
    for (const auto& m : drives.Mounts()) {
        if (m.type == platform::DriveType::Fixed) roots.push_back(m.root);
    }
    std::sort(roots.begin(), roots.end());  // "/" sorts first
    roots.erase(std::unique(roots.begin(), roots.end()), roots.end());
    if (roots.size() > kMaxFixedDrives) roots.resize(kMaxFixedDrives);
    return roots;
}

}  // namespace setup
