#pragma once
// The native file calls the Win32 layer does not offer: NtCreateFile (creating or opening with
// options CreateFile lacks), looked up in ntdll at run time, and the paths they take.
#include <windows.h>
#include <winternl.h>

#include <string>

namespace SetUp {

// NtCreateFile's dispositions and options that the SDK's user-mode headers leave out.
constexpr ULONG kFileOpen = 1;
constexpr ULONG kFileCreate = 2;
constexpr ULONG kDirectoryFile = 0x00000001;
constexpr ULONG kSynchronousIo = 0x00000020;
constexpr ULONG kBackupIntent = 0x00004000;
constexpr ULONG kOpenReparsePoint = 0x00200000;

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
