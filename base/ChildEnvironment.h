#pragma once
// The environment the installers the setup program starts are given.
#include <string>
#include <vector>

namespace SetUp {

// This process's environment as a UTF-16 block (for CREATE_UNICODE_ENVIRONMENT) with TMP and TEMP
// naming the folder (a trailing backslash dropped), so that what a child unpacks goes to the
// protected working folder and not to a folder the user chose. Empty when the folder is empty.
std::vector<wchar_t> EnvironmentWithTempFolder(const std::string& folder);

}  // namespace SetUp
