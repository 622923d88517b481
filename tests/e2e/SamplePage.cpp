#include "SamplePage.h"

#include <commctrl.h>

#include "base/StringUtil.h"
#include "product/TextTable.h"
#include "ui/SharedFonts.h"

BOOL CSamplePage::OnInitDialog() {
    SetUpWindow();
    const CTextTable& texts = CTextTable::Instance();
    SetUpHeader(FormatString(texts.GetText("installguide"), Settings().brandName.c_str()));
    PlaceControl(IDC_LOWER_PANEL, 0, 368, 720, 152);

    const SharedFonts& fonts = GetSharedFonts();
    primary_.Attach(Handle(), kSamplePrimary);
    SetControlFont(kSamplePrimary, fonts.boldText);
    SetControlText(kSamplePrimary, texts.GetText("install"));
    PlaceControl(kSamplePrimary, 600, 460, 96, 32);

    secondary_.Attach(Handle(), kSampleSecondary);
    secondary_.SetStyle(kSecondaryButton);
    SetControlFont(kSampleSecondary, fonts.boldText);
    SetControlText(kSampleSecondary, texts.GetText("laststep"));
    PlaceControl(kSampleSecondary, 488, 460, 96, 32);

    link_.Attach(Handle(), kSampleLink);
    SetControlFont(kSampleLink, fonts.text);
    SetControlText(kSampleLink, texts.GetText("diskspace"));
    PlaceControl(kSampleLink, 24, 468, 120, 24);

    progress_.Attach(Handle(), kSampleProgress);
    SendMessageA(progress_.Handle(), PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    PlaceControl(kSampleProgress, 24, 400, 672, 12);

    check_.Attach(Handle(), kSampleCheck);
    check_.SetBitmaps(340, 342, 341);
    PlaceControl(kSampleCheck, 24, 428, 24, 24);
    SetControlFont(kSampleLabel, fonts.text);
    SetControlText(kSampleLabel, texts.GetText("folder"));
    PlaceControl(kSampleLabel, 56, 430, 250, 20);
    SetTextColours({}, {kSampleLabel});
    RepaintAll();
    return TRUE;
}

bool CSamplePage::OnCommand(int id, int code, HWND control) {
    if (id == kSamplePrimary) {
        EndDialog(IDOK);
        return true;
    }
    if (id == kSampleSecondary) {
        // The hand-over: end this page, run a new one from inside the handler.
        CSamplePage previous(Settings());
        EndDialog(IDCANCEL);
        previous.DoModal();
        return true;
    }
    return CSkinDlg::OnCommand(id, code, control);
}
