#pragma once
// The environment every program the setup program starts is given.
#include <windows.h>

#include <string>
#include <vector>

namespace SetUp {

// The system's default environment (CreateEnvironmentBlock without a user: the machine's
// variables, nothing the signed-in user set) as a UTF-16 block for CREATE_UNICODE_ENVIRONMENT,
// with TMP and TEMP naming the folder (a trailing backslash dropped) when one is given, so that
// what a child unpacks goes to the protected working folder. Empty when the system's block
// cannot be built: then nothing is started.
std::vector<wchar_t> ChildEnvironment(const std::string& tempFolder);

// The environment of the user behind the token (CreateEnvironmentBlock with it: the user's own
// variables and the machine's), for a program started with that user's rights. Empty when it
// cannot be built.
std::vector<wchar_t> UserEnvironment(HANDLE token);

}  // namespace SetUp
