// Shows one message dialog, the sample page, the licence page or the disk-space dialog, for the
// scenarios to drive:
//   uihost tip KIND | certain KIND [PROCESS] | page BRANDTYPE | license ACCEPTED | uninstall
//          | diskspace REQUIREDMB
// The exit code is the dialog's result; the sample page's confirmed close and the removal pages
// end with the wizard's exit code.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "SamplePage.h"
#include "app/WizardHost.h"
#include "deploy/NpfDriver.h"
#include "ui/InstallContext.h"
#include "ui/PageOutcome.h"
#include "ui/SharedFonts.h"
#include "ui/TipDlg.h"
#include "ui/TipMessage.h"
#include "ui/pages/DiskSpaceDlg.h"
#include "ui/pages/LicenseDlg.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    CreateSharedFonts();
    const std::string what = __argc > 1 ? __argv[1] : "";
    const int number = __argc > 2 ? std::atoi(__argv[2]) : 0;
    const auto kind = static_cast<MessageKind>(number);
    if (what == "tip") {
        CTipDlg dialog(kind);
        return static_cast<int>(dialog.DoModal());
    }
    if (what == "certain" && __argc > 3) {
        // The driver question: the engine hands over the first process the detector names.
        CTipCertainDlg dialog(kind, SetUp::OccupyingProcessName(__argv[3]));
        return static_cast<int>(dialog.DoModal());
    }
    if (what == "certain") {
        CTipCertainDlg dialog(kind);
        return static_cast<int>(dialog.DoModal());
    }
    if (what == "uninstall") {
        // The removal pages on whatever this machine has installed, through the wizard's host.
        return RunWizard({WizardPage::UninstallingDlg});
    }
    if (what == "page") {
        PageSettings settings = PageSettings::FromConfig();
        settings.brandType = number;
        settings.logoId = IDB_LOGO_AC;
        CSamplePage page(settings);
        const INT_PTR result = page.DoModal();
        // A confirmed close ends the run as the wizard's host ends it, with exit code 0.
        return result == PageResult(PageOutcome::Closed) ? 0 : static_cast<int>(result);
    }
    if (what == "license") {
        CLicenseDlg dialog(number);
        return static_cast<int>(dialog.DoModal());
    }
    if (what == "diskspace") {
        CInstallContext::Instance().requiredSpaceMb = number;
        CDiskSpaceDlg dialog;
        return static_cast<int>(dialog.DoModal());
    }
    return 100;
}
