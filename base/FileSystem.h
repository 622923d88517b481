#pragma once
// Generic file and folder operations. Paths are ANSI byte strings; both kinds of slash occur and
// Windows accepts either. Nothing is cached.
#include <string>
#include <vector>

namespace SetUp {

bool PathExists(const std::string& path);
// Creates every missing level of an absolute path; either kind of slash.
void CreateFolderTree(const std::string& path);
// Each level of the path from the top, without the bare drive ("D:\A\B": "D:\A", "D:\A\B").
std::vector<std::string> PathLevels(const std::string& path);
// Deletes a file or folder tree, silently. Returns true when the deletion FAILED (something is
// left), false when it succeeded. Each entry is opened relative to its folder's handle, never
// through a reparse point (junction, symbolic link, mount point), and deleted through that
// handle; each folder is held without write or delete sharing while its entries go. A link is
// removed as the link itself and never entered; a folder owned by another user than an
// administrator, SYSTEM or this process's user is left as it is. usersMayWrite is for a tree
// other users may write (the public user-data folder, a folder the person asked to clear): any
// owner, links are left, only plain files and folders go. Only an absolute path with a drive
// letter below the drive's root is deleted; the recycle bin is never used.
bool DeleteFolder(const std::string& path, bool usersMayWrite);
// Whether the path exists and is a reparse point (the link itself, never its target).
bool IsReparsePoint(const std::string& path);
// "X:\..." with a drive letter: never relative, never on the current drive's root, never UNC.
bool IsAbsoluteLocalPath(const std::string& path);
// True when the folder holds nothing but "." and "..", or cannot be listed.
bool IsFolderEmpty(const std::string& path);
// Replaces the list by the folder's entry names; false when the folder cannot be listed.
bool ListFolder(const std::string& folder, std::vector<std::string>& list);
// The bytes of every file below the folder; links are not followed (they count nothing).
unsigned long long TreeSizeBytes(const std::string& folder);
// Creates the destination and copies the files directly in the source into it; nothing when
// the destination exists.
void CopyFolder(const std::string& source, const std::string& destination);

}  // namespace SetUp
