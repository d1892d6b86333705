#include "platform/posix/posix_system_info.h"

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace platform::posix {
namespace {

// The groups whose members may administer a Debian, Fedora or Ubuntu machine.
bool IsAdministratorGroup(gid_t gid) {
    for (const char* name : {"sudo", "wheel", "admin"}) {
        if (const group* g = ::getgrnam(name); g && g->gr_gid == gid) return true;
    }
    return false;
}

}  // namespace

std::string HomeDirectory() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* pw = ::getpwuid(::geteuid()); pw && pw->pw_dir) return pw->pw_dir;
    return "/";
}

bool PosixSystemInfo::QueryVersion(OsVersion*) const { return false; }

bool PosixSystemInfo::InAdministratorsGroup() const {
    if (::geteuid() == 0) return true;
    if (IsAdministratorGroup(::getegid())) return true;
    const int count = ::getgroups(0, nullptr);
    if (count <= 0) return false;
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    const int got = ::getgroups(count, groups.data());
    for (int i = 0; i < got; ++i) {
        if (IsAdministratorGroup(groups[static_cast<std::size_t>(i)])) return true;
    }
    return false;
}

std::string PosixSystemInfo::SystemDriveRoot() const {
    if (::geteuid() == 0) return "/opt/";
    std::string home = HomeDirectory();
    if (home.back() != '/') home += '/';
    return home;
}

// There is no system directory of that kind; the system drive root stands in for it.
std::string PosixSystemInfo::WindowsDirectory() const { return SystemDriveRoot(); }

}  // namespace platform::posix
