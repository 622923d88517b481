#include "ui/pages/FeaturePages.h"

#include "ui/pages/ComponentFullDlg.h"
#include "ui/pages/ComponentFullEDlg.h"
#include "ui/pages/ComponentVSDlg.h"

FeaturePageKind FeaturePageFor(ProductVariant variant, UiLanguage language) {
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

void RunFeaturePage(FeaturePageKind kind) {
    switch (kind) {
        case FeaturePageKind::Full: {
            CComponentFullDlg page;
            page.DoModal();
            break;
        }
        case FeaturePageKind::FullE: {
            CComponentFullEDlg page;
            page.DoModal();
            break;
        }
        case FeaturePageKind::VS: {
            CComponentVSDlg page;
            page.DoModal();
            break;
        }
        case FeaturePageKind::None:
            break;
    }
}
