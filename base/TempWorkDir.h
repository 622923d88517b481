#pragma once
// The private working folder under the Windows folder's Temp and the resource writer. Every
// program the installer runs from there was written there by this process: the folder is made
// and opened in one step under a name that did not exist ("InstallationTempFile" and a random
// suffix), with a descriptor that gives SYSTEM and Administrators alone any access and inherits
// nothing; the handle must show the very path meant (no link on the way), no reparse point and a
// trusted owner, and it is held without write or delete sharing so that the folder cannot be
// renamed away, replaced or made a mount point. TMP and TEMP, which the user sets, play no part.
// It goes when the process ends (every end deletes it).
#include <string>
#include <vector>

namespace SetUp {

enum class TempWorkDirState { Ready, Unsafe };

// Makes the working folder when this process has none yet. Unsafe when the Windows folder cannot
// be read, the new folder cannot be made with the protected descriptor, or what was made is not
// where it was meant, is a reparse point or has an untrusted owner; nothing may then be written
// or run from it, and the user is told.
TempWorkDirState PrepareTempWorkDir();

// The working folder with a trailing backslash, made on first use; empty when it is unsafe.
std::string GetTempWorkDir();

// Deletes the working folder and everything in it (never through a link); the next use makes a
// new one under a new name.
void DeleteTempWorkDir();

// Where working folders are made: GetSystemWindowsDirectoryA + "\\Temp\\", read once per run
// and kept; empty when the call fails, the path does not fit, holds '%' or '!', or it is not an
// absolute path with a drive letter.
std::string WorkDirParent();

// Writes the program's resource (type, id) to the working folder under the file name. The file
// is created or truncated first; an absent resource leaves it empty. True only when the folder is
// safe and the resource was found and written whole: nothing may run from a false.
bool SaveResourceToTemp(const std::string& fileName, int id, const char* type);

// Writes the resource (type, id) to the given path with one write straight from the mapped
// resource, the file opened without sharing. Returns whether the resource was found and written
// whole; an absent resource still leaves an empty file.
bool WriteResourceToFile(const std::string& path, int id, const char* type);

// The resource's bytes in memory; empty when it is absent.
std::string ResourceText(int id, const char* type);

// Test seam: while an object lives, the working folder's suffixes are taken from the list (in
// order, the last one repeated) instead of at random, so that a test can plant a folder under
// the very name the installer will try.
class CScopedWorkDirSuffixes {
public:
    explicit CScopedWorkDirSuffixes(std::vector<std::string> suffixes);
    ~CScopedWorkDirSuffixes();
    CScopedWorkDirSuffixes(const CScopedWorkDirSuffixes&) = delete;
    CScopedWorkDirSuffixes& operator=(const CScopedWorkDirSuffixes&) = delete;
};

}  // namespace SetUp
