#pragma once
// The product's folder layout and the small file-system operations the engine shares. Paths are
// ANSI byte strings; both kinds of slash occur and Windows accepts either. Nothing is cached.
#include <string>
#include <vector>

namespace SetUp {

// d:\Program Files (x86)\<productFolder>, not created.
std::string GetProgramFilesProductDir();
// d:/Program Files (x86)/<productFolder>, created when missing; returned either way.
std::string EnsureProgramFilesProductDir();
// d:\Users\Public\<productFolder>.
std::string GetPublicUserDataDir();
// "/<productFolder>/<clientFolder>/Client/<brand>.Framework.C.exe" (or Server/...S.exe),
// relative to an install root.
std::string GetFrameworkExePath(bool client);

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
// The acceptance test of a typed-in install root.
bool IsValidInstallPath(const std::string& path);
// True when the installed user manual exists and cannot be opened for reading and writing.
bool IsUserManualOpen();

// Install step 1: the product and installation folders below the root.
void initInstallPath(const std::string& installRoot);
// Install step 11: on a 64-bit machine the 64-bit multimedia library takes the client's place.
void replaceMultiMediaComm(const std::string& installRoot);

}  // namespace SetUp
