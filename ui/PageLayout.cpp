#include "ui/PageLayout.h"

const PageRect* ChooseRect(const LayoutRow& row, UiLanguage language, int32_t brandType) {
    switch (row.by) {
        case LayoutBy::Fixed:
            return &row.rects[0];
        case LayoutBy::Language:
            if (language == UiLanguage::English || language == UiLanguage::Chinese) {
                return &row.rects[language == UiLanguage::Chinese ? 1 : 0];
            }
            return nullptr;
        case LayoutBy::BrandType:
            if (brandType == 0 || brandType == 1) {
                return &row.rects[brandType];
            }
            return nullptr;
    }
    return nullptr;
}
