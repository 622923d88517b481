#pragma once
// Generic file and folder operations. Paths are ANSI byte strings; both kinds of slash occur and
// Windows accepts either. Nothing is cached.
#include <string>
#include <vector>

namespace SetUp {

bool PathExists(const std::string& path);
// Creates every missing level of an absolute path; either kind of slash.
void CreateFolderTree(const std::string& path);
// Deletes a file or folder tree, silently. Returns true when the deletion FAILED (something is
// left), false when it succeeded. A reparse point (junction, symbolic link, mount point) is never
// followed, neither inside the tree nor at its root: it is removed as a link and its target stays.
// Each folder is held open without delete sharing while its entries go, so that it cannot be
// swapped for a link half-way. Only an absolute path with a drive letter is deleted. The recycle
// bin is used only for a tree that holds no link.
bool DeleteFolder(const std::string& path, bool toRecycleBin);
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
