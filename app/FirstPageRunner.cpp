#include "app/FirstPageRunner.h"

#include "ui/InstallContext.h"
#include "ui/TipDlg.h"
#include "ui/pages/StartACDlg.h"
#include "ui/pages/StartDlg.h"

void RunFirstPage(const FirstPageChoice& choice) {
    switch (choice.page) {
        case FirstPage::TipDlg: {
            // The dialog takes its kind when it is constructed.
            CInstallContext::Instance().messageKind = choice.messageKind;
            CTipDlg dialog;
            dialog.DoModal();
            break;
        }
        case FirstPage::StartDlg: {
            CStartDlg page(false);
            page.DoModal();
            break;
        }
        case FirstPage::StartACDlg: {
            CStartACDlg page;
            page.DoModal();
            break;
        }
        case FirstPage::ComponentFullDlg:
        case FirstPage::ComponentFullEDlg:
        case FirstPage::ComponentVSDlg:
        case FirstPage::SecondInstallDlg:
        case FirstPage::UpdataDlg:
            // Each page is run from here by the work that builds it.
            break;
        case FirstPage::None:
            break;
    }
}
