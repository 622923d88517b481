#pragma once
// The shell's folder browser, as the pages with a path box open it.
#include <windows.h>

#include <optional>
#include <string>

// The folder the user chose, or nothing when the browser was cancelled or the choice has no
// file-system path (a printer, the network).
std::optional<std::string> BrowseForFolder(HWND owner);

// Browses from a page with a path box: a chosen folder goes into the box with the edition's
// folder name under it; the box's change notification lets the page follow (root, free space).
void BrowseIntoPathBox(HWND page, int pathBox, const std::string& folderName);
