#pragma once
// The shell's folder browser, as the pages with a path box open it.
#include <windows.h>

#include <optional>
#include <string>

// The folder the user chose, or nothing when the browser was cancelled or the choice has no
// file-system path (a printer, the network).
std::optional<std::string> BrowseForFolder(HWND owner);
