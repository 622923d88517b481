#include "ui/pages/SpaceRule.h"

#include <windows.h>

#include <cctype>

int64_t AvailableSpaceMb(const std::string& path) {
    if (path.empty() || !std::isalpha(static_cast<unsigned char>(path[0]))) {
        return 0;
    }
    const std::string drive = std::string(1, path[0]) + ":\\";
    DWORD sectorsPerCluster = 0;
    DWORD bytesPerSector = 0;
    DWORD freeClusters = 0;
    DWORD totalClusters = 0;
    if (!GetDiskFreeSpaceA(drive.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters,
                           &totalClusters)) {
        return 0;
    }
    // In 64 bits: the product of clusters and cluster size passes 4 GB on any modern drive.
    const uint64_t bytes = static_cast<uint64_t>(freeClusters) * sectorsPerCluster * bytesPerSector;
    return static_cast<int64_t>(bytes / (1024 * 1024));
}

std::string MegabytesText(int64_t megabytes) {
    return std::to_string(megabytes) + " MB";
}
