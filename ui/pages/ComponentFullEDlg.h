#pragma once
// The feature page of edition FULL in English: nine rows, Access Control a row of its own that
// Attendance locks.
#include "ui/pages/FeaturePage.h"

class CComponentFullEDlg : public CFeaturePage {
public:
    CComponentFullEDlg();
    static const FeaturePageTable& Table();
};
