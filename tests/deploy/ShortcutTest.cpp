#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <thread>

#include "common/TestMachine.h"
#include "deploy/MenuAndDesk.h"
#include "product/Catalogue.h"
#include "product/TextTable.h"
#include "registry/InstalledRecord.h"

namespace {

using SetUp::CMenuAndDesk;

bool Chinese() {
    return testbed::PromisedLanguageId() == 2052;
}

std::wstring Wide(const std::string& text, UINT codePage) {
    const int length = MultiByteToWideChar(codePage, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.c_str(), -1, &wide[0], length);
    wide.resize(static_cast<size_t>(length - 1));
    return wide;
}

std::string Narrow(const std::wstring& text, UINT codePage) {
    const int length =
        WideCharToMultiByte(codePage, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, text.c_str(), -1, &narrow[0], length, nullptr, nullptr);
    narrow.resize(static_cast<size_t>(length - 1));
    return narrow;
}

std::wstring Special(int csidl) {
    wchar_t path[MAX_PATH] = {};
    SHGetSpecialFolderPathW(nullptr, path, csidl, FALSE);
    return path;
}
std::wstring Programs() {
    return Special(CSIDL_COMMON_STARTMENU) + L"\\Programs\\";
}
std::wstring Desktop() {
    return Special(CSIDL_COMMON_DESKTOPDIRECTORY) + L"\\";
}

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::set<std::wstring> Entries(const std::wstring& folder) {
    std::set<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        if (wcscmp(data.cFileName, L".") != 0 && wcscmp(data.cFileName, L"..") != 0) {
            names.insert(data.cFileName);
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
}

// Backslashes, lower case: how Windows compares paths.
std::wstring Canonical(std::wstring path) {
    std::replace(path.begin(), path.end(), L'/', L'\\');
    CharLowerW(&path[0]);
    return path;
}

struct LinkInfo {
    bool loaded = false;
    std::wstring target;
    std::wstring icon;
};

LinkInfo ReadLink(const std::wstring& path) {
    LinkInfo info;
    const HRESULT joined = CoInitialize(nullptr);
    IShellLinkW* link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            if (SUCCEEDED(file->Load(path.c_str(), STGM_READ))) {
                wchar_t text[MAX_PATH] = {};
                int index = 0;
                info.loaded = SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH));
                info.target = Canonical(text);
                text[0] = L'\0';
                link->GetIconLocation(text, MAX_PATH, &index);
                info.icon = text[0] ? Canonical(text) : L"";
            }
            file->Release();
        }
        link->Release();
    }
    if (SUCCEEDED(joined)) {
        CoUninitialize();
    }
    return info;
}

// The documented words, as the user reads them.
std::wstring ClientWord() {
    return Chinese() ? L"客户端" : L"Client";
}
std::wstring ManualWord() {
    return Chinese() ? L"用户使用手册" : L"User Manual";
}
std::wstring UninstallWord() {
    return Chinese() ? L"卸载" : L"Uninstall";
}

class Shortcuts : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = testbed::MakeTempFolder("menu");
        testbed::RemoveAllRecords();
        ClearAll();
    }
    void TearDown() override { ClearAll(); }

    static void ClearAll() {
        for (const auto& name : Entries(Programs())) {
            if (name.rfind(L"Velmora", 0) == 0) {
                SHFILEOPSTRUCTW op = {};
                std::wstring from = Programs() + name + L'\0';
                op.wFunc = FO_DELETE;
                op.pFrom = from.c_str();
                op.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOERRORUI;
                SHFileOperationW(&op);
            }
        }
        for (const auto& name : Entries(Desktop())) {
            DeleteFileW((Desktop() + name).c_str());
        }
    }

    CSetupConfig Config(ProductVariant variant, const std::string& version = "1.11.1.7") const {
        return testbed::MakeConfig(variant, 1, 1, Chinese() ? 1 : 0, "Velmora", version);
    }
    CMenuAndDesk Menu(ProductVariant variant, const std::string& version = "1.11.1.7") const {
        const CSetupConfig config = Config(variant, version);
        return CMenuAndDesk(root_, config, CTextTable(config.uiLanguage));
    }
    std::wstring ClientExe(const std::wstring& product, const std::wstring& client) const {
        return Canonical(Wide(root_, CP_ACP) + L"\\" + product + L"\\" + client +
                         L"\\Client\\Velmora.Framework.C.exe");
    }

    void ExpectMenu(ProductVariant variant, const std::wstring& folder,
                    const std::wstring& shortLabel, const std::wstring& product,
                    const std::wstring& client) const {
        const std::wstring path = Programs() + folder;
        const std::wstring clientLink = folder + L" " + ClientWord() + L".lnk";
        const std::wstring manualLink = shortLabel + L" " + ManualWord() + L".lnk";
        const std::wstring uninstallLink = UninstallWord() + L" " + shortLabel + L".lnk";
        EXPECT_EQ(Entries(path), (std::set<std::wstring>{clientLink, manualLink, uninstallLink}))
            << "edition " << variant;

        const LinkInfo clientInfo = ReadLink(path + L"\\" + clientLink);
        ASSERT_TRUE(clientInfo.loaded);
        EXPECT_EQ(clientInfo.target, ClientExe(product, client));
        EXPECT_EQ(clientInfo.icon, clientInfo.target);

        const LinkInfo manual = ReadLink(path + L"\\" + manualLink);
        ASSERT_TRUE(manual.loaded);
        EXPECT_EQ(manual.target, Canonical(Wide(root_, CP_ACP) + L"\\" + product + L"\\" + client +
                                           L"\\Client\\User Manual.pdf"));
        EXPECT_EQ(manual.icon, L"");

        wchar_t system[MAX_PATH] = {};
        GetSystemDirectoryW(system, MAX_PATH);
        const LinkInfo uninstall = ReadLink(path + L"\\" + uninstallLink);
        ASSERT_TRUE(uninstall.loaded);
        EXPECT_EQ(uninstall.target,
                  Canonical(std::wstring(1, system[0]) + L":\\Program Files (x86)\\" + product +
                            L"\\uninstall.exe"));
        EXPECT_EQ(uninstall.icon, uninstall.target);
    }

    std::string root_;
};

