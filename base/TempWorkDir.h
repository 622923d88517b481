#pragma once
// The private working folder under the user's temporary folder and the resource writer. Every
// resource is written there before use; the folder goes when the user leaves the finish page.
#include <string>

namespace SetUp {

// The temporary folder + "InstallationTempFile", with a trailing backslash; created (one level)
// when it does not exist.
std::string GetTempWorkDir();

// Deletes the working folder and everything in it (not to the recycle bin).
void DeleteTempWorkDir();

// Writes the program's resource (type, id) to the working folder under the file name. The file
// is created or truncated first; an absent resource leaves it empty.
void SaveResourceToTemp(const std::string& fileName, int id, const char* type);

// Writes the resource (type, id) to the given path with one write straight from the mapped
// resource. Returns whether the resource was found and written whole.
bool WriteResourceToFile(const std::string& path, int id, const char* type);

}  // namespace SetUp
