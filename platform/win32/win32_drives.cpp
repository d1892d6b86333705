#include "platform/win32/win32_drives.h"

#include "platform/win32/windows_api.h"

namespace platform::win32 {
namespace {

using FreeSpaceEx = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);

FreeSpaceEx LookUpFreeSpaceEx() {
    const HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
    if (!kernel) return nullptr;
    return reinterpret_cast<FreeSpaceEx>(reinterpret_cast<void*>(::GetProcAddress(kernel, "GetDiskFreeSpaceExA")));
}

}  // namespace

std::vector<Mount> Win32Drives::Mounts() const {
    std::vector<Mount> mounts;
    const DWORD letters = ::GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if ((letters & (1u << i)) == 0) continue;
        const std::string root{static_cast<char>('A' + i), ':', '\\'};
        mounts.push_back({root, static_cast<DriveType>(::GetDriveTypeA(root.c_str()))});
    }
    return mounts;
}

bool Win32Drives::QueryFreeSpace(const std::string& path, DiskSpace* space) const {
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    const bool clustered =
        ::GetDiskFreeSpaceA(path.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters) != 0;
    const std::uint64_t clusterBytes = static_cast<std::uint64_t>(sectorsPerCluster) * bytesPerSector;
    *space = {};
    if (clustered) *space = {freeClusters, clusterBytes, clusterBytes};
    const FreeSpaceEx freeSpaceEx = LookUpFreeSpaceEx();
    if (!freeSpaceEx) return clustered;
    ULARGE_INTEGER available {}, total {}, totalFree {};
    if (!freeSpaceEx(path.c_str(), &available, &total, &totalFree)) return clustered;
    const std::uint64_t freeBytes = totalFree.QuadPart;
    if (clustered && clusterBytes != 0 && freeBytes % clusterBytes == 0 &&
        freeBytes / clusterBytes == freeClusters)
        return true;
    // The two queries disagree (the older one stops at 2 GiB on some systems): the
    // extended figure wins, and the cluster product is the same bytes in 32 bits.
    *space = {freeBytes, 1, 1};
    return true;
}

bool Win32Drives::QueryVolumeSerial(const std::string& root, std::uint32_t* serial) const {
    DWORD number = 0;
    if (!::GetVolumeInformationA(root.c_str(), nullptr, 0, &number, nullptr, nullptr, nullptr, 0)) return false;
    *serial = number;
    return true;
}

}  // namespace platform::win32