TEST(TextTableForShortcuts, RunsOnThePromisedSystem) {
    EXPECT_EQ(GetSystemDefaultLangID(), testbed::PromisedLanguageId());
    EXPECT_EQ(GetACP(), Chinese() ? 936u : 1252u);
}

TEST_F(Shortcuts, StartMenuOfEditionsFullAcAndSl) {
    Menu(ProductVariant::FULL).CreateStartMenu();
    Menu(ProductVariant::AC).CreateStartMenu();
    Menu(ProductVariant::SL).CreateStartMenu();
    ExpectMenu(ProductVariant::FULL, L"Velmora 1.11.1.7", L"Velmora 1.11.1.7", L"Velmora Site",
               L"Velmora Client");
    ExpectMenu(ProductVariant::AC, L"Velmora AC 1.11.1.7", L"Velmora AC 1.11.1.7", L"Velmora AC",
               L"Velmora AC Client");
    // SL: the folder and the client carry the type, the manual and the uninstaller do not.
    ExpectMenu(ProductVariant::SL, L"Velmora SL 1.11.1.7", L"Velmora 1.11.1.7", L"Velmora SL",
               L"Velmora SL Client");
    EXPECT_TRUE(Entries(Desktop()).empty());
}

TEST_F(Shortcuts, WorkerThreadWithoutComIsLeftWithoutIt) {
    HRESULT afterwards = E_FAIL;
    std::thread worker([&] {
        Menu(ProductVariant::AC).CreateStartMenu();
        afterwards = CoInitialize(nullptr);  // S_OK: the call left no apartment behind
        CoUninitialize();
    });
    worker.join();
    EXPECT_EQ(afterwards, S_OK);
    ExpectMenu(ProductVariant::AC, L"Velmora AC 1.11.1.7", L"Velmora AC 1.11.1.7", L"Velmora AC",
               L"Velmora AC Client");
}

TEST_F(Shortcuts, DesktopShortcutCreatedAndDeleted) {
    const CMenuAndDesk menu = Menu(ProductVariant::AC);
    menu.CreateDesktopShortcut();
    const std::wstring name = L"Velmora AC 1.11.1.7 " + ClientWord() + L".lnk";
    EXPECT_EQ(Entries(Desktop()), (std::set<std::wstring>{name}));
    const LinkInfo info = ReadLink(Desktop() + name);
    ASSERT_TRUE(info.loaded);
    EXPECT_EQ(info.target, ClientExe(L"Velmora AC", L"Velmora AC Client"));
    EXPECT_EQ(info.icon, info.target);

    Menu(ProductVariant::AC, "1.11.1.8").DeleteDesktopShortcut();  // another version's name
    EXPECT_TRUE(Exists(Desktop() + name));
    menu.DeleteDesktopShortcut();
    EXPECT_TRUE(Entries(Desktop()).empty());
}

