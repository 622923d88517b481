#include "base/ChildEnvironment.h"

#include <windows.h>

#include "base/Handles.h"
#include "base/NativeFile.h"
#include "base/SystemInfo.h"

namespace SetUp {

namespace {

using CreateBlockFunction = BOOL(WINAPI*)(void**, HANDLE, BOOL);
using DestroyBlockFunction = BOOL(WINAPI*)(void*);

bool NamesTemp(const std::wstring& entry) {
    const size_t equals = entry.find(L'=', 1);
    if (equals == std::wstring::npos) {
        return false;
    }
    const std::wstring name = entry.substr(0, equals);
    return CompareStringOrdinal(name.c_str(), -1, L"TMP", -1, TRUE) == CSTR_EQUAL ||
           CompareStringOrdinal(name.c_str(), -1, L"TEMP", -1, TRUE) == CSTR_EQUAL;
}

void Append(std::vector<wchar_t>* block, const std::wstring& entry) {
    block->insert(block->end(), entry.begin(), entry.end());
    block->push_back(L'\0');
}

// userenv is no known library: imported, it would be looked for beside setup.exe first. Loaded
// here by its full path in the system folder instead. A null token gives the system's variables.
std::vector<std::wstring> VariablesOf(HANDLE token) {
    const std::wstring path = Wide(SystemDirectory() + "\\userenv.dll");
    CLibrary library(LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
    if (!library) {
        return {};
    }
    const auto create = reinterpret_cast<CreateBlockFunction>(
        reinterpret_cast<void*>(GetProcAddress(library.Get(), "CreateEnvironmentBlock")));
    const auto destroy = reinterpret_cast<DestroyBlockFunction>(
        reinterpret_cast<void*>(GetProcAddress(library.Get(), "DestroyEnvironmentBlock")));
    void* block = nullptr;
    if (create == nullptr || destroy == nullptr || !create(&block, token, FALSE)) {
        return {};
    }
    std::vector<std::wstring> variables;
    for (const wchar_t* entry = static_cast<const wchar_t*>(block); *entry != L'\0';
         entry += wcslen(entry) + 1) {
        variables.emplace_back(entry);
    }
    destroy(block);
    return variables;
}

}  // namespace

std::vector<wchar_t> ChildEnvironment(const std::string& tempFolder) {
    std::wstring temp = Wide(tempFolder);
    while (temp.size() > 3 && temp.back() == L'\\') {
        temp.pop_back();
    }
    const std::vector<std::wstring> variables = VariablesOf(nullptr);
    if (variables.empty()) {
        return {};
    }
    std::vector<wchar_t> block;
    for (const std::wstring& entry : variables) {
        if (temp.empty() || !NamesTemp(entry)) {
            Append(&block, entry);
        }
    }
    if (!temp.empty()) {
        Append(&block, L"TEMP=" + temp);
        Append(&block, L"TMP=" + temp);
    }
    block.push_back(L'\0');
    return block;
}

std::vector<wchar_t> UserEnvironment(HANDLE token) {
    std::vector<wchar_t> block;
    for (const std::wstring& entry : VariablesOf(token)) {
        Append(&block, entry);
    }
    if (!block.empty()) {
        block.push_back(L'\0');
    }
    return block;
}

}  // namespace SetUp
