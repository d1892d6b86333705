#include "setup/system_checks.h"

#include "platform/fake/fake_display.h"
#include "platform/fake/fake_drives.h"
#include "platform/fake/fake_system_info.h"
#include "platform/fake/recording_message_sink.h"
#include "platform/posix/mount_table.h"
#include "setup/install_engine.h"
#include "setup/setup_texts.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace setup {
namespace {

using platform::DriveType;

TEST(SystemName, FromTheVersionRecord) {
    struct Case {
        int platformId;
        unsigned major, minor;
        const char* name;
    };
    const Case cases[] = {
        {0, 3, 10, "Win32"}, {1, 4, 0, "Win95"},  {1, 4, 10, "Win98"}, {1, 4, 89, "Win98"},
        {1, 4, 90, "WinME"}, {1, 5, 0, ""},       {2, 3, 51, "WinNT"}, {2, 4, 0, "WinNT"},
        {2, 5, 0, "Win20"},  {2, 5, 1, "WinXP"},  {2, 5, 2, "WinOS"},  {2, 6, 0, ""},
        {2, 10, 0, ""},      {3, 4, 0, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SystemNameOf({c.platformId, c.major, c.minor}), c.name)
            << c.platformId << " " << c.major << "." << c.minor;
    }
    platform::fake::FakeSystemInfo posix;  // no version record at all
    EXPECT_EQ(GetSystemName(posix), "");
}

TEST(AdministratorRequirement, OnlyOnNtSystemsUpToXp) {
    platform::fake::FakeSystemInfo system;
    system.administrator = false;
    for (const char* name : {"WinNT", "Win20", "WinXP", "WinNTx"}) {
        for (const auto action : {SetupAction::Install, SetupAction::Uninstall}) {
            platform::fake::RecordingMessageSink messages;
            EXPECT_FALSE(ApplyAdministratorRequirement(name, system, messages, action)) << name;
            ASSERT_EQ(messages.shown.size(), 1u);
            EXPECT_EQ(messages.shown[0].text, action == SetupAction::Install
                                                  ? texts::kInstallNeedsAdministrator
                                                  : texts::kUninstallNeedsAdministrator);
            EXPECT_EQ(messages.shown[0].caption, "Setup");
        }
    }
    platform::fake::RecordingMessageSink messages;
    for (const char* name : {"WinOS", "Win95", "Win98", "WinME", "Win32", ""})
        EXPECT_TRUE(ApplyAdministratorRequirement(name, system, messages, SetupAction::Install)) << name;
    system.administrator = true;
    EXPECT_TRUE(ApplyAdministratorRequirement("WinXP", system, messages, SetupAction::Uninstall));
    EXPECT_TRUE(messages.shown.empty());
}

TEST(ColorDepth, TextOfTheScreenDepth) {
    EXPECT_EQ(GetColorDepthText(platform::fake::FakeDisplay(16)), "16");
    EXPECT_EQ(GetColorDepthText(platform::fake::FakeDisplay(0)), "N/A");
    EXPECT_EQ(FormatDecimal(-42), "-42");
}

TEST(FreeSpace, KilobytesByQueryKind) {
    platform::fake::FakeDrives drives;
    drives.spaces["/"] = {3u << 20, 4096, 4096};  // 12 GiB free
    EXPECT_EQ(GetFreeSpaceKB(drives, "/", ""), 12 << 20);
    // The cluster-based query wraps at 4 GiB: 12 GiB shows as 0.
    EXPECT_EQ(GetFreeSpaceKB(drives, "/", "Win95"), 0);
    drives.spaces["/"] = {(1u << 20) + 256, 4096, 4096};
    EXPECT_EQ(GetFreeSpaceKB(drives, "/", "WinOS"), 1024);
    // Fragments and blocks differ: the total uses fragments, the cluster query blocks.
    drives.spaces["/"] = {1000, 1024, 8192};
    EXPECT_EQ(GetFreeSpaceKB(drives, "/", "WinXP"), 1000);
    EXPECT_EQ(GetFreeSpaceKB(drives, "/", "Win95"), 8000);
    drives.spaces["/"] = {UINT64_MAX / 2, 4096, 4096};  // absurd figures do not overflow
    EXPECT_EQ(static_cast<std::uint32_t>(GetFreeSpaceKB(drives, "/", "")), UINT32_MAX);
    drives.failFreeSpace = true;
    EXPECT_EQ(GetFreeSpaceKB(drives, "/", ""), 0);
}

// Read as unsigned, the 32 bits reach 4 TiB less 1 KB; beyond that the figure stays there.
TEST(FreeSpace, TotalSaturatesAtTheLargestUnsignedFigure) {
    platform::fake::FakeDrives drives;
    const auto kilobytes = [&](std::uint64_t freeBlocks, std::uint64_t fragmentSize) {
        drives.spaces["/"] = {freeBlocks, fragmentSize, 4096};
        return static_cast<std::uint32_t>(GetFreeSpaceKB(drives, "/", ""));
    };
    const std::uint64_t tebibyte = std::uint64_t{1} << 40;
    EXPECT_EQ(kilobytes(3 * tebibyte / 1024, 1024), 3u << 30);
    EXPECT_EQ(kilobytes(4 * tebibyte / 1024 - 1, 1024), UINT32_MAX);
    EXPECT_EQ(kilobytes(4 * tebibyte / 1024, 1024), UINT32_MAX);
    EXPECT_EQ(kilobytes(4 * tebibyte / 1024 + 1, 1024), UINT32_MAX);
    EXPECT_EQ(kilobytes(5 * tebibyte / 4096, 4096), UINT32_MAX);
    // The cluster-based query keeps its wrap at 4 GiB.
    drives.spaces["/"] = {5 * tebibyte / 4096, 4096, 4096};
    EXPECT_EQ(GetFreeSpaceKB(drives, "/", "Win95"), 0);
}

std::vector<platform::Mount> SampleMounts() {
    return {{"/", DriveType::Fixed},       {"/proc/", DriveType::NotADrive},
            {"/mnt/a/", DriveType::Removable}, {"/mnt/a/b/", DriveType::Fixed},
            {"/home/", DriveType::Fixed},  {"/media/cd/", DriveType::CdRom},
            {"/data/", DriveType::Fixed}};
}

TEST(DriveRoots, LongestMountThatHoldsThePath) {
    const auto mounts = SampleMounts();
    EXPECT_EQ(DriveRootOf(mounts, "/usr/bin"), "/");
    EXPECT_EQ(DriveRootOf(mounts, "/mnt/a/x"), "/mnt/a/");
    EXPECT_EQ(DriveRootOf(mounts, "/mnt/a"), "/mnt/a/");
    EXPECT_EQ(DriveRootOf(mounts, "/mnt/ab/x"), "/");
    EXPECT_EQ(DriveRootOf(mounts, "/mnt/a/b/c"), "/mnt/a/b/");
    EXPECT_EQ(DriveTypeOf(mounts, "/mnt/a/"), DriveType::Removable);
    EXPECT_EQ(DriveTypeOf(mounts, "/mnt/"), DriveType::NotADrive);
    platform::fake::FakeDrives drives;
    drives.mounts = mounts;
    EXPECT_EQ(FixedDriveList(drives), (std::vector<std::string>{"/", "/data/", "/home/", "/mnt/a/b/"}));
    for (int i = 0; i < 40; ++i) drives.mounts.push_back({"/m" + std::to_string(i) + "/", DriveType::Fixed});
    EXPECT_EQ(FixedDriveList(drives).size(), kMaxFixedDrives);
    EXPECT_EQ(FixedDriveList(drives).front(), "/");
}

TEST(DriveRoots, InstallDirectoryRule) {
    const auto mounts = SampleMounts();
    struct Case {
        const char* path;
        bool ok;
    };
    const Case cases[] = {
        {"/opt/Viewer", true},  {"/opt/Viewer/", true},  {"/home/u/Viewer", true}, {"/data/x", true},
        {"/", false},           {"//", false},           {"/data/", false},        {"/data", false},
        {"/data//", false},     {"opt/Viewer", false},   {"", false},              {"/mnt/a/x", false},
        {"/media/cd/x", false}, {"/proc/x", false},       {"/opt/../mnt", false},   {"/opt/./x", false},
        {"/mnt/a/b/x", true},   {"/opt/a..b", true},
    };
    for (const auto& c : cases) EXPECT_EQ(IsInstallableDirectory(mounts, c.path), c.ok) << c.path;
}

TEST(MountTable, ParsesMountInfo) {
    const std::string text =
        "22 27 0:21 / /proc rw,relatime - proc proc rw\n"
        "27 1 254:0 / / rw,relatime - ext4 /dev/vda rw\n"
        "30 27 8:17 / /media/usb\\040stick rw shared:5 - vfat /dev/sdb1 rw\n"
        "31 27 11:0 / /media/cdrom ro - iso9660 /dev/sr0 ro\n"
        "32 27 0:40 / /net/share rw - nfs4 server:/x rw\n"
        "33 27 0:41 / /run/user/0 rw - tmpfs tmpfs rw\n"
        "34 27 0:42 / /var/lib/docker/x rw - overlay overlay rw\n"
        "35 27 254:16 / /data rw - xfs /dev/vdb rw\n"
        "36 27 254:32 / /data rw - btrfs /dev/vdc rw\n"
        "garbage line\n";
    const auto lookup = [](const std::string& device) {
        platform::posix::BlockDeviceInfo info;
        info.exists = device.find("0:") != 0;
        info.removable = device == "8:17";
        return info;
    };
    const auto mounts = platform::posix::ParseMountInfo(text, lookup);
    std::vector<std::pair<std::string, DriveType>> got;
    for (const auto& m : mounts) got.emplace_back(m.root, m.type);
    const std::vector<std::pair<std::string, DriveType>> expected = {
        {"/proc/", DriveType::NotADrive},       {"/", DriveType::Fixed},
        {"/media/usb stick/", DriveType::Removable}, {"/media/cdrom/", DriveType::CdRom},
        {"/net/share/", DriveType::Remote},     {"/run/user/0/", DriveType::RamDisk},
        {"/var/lib/docker/x/", DriveType::Fixed}, {"/data/", DriveType::Fixed},
    };
    EXPECT_EQ(got, expected);
}

}  // namespace
}  // namespace setup
