#pragma once
// The native file calls the Win32 layer does not offer: NtCreateFile (creating or opening with
// options CreateFile lacks), looked up in ntdll at run time, and the paths they take.
#include <windows.h>
#include <winternl.h>

#include <string>

namespace SetUp {

using NtCreateFileFunction = LONG(NTAPI*)(HANDLE*, ACCESS_MASK, OBJECT_ATTRIBUTES*,
                                          IO_STATUS_BLOCK*, LARGE_INTEGER*, ULONG, ULONG, ULONG,
                                          ULONG, void*, ULONG);

// NtCreateFile from ntdll; null when it cannot be found.
NtCreateFileFunction NtCreateFileEntry();

// The text in the ANSI code page as UTF-16.
std::wstring Wide(const std::string& text);

// Where the handle's object really is (GetFinalPathNameByHandleW, with "\\?\" and without a
// trailing backslash); empty when it cannot be read.
std::wstring FinalPath(HANDLE object);

}  // namespace SetUp
