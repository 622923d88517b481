#include "base/FolderOwner.h"

#include <aclapi.h>
#include <sddl.h>

#include <vector>

#include "base/Handles.h"

namespace SetUp {

namespace {

const char kTrustedInstaller[] = "S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";

bool IsWellKnown(PSID owner, WELL_KNOWN_SID_TYPE kind) {
    return IsWellKnownSid(owner, kind) != FALSE;
}

bool IsTrustedInstaller(PSID owner) {
    PSID trusted = nullptr;
    if (!ConvertStringSidToSidA(kTrustedInstaller, &trusted)) {
        return false;
    }
    const bool same = EqualSid(owner, trusted) != FALSE;
    LocalFree(trusted);
    return same;
}

bool IsProcessUser(PSID owner) {
    CHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.Receive())) {
        return false;
    }
    DWORD size = 0;
    GetTokenInformation(token.Get(), TokenUser, nullptr, 0, &size);
    std::vector<unsigned char> buffer(size);
    if (size == 0 || !GetTokenInformation(token.Get(), TokenUser, buffer.data(), size, &size)) {
        return false;
    }
    return EqualSid(owner, reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid) != FALSE;
}

}  // namespace

bool IsTrustedOwner(PSID owner) {
    // Under Wine every file reads as owned by the process's user, whatever made it.
    return owner != nullptr && IsValidSid(owner) &&
           (IsWellKnown(owner, WinBuiltinAdministratorsSid) ||
            IsWellKnown(owner, WinLocalSystemSid) || IsTrustedInstaller(owner) ||
            IsProcessUser(owner));
}

bool HasTrustedOwner(HANDLE object) {
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(object, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr,
                        nullptr, nullptr, &descriptor) != ERROR_SUCCESS) {
        return false;
    }
    const bool trusted = IsTrustedOwner(owner);
    LocalFree(descriptor);
    return trusted;
}

}  // namespace SetUp
