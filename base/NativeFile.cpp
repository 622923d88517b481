#include "base/NativeFile.h"

#include <vector>

namespace SetUp {

namespace {

using NtCreateFileFunction = LONG(NTAPI*)(HANDLE*, ACCESS_MASK, OBJECT_ATTRIBUTES*,
                                          IO_STATUS_BLOCK*, LARGE_INTEGER*, ULONG, ULONG, ULONG,
                                          ULONG, void*, ULONG);

// NtCreateFile from ntdll; null when it cannot be found.
NtCreateFileFunction NtCreateFileEntry() {
    static const NtCreateFileFunction function = reinterpret_cast<NtCreateFileFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtCreateFile")));
    return function;
}

}  // namespace

LONG NativeCreate(const std::wstring& name, const CNativeOpen& open, HANDLE* handle) {
    constexpr LONG kProcedureNotFound = static_cast<LONG>(0xC000007A);
    *handle = nullptr;
    const NtCreateFileFunction create = NtCreateFileEntry();
    if (create == nullptr) {
        return kProcedureNotFound;
    }
    UNICODE_STRING text{};
    text.Buffer = const_cast<wchar_t*>(name.c_str());
    text.Length = static_cast<USHORT>(name.size() * sizeof(wchar_t));
    text.MaximumLength = text.Length;
    OBJECT_ATTRIBUTES attributes{};
    InitializeObjectAttributes(&attributes, &text, OBJ_CASE_INSENSITIVE, open.root,
                               open.descriptor);
    IO_STATUS_BLOCK io{};
    const LONG status = create(handle, open.access, &attributes, &io, nullptr, open.attributes,
                               open.share, open.disposition, open.options, nullptr, 0);
    if (status < 0) {
        *handle = nullptr;
    }
    return status;
}

std::wstring Wide(const std::string& text) {
    const int size = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring result(size > 0 ? size : 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &result[0], size);
    result.resize(result.size() - 1);
    return result;
}

std::wstring FinalPath(HANDLE object) {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD size =
            GetFinalPathNameByHandleW(object, buffer.data(), static_cast<DWORD>(buffer.size()), 0);
        if (size == 0) {
            return L"";
        }
        if (size < buffer.size()) {
            std::wstring path(buffer.data(), size);
            while (!path.empty() && path.back() == L'\\') {
                path.pop_back();
            }
            return path;
        }
        buffer.resize(size + 1);
    }
}

}  // namespace SetUp
