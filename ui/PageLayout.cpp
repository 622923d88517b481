#include "ui/PageLayout.h"

#include <windows.h>

#include <cstring>
#include <map>
#include <mutex>
#include <vector>

#include "product/ResourceIds.h"

namespace {

const char kLayoutType[] = "PAGELAYOUT";

// Reads the layout's bytes front to back; every number is a 16-bit word, unaligned after a text.
class CLayoutReader {
public:
    CLayoutReader(const unsigned char* bytes, size_t size) : bytes_(bytes), size_(size) {}

    bool AtEnd() const { return offset_ == size_; }
    bool Word(int* value) {
        if (size_ - offset_ < 2) {
            return false;
        }
        uint16_t word = 0;
        std::memcpy(&word, bytes_ + offset_, sizeof(word));
        offset_ += 2;
        *value = static_cast<int16_t>(word);
        return true;
    }
    bool Rect(PageRect* rect) {
        return Word(&rect->x) && Word(&rect->y) && Word(&rect->width) && Word(&rect->height);
    }
    // The text up to its \0; nullptr for the empty text.
    bool Text(const char** text) {
        const void* end = std::memchr(bytes_ + offset_, 0, size_ - offset_);
        if (end == nullptr) {
            return false;
        }
        const char* start = reinterpret_cast<const char*>(bytes_ + offset_);
        *text = *start == '\0' ? nullptr : start;
        offset_ = static_cast<const unsigned char*>(end) - bytes_ + 1;
        return true;
    }

private:
    const unsigned char* bytes_;
    size_t size_;
    size_t offset_ = 0;
};

bool ReadRow(CLayoutReader& reader, LayoutRow* row) {
    int by = 0;
    int font = 0;
    int colour = 0;
    int brandText = 0;
    if (!reader.Word(&row->id) || !reader.Word(&by) || by < LAYOUT_FIXED ||
        by > LAYOUT_BY_BRAND_TYPE || !reader.Rect(&row->rects[0])) {
        return false;
    }
    row->by = static_cast<LayoutBy>(by);
    row->rects[1] = row->rects[0];
    if (by != LAYOUT_FIXED && !reader.Rect(&row->rects[1])) {
        return false;
    }
    if (!reader.Word(&font) || !reader.Word(&colour) || !reader.Word(&brandText) ||
        font < LAYOUT_NO_FONT || font > LAYOUT_TEXT_FONT || colour < LAYOUT_DEFAULT_COLOUR ||
        colour > LAYOUT_GREY || !reader.Text(&row->textKey)) {
        return false;
    }
    row->font = static_cast<LayoutFont>(font);
    row->colour = static_cast<LayoutColour>(colour);
    row->withBrandName = brandText == LAYOUT_BRAND_TEXT;
    return true;
}

}  // namespace

std::vector<LayoutRow> ParsePageLayout(const unsigned char* bytes, size_t size, bool* whole) {
    std::vector<LayoutRow> rows;
    CLayoutReader reader(bytes, size);
    LayoutRow row{};
    bool readable = true;
    while (readable && !reader.AtEnd()) {
        readable = ReadRow(reader, &row);
        if (readable) {
            rows.push_back(row);
        }
    }
    if (whole != nullptr) {
        *whole = readable;
    }
    return rows;
}

PageLayout LoadPageLayout(int layoutId) {
    // The rows point into the program's mapped resources; both live as long as the program.
    static std::mutex mutex;
    static auto* loaded = new std::map<int, std::vector<LayoutRow>>();
    std::lock_guard<std::mutex> lock(mutex);
    auto found = loaded->find(layoutId);
    if (found == loaded->end()) {
        HRSRC resource = FindResourceA(nullptr, MAKEINTRESOURCEA(layoutId), kLayoutType);
        HGLOBAL handle = resource ? LoadResource(nullptr, resource) : nullptr;
        const auto* bytes =
            handle ? static_cast<const unsigned char*>(LockResource(handle)) : nullptr;
        std::vector<LayoutRow> rows;
        if (bytes != nullptr) {
            rows = ParsePageLayout(bytes, SizeofResource(nullptr, resource));
        }
        found = loaded->emplace(layoutId, std::move(rows)).first;
    }
    return PageLayout(found->second.data(), found->second.size());
}

const PageRect& ChooseRect(const LayoutRow& row, UiLanguage language, int32_t brandType) {
    switch (row.by) {
        case LayoutBy::Language:
            return row.rects[language == UiLanguage::Chinese ? 1 : 0];
        case LayoutBy::BrandType:
            return row.rects[brandType == 1 ? 1 : 0];
        default:
            return row.rects[0];
    }
}
