#pragma once
// The parts of a program file: code, data, debug sections and resources, the payload (the ZIP,
// EXE and BAT resources) apart from the user interface's, from the file's section table.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/Handles.h"

namespace BenchImage {

inline BOOL CALLBACK AddResourceSize(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR total) {
    HRSRC found = FindResourceA(module, name, type);
    if (found != nullptr) {
        *reinterpret_cast<double*>(total) += SizeofResource(module, found);
    }
    return TRUE;
}

inline double PayloadBytes(const std::string& path) {
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (module == nullptr) {
        return 0;
    }
    double total = 0;
    for (const char* type : {"ZIP", "EXE", "BAT"}) {
        EnumResourceNamesA(module, type, AddResourceSize, reinterpret_cast<LONG_PTR>(&total));
    }
    FreeLibrary(module);
    return total;
}

}  // namespace BenchImage

inline void PrintImageParts(const std::string& path) {
    SetUp::CFileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, 0, nullptr));
    std::vector<char> head(64 * 1024);
    DWORD read = 0;
    if (!file ||
        !ReadFile(file.Get(), head.data(), static_cast<DWORD>(head.size()), &read, nullptr)) {
        std::printf("%s: cannot be read\n", path.c_str());
        return;
    }
    LARGE_INTEGER fileSize{};
    GetFileSizeEx(file.Get(), &fileSize);
    IMAGE_DOS_HEADER dos;
    std::memcpy(&dos, head.data(), sizeof(dos));
    IMAGE_NT_HEADERS nt;
    std::memcpy(&nt, head.data() + dos.e_lfanew, sizeof(nt));
    const char* table = head.data() + dos.e_lfanew + offsetof(IMAGE_NT_HEADERS, OptionalHeader) +
                        nt.FileHeader.SizeOfOptionalHeader;
    double code = 0;
    double data = nt.OptionalHeader.SizeOfHeaders;
    double debug = 0;
    double resources = 0;
    for (int i = 0; i < nt.FileHeader.NumberOfSections; ++i) {
        IMAGE_SECTION_HEADER section;
        std::memcpy(&section, table + i * sizeof(section), sizeof(section));
        const std::string name(reinterpret_cast<const char*>(section.Name),
                               strnlen(reinterpret_cast<const char*>(section.Name), 8));
        const double bytes = section.SizeOfRawData;
        // Long names ("/4") live in the symbol string table: only the DWARF sections have them.
        if (name.rfind(".debug", 0) == 0 || name.rfind("/", 0) == 0) {
            debug += bytes;
        } else if (name == ".rsrc") {
            resources += bytes;
        } else if (section.Characteristics & IMAGE_SCN_CNT_CODE) {
            code += bytes;
        } else {
            data += bytes;
        }
    }
    const double payload = BenchImage::PayloadBytes(path);
    const double kb = 1024.0;
    const double total = static_cast<double>(fileSize.QuadPart);
    std::printf("image %s\n", path.c_str());
    std::printf("  file alignment %lu, section alignment %lu\n",
                static_cast<unsigned long>(nt.OptionalHeader.FileAlignment),
                static_cast<unsigned long>(nt.OptionalHeader.SectionAlignment));
    std::printf("  code                       %9.1f KB\n", code / kb);
    std::printf("  data (and headers)         %9.1f KB\n", data / kb);
    std::printf("  debug sections             %9.1f KB\n", debug / kb);
    std::printf("  resources of the interface %9.1f KB\n", (resources - payload) / kb);
    std::printf("  payload resources          %9.1f KB\n", payload / kb);
    std::printf("  file                       %9.1f KB (%.1f KB without the payload)\n", total / kb,
                (total - payload) / kb);
}
