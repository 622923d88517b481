#pragma once
// The acceptance test of an install root, typed in or read back from the Uninstall record.
#include <string>

namespace SetUp {

// A drive letter, then pieces that hold no character a path or the command processor gives a
// meaning of its own, none ending in a dot or blank, none a device name.
bool IsValidInstallPath(const std::string& path);

}  // namespace SetUp