TEST_F(Shortcuts, RemovalFindsOnlyItsOwnVersion) {
    Menu(ProductVariant::AC, "1.10.0.2").CreateStartMenu();
    Menu(ProductVariant::AC, "1.10.0.2").CreateDesktopShortcut();
    Menu(ProductVariant::AC).CreateStartMenu();
    Menu(ProductVariant::AC).CreateDesktopShortcut();
    testbed::CreateRecord(ProductVariant::AC, {{"DisplayVersion", "1.10.0.2"}});
    const std::wstring oldClient = L"Velmora AC 1.10.0.2 " + ClientWord() + L".lnk";
    const std::wstring newClient = L"Velmora AC 1.11.1.7 " + ClientWord() + L".lnk";

    Menu(ProductVariant::AC).RemoveShortcuts(true);  // the recorded version's entries
    EXPECT_FALSE(Exists(Programs() + L"Velmora AC 1.10.0.2"));
    EXPECT_EQ(Entries(Desktop()), (std::set<std::wstring>{newClient}));
    EXPECT_EQ(Entries(Programs() + L"Velmora AC 1.11.1.7").size(), 3u);

    Menu(ProductVariant::AC, "1.10.0.2").CreateStartMenu();
    Menu(ProductVariant::AC, "1.10.0.2").CreateDesktopShortcut();
    Menu(ProductVariant::AC).RemoveShortcuts(false);  // the package version's entries
    EXPECT_FALSE(Exists(Programs() + L"Velmora AC 1.11.1.7"));
    EXPECT_EQ(Entries(Programs() + L"Velmora AC 1.10.0.2").size(), 3u);
    EXPECT_EQ(Entries(Desktop()), (std::set<std::wstring>{oldClient}));
}

TEST_F(Shortcuts, RemovalUnderTheOtherLanguageMissesTheDesktopShortcut) {
    Menu(ProductVariant::AC).CreateDesktopShortcut();
    const CSetupConfig config = Config(ProductVariant::AC);
    CMenuAndDesk(root_, config,
                 CTextTable(config.uiLanguage == UiLanguage::Chinese ? UiLanguage::English
                                                                     : UiLanguage::Chinese))
        .RemoveShortcuts(false);
    EXPECT_EQ(Entries(Desktop()).size(), 1u);
    Menu(ProductVariant::AC).RemoveShortcuts(false);
    EXPECT_TRUE(Entries(Desktop()).empty());
}

// Creates a legacy entry by the name the old installers gave it: GBK bytes through the ANSI
// functions, which on a Chinese system are the Chinese characters.
void MakeLegacyEntry(const std::wstring& folder, const std::wstring& name, bool isFolder) {
    const std::string path = Narrow(folder, CP_ACP) + Narrow(name, 936);
    if (isFolder) {
        ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path;
        testbed::WriteFile(path + "\\old.lnk", "old");
    } else {
        testbed::WriteFile(path, "old");
    }
    if (Chinese()) {
        EXPECT_TRUE(Exists(folder + name));
    }
}

TEST_F(Shortcuts, LegacyEntriesOfVsAndAc) {
    const std::vector<std::wstring> typed = {L"Velmora AC 客户端.lnk", L"Velmora AC Client.lnk",
                                             L"Velmora AC 服务器.lnk", L"Velmora AC Server.lnk"};
    const std::vector<std::wstring> others = {L"Velmora 3.1 客户端.lnk", L"Velmora VS Client.lnk"};
    MakeLegacyEntry(Programs(), L"Velmora AC", true);
    MakeLegacyEntry(Programs(), L"Velmora 3.1", true);
    for (const auto& name : typed) {
        MakeLegacyEntry(Desktop(), name, false);
    }
    for (const auto& name : others) {
        MakeLegacyEntry(Desktop(), name, false);
    }

    Menu(ProductVariant::AC).RemoveLegacyShortcuts();
    EXPECT_FALSE(Exists(Programs() + L"Velmora AC"));
    EXPECT_TRUE(Exists(Programs() + L"Velmora 3.1"));
    std::set<std::wstring> left;
    for (const auto& name : others) {
        left.insert(Chinese() ? name : Wide(Narrow(name, 936), CP_ACP));
    }
    EXPECT_EQ(Entries(Desktop()), left);
}

TEST_F(Shortcuts, LegacyEntriesOfOtherEditions) {
    const std::vector<std::wstring> old = {L"Velmora 3.1.1 客户端.lnk", L"Velmora 3.1.1 Client.lnk",
                                           L"Velmora 3.1 客户端.lnk",   L"Velmora 3.1 Client.lnk",
                                           L"Velmora 3.1 服务器.lnk",   L"Velmora 3.1 Server.lnk"};
    MakeLegacyEntry(Programs(), L"Velmora 3.1.1", true);
    MakeLegacyEntry(Programs(), L"Velmora 3.1", true);
    MakeLegacyEntry(Programs(), L"Velmora SL", true);
    for (const auto& name : old) {
        MakeLegacyEntry(Desktop(), name, false);
    }
    MakeLegacyEntry(Desktop(), L"Velmora SL Client.lnk", false);

    Menu(ProductVariant::SL).RemoveLegacyShortcuts();
    EXPECT_FALSE(Exists(Programs() + L"Velmora 3.1.1"));
    EXPECT_FALSE(Exists(Programs() + L"Velmora 3.1"));
    EXPECT_TRUE(Exists(Programs() + L"Velmora SL"));
    EXPECT_EQ(Entries(Desktop()), (std::set<std::wstring>{L"Velmora SL Client.lnk"}));
}

}  // namespace
