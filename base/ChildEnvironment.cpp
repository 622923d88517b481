#include "base/ChildEnvironment.h"

#include <windows.h>

#include "base/LateBound.h"
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

// A null token gives the system's variables.
std::vector<std::wstring> VariablesOf(HANDLE token) {
    void* block = nullptr;
    if (!LateBound::CreateEnvironmentBlock(&block, token, FALSE)) {
        return {};
    }
    std::vector<std::wstring> variables;
    for (const wchar_t* entry = static_cast<const wchar_t*>(block); *entry != L'\0';
         entry += wcslen(entry) + 1) {
        variables.emplace_back(entry);
    }
    LateBound::DestroyEnvironmentBlock(block);
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
