#pragma once
// The start page of the editions that choose features (FULL, VS, SC, DP): licence and Next.
#include <cstdint>

#include "ui/MyButton.h"
#include "ui/SkinDialog.h"
#include "ui/pages/LicenceLine.h"

class CStartDlg : public CSkinDlg {
public:
    // accepted: the box is ticked on arrival (a feature page's Previous brings it back ticked).
    explicit CStartDlg(bool accepted);

    // The brand type of the last start page made; the feature pages offer Previous by it.
    static int32_t LastBrandType();

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    void UpdateNextButton();
    void Next();

    bool accepted_;
    CMyButton next_;
    CLicenceLine licence_;
};
