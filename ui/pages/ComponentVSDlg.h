#pragma once
// The feature page of editions VS (six rows), SC and DP (three rows).
#include "ui/pages/FeaturePage.h"

class CComponentVSDlg : public CFeaturePage {
public:
    CComponentVSDlg();
    static const FeaturePageTable& Table(ProductVariant variant);
};
