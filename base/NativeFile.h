#pragma once
// The native file calls the Win32 layer does not offer: NtCreateFile (creating or opening with
// options CreateFile lacks), looked up in ntdll at run time, and the paths they take.
#include <windows.h>
#include <winternl.h>

#include <string>

namespace SetUp {

// What an NtCreateFile call is given besides the name: where the name is relative to (null: an
// absolute native path), the descriptor a new object gets, and the call's own arguments.
struct CNativeOpen {
    HANDLE root = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ACCESS_MASK access = 0;
    ULONG attributes = 0;
    ULONG share = 0;
    ULONG disposition = 0;
    ULONG options = 0;
};

// NtCreateFile of the name (case-insensitive); its status, and the handle in *handle when it
// succeeded. A negative status when ntdll lacks the call.
LONG NativeCreate(const std::wstring& name, const CNativeOpen& open, HANDLE* handle);

// The text in the ANSI code page as UTF-16.
std::wstring Wide(const std::string& text);

// Where the handle's object really is (GetFinalPathNameByHandleW, with "\\?\" and without a
// trailing backslash); empty when it cannot be read.
std::wstring FinalPath(HANDLE object);

}  // namespace SetUp
