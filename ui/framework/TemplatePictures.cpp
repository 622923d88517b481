#include "ui/framework/TemplatePictures.h"

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace {

constexpr uint16_t kExtendedSignature = 0xFFFF;
constexpr uint16_t kNumberMark = 0xFFFF;
constexpr uint16_t kStaticClass = 0x0082;

// Reads a template front to back: words, double words, and names that are a number or a
// UTF-16 text ending in 0, each control starting on a four-byte boundary.
class CTemplateReader {
public:
    CTemplateReader(const unsigned char* bytes, size_t size) : bytes_(bytes), size_(size) {}

    bool Word(uint16_t* value) { return Read(value, sizeof(*value)); }
    bool Dword(uint32_t* value) { return Read(value, sizeof(*value)); }
    bool Skip(size_t count) {
        if (size_ - offset_ < count) {
            return false;
        }
        offset_ += count;
        return true;
    }
    bool AlignToDword() { return Skip((4 - offset_ % 4) % 4); }
    // A name: *number is the number, or -1 for a text (*text, when asked, tells whether it is
    // "Static", the one text this reader needs to know).
    bool Name(int* number, bool* isStatic = nullptr) {
        uint16_t first = 0;
        *number = -1;
        if (isStatic != nullptr) {
            *isStatic = false;
        }
        if (!Word(&first)) {
            return false;
        }
        if (first == kNumberMark) {
            uint16_t value = 0;
            if (!Word(&value)) {
                return false;
            }
            *number = value;
            return true;
        }
        std::wstring text;
        for (uint16_t unit = first; unit != 0;) {
            text += static_cast<wchar_t>(unit);
            if (!Word(&unit)) {
                return false;
            }
        }
        if (isStatic != nullptr) {
            *isStatic = lstrcmpiW(text.c_str(), L"Static") == 0;
        }
        return true;
    }

private:
    bool Read(void* value, size_t count) {
        if (size_ - offset_ < count) {
            return false;
        }
        std::memcpy(value, bytes_ + offset_, count);
        offset_ += count;
        return true;
    }

    const unsigned char* bytes_;
    size_t size_;
    size_t offset_ = 0;
};

// The header up to the first control; *count is the number of controls.
bool ReadHeader(CTemplateReader& reader, uint16_t* count) {
    uint16_t version = 0;
    uint16_t signature = 0;
    uint32_t style = 0;
    int name = 0;
    if (!reader.Word(&version) || !reader.Word(&signature) || signature != kExtendedSignature ||
        !reader.Skip(8) || !reader.Dword(&style) || !reader.Word(count) || !reader.Skip(8) ||
        !reader.Name(&name) || !reader.Name(&name) || !reader.Name(&name)) {
        return false;
    }
    // Point size, weight, italic, character set and typeface.
    return (style & DS_SETFONT) == 0 || (reader.Skip(6) && reader.Name(&name));
}

bool ReadControl(CTemplateReader& reader, std::vector<CTemplatePicture>* pictures) {
    uint32_t style = 0;
    uint32_t id = 0;
    int className = 0;
    bool isStatic = false;
    int title = 0;
    uint16_t extra = 0;
    if (!reader.AlignToDword() || !reader.Skip(8) || !reader.Dword(&style) || !reader.Skip(8) ||
        !reader.Dword(&id) || !reader.Name(&className, &isStatic) || !reader.Name(&title) ||
        !reader.Word(&extra) || !reader.Skip(extra)) {
        return false;
    }
    if ((isStatic || className == kStaticClass) && (style & SS_TYPEMASK) == SS_BITMAP &&
        title >= 0) {
        pictures->push_back({static_cast<int>(id), title});
    }
    return true;
}

}  // namespace

std::vector<CTemplatePicture> ReadTemplatePictures(const void* bytes, size_t size, bool* whole) {
    std::vector<CTemplatePicture> pictures;
    CTemplateReader reader(static_cast<const unsigned char*>(bytes), bytes ? size : 0);
    uint16_t count = 0;
    bool readable = ReadHeader(reader, &count);
    for (uint16_t control = 0; readable && control < count; ++control) {
        readable = ReadControl(reader, &pictures);
    }
    if (whole != nullptr) {
        *whole = readable;
    }
    return pictures;
}

std::vector<CTemplatePicture> TemplatePictures(int templateId) {
    HRSRC resource = FindResourceA(nullptr, MAKEINTRESOURCEA(templateId), RT_DIALOG);
    HGLOBAL handle = resource ? LoadResource(nullptr, resource) : nullptr;
    const void* bytes = handle ? LockResource(handle) : nullptr;
    if (bytes == nullptr) {
        return {};
    }
    return ReadTemplatePictures(bytes, SizeofResource(nullptr, resource));
}
