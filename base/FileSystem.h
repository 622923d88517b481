#pragma once
// Generic file and folder operations. Paths are ANSI byte strings; both kinds of slash occur and
// Windows accepts either. Nothing is cached.
#include <string>
#include <vector>

namespace SetUp {

bool PathExists(const std::string& path);
// Creates every missing level of an absolute path; either kind of slash.
void CreateFolderTree(const std::string& path);
// Deletes a file or folder tree through the shell, silently. Returns true when the deletion
// FAILED, false when it succeeded.
bool DeleteFolder(const std::string& path, bool toRecycleBin);
// True when the folder holds nothing but "." and "..", or cannot be listed.
bool IsFolderEmpty(const std::string& path);
// Replaces the list by the folder's entry names; false when the folder cannot be listed.
bool ListFolder(const std::string& folder, std::vector<std::string>& list);
// Creates the destination and copies the files directly in the source into it; nothing when
// the destination exists.
void CopyFolder(const std::string& source, const std::string& destination);

}  // namespace SetUp
