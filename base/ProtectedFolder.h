#pragma once
// Folders the elevated installer makes, and whether a place may hold them. The product runs from
// its folders with an administrator's rights for good, so no other user may write there.
#include <string>

namespace SetUp {

// SYSTEM, Administrators and TrustedInstaller: full control; Users: read and run. Protected:
// nothing inherited from a parent that Authenticated Users may change (a data drive's root,
// "C:\", a 32-bit Windows' made-up "Program Files (x86)").
extern const char kProtectedFolderDescriptor[];

// Makes the folder with that descriptor when it is missing; an existing folder is left as it is
// (its owner is checked before the install starts). True when it exists afterwards.
bool MakeProtectedFolder(const std::string& path);
// Every missing level of the path, each with the descriptor.
void MakeProtectedFolderTree(const std::string& path);

// Whether the drive of an absolute path keeps access lists (not FAT or exFAT) and is a fixed
// one: elsewhere the descriptor does not hold or the drive may go.
bool IsDriveForProtectedFolders(const std::string& path);

// An existing folder owned by someone the installer cannot trust; false when it is missing.
// Read on the folder itself, never through a link.
bool HasForeignOwner(const std::string& path);
// The first existing level of an absolute path, below its drive, with a foreign owner: the owner
// of a parent may rename the folders in it and put its own in their place. Empty when none.
std::string ForeignOwnedLevel(const std::string& path);

}  // namespace SetUp
