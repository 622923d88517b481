#pragma once
// Facts about the running system. The native architecture goes through a narrow seam, because a
// 32-bit Windows cannot be run on the test machines.
#include <windows.h>

#include <string>

// wProcessorArchitecture of GetNativeSystemInfo, or the value a test has put in place.
WORD NativeProcessorArchitecture();

// AMD64 (9) or IA64 (6).
bool IsNative64Bit();

// The processors this process can run on: GetActiveProcessorCount over every group where the
// system has it (Windows 7 and later), else GetSystemInfo's count; at least 1.
int ProcessorCount();

// GetSystemDirectoryA, without a trailing backslash.
std::string SystemDirectory();

// The first character of the system directory.
char SystemDriveLetter();

// GetWindowsDirectoryA, without a trailing backslash; empty when it is not an absolute drive path.
std::string WindowsDirectory();

// The folder 32-bit programs install into on this system (FOLDERID_ProgramFilesX86): "Program
// Files (x86)" on a 64-bit Windows, "Program Files" on a 32-bit one. Without a trailing
// backslash; empty when it is not a plain absolute drive path.
std::string ProgramFilesX86Directory();

// "Windows 10.0 build 19045, workstation", from RtlGetVersion (which does not lie to programs
// without a compatibility manifest).
std::string WindowsVersionText();

// Test seam: while an object lives, NativeProcessorArchitecture() reports the given value.
class CScopedNativeArchitecture {
public:
    explicit CScopedNativeArchitecture(WORD architecture);
    ~CScopedNativeArchitecture();
    CScopedNativeArchitecture(const CScopedNativeArchitecture&) = delete;
    CScopedNativeArchitecture& operator=(const CScopedNativeArchitecture&) = delete;

private:
    int previous_;
};
