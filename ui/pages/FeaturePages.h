#pragma once
// Which feature page an edition shows: the start page, the maintenance page, the upgrade page and
// the first page all lead to "the feature page of this edition".
#include "product/SetupConfig.h"

enum class FeaturePageKind {
    None,   // AC and SL choose no features
    Full,   // CComponentFullDlg: FULL in Chinese
    FullE,  // CComponentFullEDlg: FULL in English
    VS,     // CComponentVSDlg: VS, SC and DP
};

FeaturePageKind FeaturePageFor(ProductVariant variant, UiLanguage language);
