#pragma once
// A page's controls as data: where each one sits, what it says, in which font and colour. One
// routine of the frame applies a table, so a page's code is only its behaviour.
#include <cstdint>

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

// The rectangle of a row for a page's language and brand type; nullptr when the page's value is
// neither of the two the row knows, and the control then stays where its template puts it.
const PageRect* ChooseRect(const LayoutRow& row, UiLanguage language, int32_t brandType);
