#pragma once
// A page's controls as data: where each one sits, what it says, in which font and colour. The
// rows are resources beside the dialog templates (type PAGELAYOUT, see product/ResourceIds.h),
// the one place a control's position is stated; one routine of the frame applies them, so a
// page's code is only its behaviour.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/TableView.h"
#include "product/SetupConfig.h"

struct PageRect {
    int x;
    int y;
    int width;
    int height;
};

// What picks between a row's two rectangles.
enum class LayoutBy {
    Fixed,      // one rectangle
    Language,   // English, then Chinese
    BrandType,  // brand type 0, then 1
};

enum class LayoutFont { None, Title, Bold, Text };
enum class LayoutColour { Default, White, Grey };

struct LayoutRow {
    int id;
    LayoutBy by;
    PageRect rects[2];
    const char* textKey;  // nullptr: the page sets the text itself
    LayoutFont font;
    LayoutColour colour;
    bool withBrandName;  // the text is a format with the brand name in its placeholder
};

using PageLayout = CTableView<LayoutRow>;

// The rows of the layout resource; read once and kept for the program's life. An absent or
// damaged resource gives the rows read up to the damage (none when absent).
PageLayout LoadPageLayout(int layoutId);

// The rows of a layout resource's bytes, in order; what cannot be read whole ends the list, and
// *whole (when given) says whether every byte was read.
std::vector<LayoutRow> ParsePageLayout(const unsigned char* bytes, size_t size,
                                       bool* whole = nullptr);

// The rectangle of a row for a page's language and brand type. A value the row does not know
// takes the first rectangle (English, brand type 0).
const PageRect& ChooseRect(const LayoutRow& row, UiLanguage language, int32_t brandType);
