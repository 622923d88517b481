#pragma once
// Who owns a folder the elevated installer is about to empty.
#include <windows.h>

namespace SetUp {

// Administrators, SYSTEM, TrustedInstaller, or the account this process runs as (the
// administrator who started the installer). Another user's folder is not trusted: its owner may
// change its rights and contents while the installer works in it.
bool IsTrustedOwner(PSID owner);
// The owner read from the handle (which needs READ_CONTROL); false when it cannot be read.
bool HasTrustedOwner(HANDLE object);

}  // namespace SetUp
