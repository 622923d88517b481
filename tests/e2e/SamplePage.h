#pragma once
// A page of the wizard's frame with one of each skinned control, for the scenarios.
#include "ui/ButtonST.h"
#include "ui/MyButton.h"
#include "ui/MyProgress.h"
#include "ui/MyTextButton.h"
#include "ui/SkinDialog.h"

enum SamplePageControl : int {
    kSampleTemplate = 9001,
    kSamplePrimary = 1120,
    kSampleSecondary = 1121,
    kSampleLink = 1122,
    kSampleProgress = 1123,
    kSampleCheck = 1124,
    kSampleLabel = 1125,
};

class CSamplePage : public CSkinDlg {
public:
    explicit CSamplePage(const PageSettings& settings)
        : CSkinDlg(kSampleTemplate, SkinKind::Page, settings) {}

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    CMyButton primary_;
    CMyButton secondary_;
    CMyTextButton link_;
    CMyProgress progress_;
    CButtonST check_;
};
