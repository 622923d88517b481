#pragma once
// The feature page of edition FULL in Chinese: ten rows, the basic one with Access Control.
#include "ui/pages/FeaturePage.h"

class CComponentFullDlg : public CFeaturePage {
public:
    CComponentFullDlg();
    static const FeaturePageTable& Table();
};
