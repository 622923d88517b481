#include "base/ChildEnvironment.h"

#include <windows.h>

#include "base/NativeFile.h"

namespace SetUp {

namespace {

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

}  // namespace

std::vector<wchar_t> EnvironmentWithTempFolder(const std::string& folder) {
    std::wstring path = Wide(folder);
    while (path.size() > 3 && path.back() == L'\\') {
        path.pop_back();
    }
    if (path.empty()) {
        return {};
    }
    std::vector<wchar_t> block;
    wchar_t* strings = GetEnvironmentStringsW();
    for (const wchar_t* entry = strings; entry != nullptr && *entry != L'\0';
         entry += wcslen(entry) + 1) {
        if (!NamesTemp(entry)) {
            Append(&block, entry);
        }
    }
    if (strings != nullptr) {
        FreeEnvironmentStringsW(strings);
    }
    Append(&block, L"TEMP=" + path);
    Append(&block, L"TMP=" + path);
    block.push_back(L'\0');
    return block;
}

}  // namespace SetUp
