#include "app/SetupApp.h"

#include <string>

#include "app/CommandLine.h"
#include "app/FirstPage.h"
#include "app/RunLogSetup.h"
#include "app/UnattendedDecision.h"
#include "app/UnattendedRun.h"
#include "app/WizardHost.h"
#include "base/RunLog.h"
#include "base/TempWorkDir.h"
#include "deploy/DriverQuestion.h"
#include "engine/InstallMode.h"
#include "product/SetupConfig.h"
#include "ui/InstallContext.h"
#include "ui/SharedFonts.h"
#include "ui/SkinDialog.h"
#include "ui/TipDlg.h"

namespace {

// One name for every edition: they share the machine's records and folders.
constexpr char kAtWorkMutexName[] = "Global\\SetupClientAndServer.AtWork";

// On the console of the program that started setup.exe when there is one (a script), else in a
// message box; never in a quiet run's window, since a quiet run has none.
void Tell(const std::string& text, bool quiet, UINT icon) {
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
        DWORD written = 0;
        const std::string line = "\r\n" + text + "\r\n";
        WriteConsoleA(out, line.c_str(), static_cast<DWORD>(line.size()), &written, nullptr);
        FreeConsole();
        return;
    }
    if (!quiet) {
        MessageBoxA(nullptr, text.c_str(), CSetupConfig::Instance().brandName.c_str(),
                    icon | MB_OK);
    }
}

}  // namespace

BOOL CsetupApp::InitInstance() {
    const std::string commandLine = GetCommandLineA();
    const CCommandLine line = ParseCommandLine(ArgumentsOf(commandLine));
    const CSetupConfig& config = CSetupConfig::Instance();
    StartRunLog(line, commandLine, config);
    const bool quiet = line.uiLevel == UiLevel::Quiet;
    const bool unattended = line.uiLevel != UiLevel::Full;
    if (!line.error.empty()) {
        SetUp::LogLine("bad command line: " + line.error + "; nothing is changed");
        Tell(line.error + "\n\n" + UsageText(), quiet, MB_ICONERROR);
        exitCode_ = EndRun(kExitBadCommandLine);
        return FALSE;
    }
    if (line.help) {
        Tell(UsageText(), quiet, MB_ICONINFORMATION);
        exitCode_ = EndRun(kExitSuccess);
        return FALSE;
    }
    atWork_.Reset(CreateMutexA(nullptr, FALSE, kAtWorkMutexName));
    if (unattended && GetLastError() == ERROR_ALREADY_EXISTS) {
        // The wizard asks nobody about it; without a person the run must not wait or interfere.
        SetUp::LogLine("another copy of setup is at work (message 15); nothing is changed");
        exitCode_ = EndRun(kExitInUse);
        return FALSE;
    }
    if (!quiet) {
        // Decoded while the program looks at the machine and builds the first page.
        DecodePageLookAhead();
        CreateSharedFonts();
    }
    // Nothing is written or run before the private working folder exists and is safe.
    if (SetUp::PrepareTempWorkDir() != SetUp::TempWorkDirState::Ready) {
        SetUp::LogLine("the working folder is not safe (message 19); nothing is changed");
        exitCode_ = unattended ? EndRun(kExitFailed)
                               : RunWizard({WizardPage::TipDlg, MessageKind::UnsafeWorkFolder});
        return FALSE;
    }
    CInstallMode mode;
    mode.Detect(config);
    CInstallContext& context = CInstallContext::Instance();
    context.installType = mode.installType;
    if (unattended) {
        exitCode_ = EndRun(RunUnattended(line, config, mode));
        return FALSE;
    }
    // The driver question runs on the engine's worker thread, with its kind and process name
    // handed over directly; OK (1) lets the step run the detector again.
    SetUp::SetDriverQuestion([](MessageKind kind, const std::string& processName) {
        CTipCertainDlg question(kind, processName);
        return question.DoModal() == 1;
    });
    const FirstPageChoice choice =
        ChooseFirstPage(mode.installType, config, [&config] { return IsSameEdition(config); });
    context.lastRunInterrupted = mode.interrupted;
    // Told only where the page that mends it opens: maintenance (Repair chosen) or the upgrade.
    if (mode.interrupted &&
        (choice.page == WizardPage::SecondInstallDlg || choice.page == WizardPage::UpdataDlg)) {
        SetUp::LogLine("the last run was interrupted (message 20): the wizard proposes to mend it");
        CTipDlg message(MessageKind::LastRunInterrupted);
        message.DoModal();
    }
    exitCode_ = RunWizard(choice);
    return FALSE;
}
