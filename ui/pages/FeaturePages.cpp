#include "ui/pages/FeaturePages.h"

FeaturePageKind FeaturePageFor(ProductVariant variant, UiLanguage language) {
    if (!EditionChoosesFeatures(variant)) {
        return FeaturePageKind::None;
    }
    switch (variant) {
        case ProductVariant::FULL:
            return language == UiLanguage::Chinese ? FeaturePageKind::Full : FeaturePageKind::FullE;
        case ProductVariant::VS:
        case ProductVariant::SC:
        case ProductVariant::DP:
            return FeaturePageKind::VS;
        default:
            return FeaturePageKind::None;
    }
}
