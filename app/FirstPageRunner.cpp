#include "app/FirstPageRunner.h"

#include "ui/InstallContext.h"
#include "ui/TipDlg.h"
#include "ui/pages/FeaturePages.h"
#include "ui/pages/SecondInstallDlg.h"
#include "ui/pages/StartACDlg.h"
#include "ui/pages/StartDlg.h"
#include "ui/pages/UpdataDlg.h"

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
            RunFeaturePage(FeaturePageKind::Full);
            break;
        case FirstPage::ComponentFullEDlg:
            RunFeaturePage(FeaturePageKind::FullE);
            break;
        case FirstPage::ComponentVSDlg:
            RunFeaturePage(FeaturePageKind::VS);
            break;
        case FirstPage::SecondInstallDlg: {
            CSecondInstallDlg page(false);
            page.DoModal();
            break;
        }
        case FirstPage::UpdataDlg: {
            CUpdataDlg page;
            page.DoModal();
            break;
        }
        case FirstPage::None:
            break;
    }
}
