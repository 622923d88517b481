#include "app/FirstPageRunner.h"

#include "app/InstallContext.h"

void RunFirstPage(const FirstPageChoice& choice) {
    if (choice.page == FirstPage::TipDlg) {
        CInstallContext::Instance().messageKind = choice.messageKind;
    }
    // The wizard pages and message dialogs are run from here as they are built.
}
