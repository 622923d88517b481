#pragma once
// The free space of a drive, as the start, feature and disk-space pages show it.
#include <cstdint>
#include <string>

// The free megabytes of the drive whose letter starts the path (free clusters times cluster
// size, truncated); 0 when the drive cannot be read or the path has no drive letter.
int64_t AvailableSpaceMb(const std::string& path);

// "548 MB".
std::string MegabytesText(int64_t megabytes);
