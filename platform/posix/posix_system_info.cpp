#include "platform/posix/posix_system_info.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

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

// Makes each missing level of an absolute folder path; true when it ends up a folder.
bool MakeFolderPath(const std::string& path, mode_t mode) {
    for (std::size_t end = path.find('/', 1); end != std::string::npos; end = path.find('/', end + 1)) {
        const std::string level = path.substr(0, end);
        if (::mkdir(level.c_str(), mode) != 0 && errno != EEXIST) return false;
    }
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
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

std::string PosixSystemInfo::ProgramsMenuDirectory() const {
    if (::geteuid() == 0) {
        const std::string folder = "/usr/local/share/applications/";
        return MakeFolderPath(folder, 0755) ? folder : std::string();
    }
    // A relative XDG_DATA_HOME is invalid and ignored, as the base-directory rules say.
    const char* data = std::getenv("XDG_DATA_HOME");
    std::string base = data && data[0] == '/' ? std::string(data) : HomeDirectory() + "/.local/share";
    while (base.size() > 1 && base.back() == '/') base.pop_back();
    const std::string folder = base + "/applications/";
    // The Start menu always exists on the systems the installer was made for; here a fresh
    // account may lack the folder, and user data folders are made private.
    return MakeFolderPath(folder, 0700) ? folder : std::string();
}

}  // namespace platform::posix
