// The installer's system checks over the win32 backend: the system name from the version
// record (the CTest entries system_name_* set Wine's version first), the token's groups,
// the drives and both free-space queries.

#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_drives.h"
#include "platform/win32/win32_message_sink.h"
#include "platform/win32/win32_system_info.h"
#include "platform/win32/win32_timer_service.h"
#include "platform/win32/windows_api.h"
#include "setup/system_checks.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace platform::win32 {
namespace {

// Set by the system_name_* entries, which run only this suite.
TEST(SystemName, IsNamedFromTheVersionRecordWineReports) {
    const char* expected = std::getenv("VARNELLE_EXPECTED_SYSTEM_NAME");
    if (!expected) GTEST_SKIP() << "run by the system_name_* CTest entries";
    Win32SystemInfo system;
    EXPECT_EQ(setup::GetSystemName(system), expected);
}

TEST(Win32System, TheAdministratorTestAgreesWithTheSystemsOwnMembershipCheck) {
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    ASSERT_TRUE(::AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0,
                                           0, 0, 0, &administrators));
    BOOL member = FALSE;
    ASSERT_TRUE(::CheckTokenMembership(nullptr, administrators, &member));
    ::FreeSid(administrators);
    Win32SystemInfo system;
    EXPECT_EQ(setup::IsAdministrator(system), member != FALSE);
    // Wine's user is an administrator.
    EXPECT_TRUE(setup::IsAdministrator(system));
}

TEST(Win32System, TheSystemDriveRootIsTheWindowsDirectorysFirstThreeCharacters) {
    Win32SystemInfo system;
    const std::string windows = system.WindowsDirectory();
    EXPECT_EQ(windows, "C:\\windows\\");
    EXPECT_EQ(system.SystemDriveRoot(), "C:\\");
    EXPECT_EQ(system.ProgramsMenuDirectory(), "");
}

TEST(Win32Drives, ListsTheSandboxDrivesWithTheirTypes) {
    Win32Drives drives;
    std::vector<std::string> roots;
    for (const auto& m : drives.Mounts()) {
        roots.push_back(m.root);
        EXPECT_EQ(m.type, static_cast<DriveType>(::GetDriveTypeA(m.root.c_str()))) << m.root;
    }
    // c: is the prefix's drive, v: the build folder; the Unix root (z:) is not reachable.
    EXPECT_NE(std::find(roots.begin(), roots.end(), "C:\\"), roots.end());
    EXPECT_NE(std::find(roots.begin(), roots.end(), "V:\\"), roots.end());
    EXPECT_EQ(std::find(roots.begin(), roots.end(), "Z:\\"), roots.end());
    const auto fixed = setup::FixedDriveList(drives);
    ASSERT_FALSE(fixed.empty());
    EXPECT_EQ(fixed.front(), "C:\\");
    for (const auto& root : fixed) EXPECT_EQ(::GetDriveTypeA(root.c_str()), static_cast<UINT>(DRIVE_FIXED));
    EXPECT_EQ(::GetDriveTypeA("Z:\\"), static_cast<UINT>(DRIVE_NO_ROOT_DIR));
    std::uint32_t serial = 0;
    EXPECT_TRUE(drives.QueryVolumeSerial("C:\\", &serial));
    EXPECT_FALSE(drives.QueryVolumeSerial("Z:\\", &serial));
}

TEST(Win32Drives, FreeSpaceIsTheExtendedQuerysTotalOrTheClusterProductInThirtyTwoBits) {
    Win32Drives drives;
    ULARGE_INTEGER available {}, total {}, totalFree {};
    ASSERT_TRUE(::GetDiskFreeSpaceExA("C:\\", &available, &total, &totalFree));
    DWORD sectors = 0, bytes = 0, freeClusters = 0, clusters = 0;
    ASSERT_TRUE(::GetDiskFreeSpaceA("C:\\", &sectors, &bytes, &freeClusters, &clusters));
    const std::uint64_t extendedKB = std::min<std::uint64_t>(totalFree.QuadPart >> 10, UINT32_MAX);
    const std::uint32_t clusterKB = (sectors * bytes * freeClusters) >> 10;
    EXPECT_EQ(static_cast<std::uint32_t>(setup::GetFreeSpaceKB(drives, "C:\\", "")), extendedKB);
    EXPECT_EQ(static_cast<std::uint32_t>(setup::GetFreeSpaceKB(drives, "C:\\", "WinXP")), extendedKB);
    EXPECT_EQ(static_cast<std::uint32_t>(setup::GetFreeSpaceKB(drives, "C:\\", "Win95")), clusterKB);
    EXPECT_EQ(static_cast<std::uint32_t>(setup::GetFreeSpaceKB(drives, "C:\\", "WinOS")), clusterKB);
    EXPECT_EQ(setup::GetFreeSpaceKB(drives, "Z:\\", ""), 0);
}

TEST(Win32Clock, MillisecondsAreTheMultimediaTimersAndLocalTimeIsWhole) {
    Win32Clock clock;
    const DWORD before = ::timeGetTime();
    const std::uint32_t ours = clock.MonotonicMilliseconds();
    EXPECT_GE(ours, before);
    EXPECT_LE(ours - before, 1000u);
    const LocalTime now = clock.Now();
    EXPECT_GE(now.year, 2020);
    EXPECT_LE(now.millisecond, 999);
}

TEST(Win32Timers, AWindowTimerTicksThroughTheThreadsMessageLoop) {
    std::vector<int> ticks;
    Win32TimerService timers([&ticks](int id) { ticks.push_back(id); });
    ASSERT_TRUE(timers.SetTimer(7, 1));
    // Pump until the first tick; a broken timer fails after five seconds, not at the
    // CTest timeout.
    const DWORD start = ::GetTickCount();
    while (ticks.empty() && ::GetTickCount() - start < 5000) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
    }
    timers.KillTimer(7);
    ASSERT_FALSE(ticks.empty());
    EXPECT_EQ(ticks.front(), 7);
}

TEST(Win32Messages, BoxesCarryTheExactStyleFlags) {
    EXPECT_EQ(MessageBoxFlags(Warning("x")), static_cast<unsigned>(MB_ICONEXCLAMATION | MB_OK));
    EXPECT_EQ(MessageBoxFlags({"x", "Full Drive", MessageIcon::Warning, MessageButtons::YesNo, false}),
              static_cast<unsigned>(MB_ICONEXCLAMATION | MB_YESNO));
    EXPECT_EQ(MessageBoxFlags({"x", "Finished", MessageIcon::Information, MessageButtons::Ok, false}),
              static_cast<unsigned>(MB_ICONINFORMATION | MB_OK));
    EXPECT_EQ(MessageBoxFlags({"x", "", MessageIcon::Question, MessageButtons::YesNoCancel, true}),
              static_cast<unsigned>(MB_ICONQUESTION | MB_YESNOCANCEL | MB_TASKMODAL));
    EXPECT_EQ(MessageBoxFlags({"x", "", MessageIcon::Error, MessageButtons::RetryCancel, false}),
              static_cast<unsigned>(MB_ICONHAND | MB_RETRYCANCEL));
    EXPECT_EQ(MessageBoxFlags({"x", "", MessageIcon::None, MessageButtons::OkCancel, false}),
              static_cast<unsigned>(MB_OKCANCEL));
}

}  // namespace
}  // namespace platform::win32
