#include "ui/pages/FolderBrowser.h"

#include <shlobj.h>

#include "base/ComApartment.h"
#include "base/LateBound.h"
#include "product/TextTable.h"
#include "ui/pages/InstallChecks.h"

std::optional<std::string> BrowseForFolder(HWND owner) {
    // The new-style browser is built from COM objects and fails without an apartment on this
    // thread; the page thread has none of its own, so it joins one for the browser's lifetime.
    SetUp::CComFallback apartment;
    apartment.Join();
    const std::string title = CTextTable::Instance().GetText("choosecontents");
    BROWSEINFOA info{};
    info.hwndOwner = owner;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_NEWDIALOGSTYLE | BIF_EDITBOX | BIF_STATUSTEXT;
    PIDLIST_ABSOLUTE items = SetUp::LateBound::SHBrowseForFolderA(&info);
    if (items == nullptr) {
        return std::nullopt;
    }
    char path[MAX_PATH] = {};
    const BOOL read = SetUp::LateBound::SHGetPathFromIDListA(items, path);
    SetUp::LateBound::CoTaskMemFree(items);
    if (!read || path[0] == '\0') {
        return std::nullopt;
    }
    return std::string(path);
}

void BrowseIntoPathBox(HWND page, int pathBox, const std::string& folderName) {
    if (const std::optional<std::string> path = BrowseForFolder(page)) {
        SetDlgItemTextA(page, pathBox, PathBoxAfterBrowse(*path, folderName).c_str());
    }
}
