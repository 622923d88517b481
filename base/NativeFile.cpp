#include "base/NativeFile.h"

#include <vector>

namespace SetUp {

NtCreateFileFunction NtCreateFileEntry() {
    static const NtCreateFileFunction function = reinterpret_cast<NtCreateFileFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtCreateFile")));
    return function;
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
