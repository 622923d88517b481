// The steps of the install engine's procedures, run on its worker thread.
#include <windows.h>

#include <algorithm>

#include "deploy/NpfDriver.h"
#include "deploy/Payload.h"
#include "deploy/SharedLibraries.h"
#include "engine/InstallEngine.h"
#include "engine/InstallFolders.h"
#include "engine/Prerequisites.h"
#include "engine/ProcessControl.h"
#include "product/Catalogue.h"
#include "product/SetupConfig.h"
#include "product/TextTable.h"

namespace SetUp {

namespace {

// Brackets a step with the debugger traces "[QZX]Start <name>" and "[QZX]End <name>".
class CStepTrace {
public:
    explicit CStepTrace(const char* name) : name_(name) {
        OutputDebugStringA((std::string("[QZX]Start ") + name_).c_str());
    }
    ~CStepTrace() { OutputDebugStringA((std::string("[QZX]End ") + name_).c_str()); }
    CStepTrace(const CStepTrace&) = delete;
    CStepTrace& operator=(const CStepTrace&) = delete;

private:
    const char* name_;
};

void SplitBySide(const std::vector<int32_t>& components, std::vector<int32_t>* client,
                 std::vector<int32_t>* server) {
    for (int32_t component : components) {
        (GetComponentSide(component) == ComponentSide::Client ? client : server)
            ->push_back(component);
    }
}

}  // namespace

void CInstallEngine::RunSequence(const std::vector<int32_t>& features,
                                 const std::string& installRoot,
                                 const std::vector<int32_t>& removals) {
    StopRunningPrograms(installRoot);
    {
        CStepTrace trace("initInstallPath");
        initInstallPath(installRoot);
    }
    {
        CStepTrace trace("writeToRegistry");
        WriteRecord(installRoot, features);
    }
    {
        CStepTrace trace("installRuntimeDll");
        InstallRuntimes();
    }
    {
        CStepTrace trace("installUpdateServer");
        RemoveUpdateServer();
    }
    {
        CStepTrace trace("installNpf");
        InstallDriver(installRoot);
    }
    {
        CStepTrace trace("installNginxAndUninstall");
        InstallWebServer();
    }
    {
        CStepTrace trace("uninstallComponents");
        UninstallComponents(installRoot, removals, features);
    }
    {
        CStepTrace trace("installComponents");
        InstallComponents(installRoot, features);
    }
    {
        CStepTrace trace("updateProductXml");
        UpdateProductXml(installRoot, features);
    }
    {
        CStepTrace trace("createMenu");
        CreateMenu(installRoot);
    }
    {
        CStepTrace trace("replaceMultiMediaComm");
        ReplaceMultiMediaComm(installRoot);
    }
    {
        CStepTrace trace("setInstallDone");
        SetInstallDone();
    }
}

void CInstallEngine::StopRunningPrograms(const std::string& installRoot) {
    ProcessStopList(installRoot).StopPrograms();
    StepDone();
}

void CInstallEngine::WriteRecord(const std::string& installRoot,
                                 const std::vector<int32_t>& features) {
    RegeditInfo()->WriteProductRecord(installRoot);
    WriteComponentList(features);
}

void CInstallEngine::WriteComponentList(const std::vector<int32_t>& features) {
    if (CancelRequested()) {
        return;
    }
    RegeditInfo()->WriteComponentList(ExpandFeatures(features));
    StepDone();
}

void CInstallEngine::InstallRuntimes() {
    SetUp::InstallRuntimes([this] { return CancelRequested(); },
                           [this](const std::string& line) { ReportStatus(line); },
                           [this] { StepDone(); });
}

void CInstallEngine::RemoveUpdateServer() {
    if (CSetupConfig::Instance().translator != 0) {
        StepDone();
        return;
    }
    if (CancelRequested()) {
        return;
    }
    ReportStatus(UninstallLine(CTextTable::Instance().GetText("UpdateServer")));
    SetUp::RemoveUpdateServer();
    StepDone();
}

void CInstallEngine::InstallDriver(const std::string& installRoot) {
    if (CancelRequested()) {
        return;
    }
    ReportStatus(StartInstallLine("NPF"));
    InstallNpfDriver(installRoot);
    StepDone();
}

void CInstallEngine::InstallWebServer() {
    if (CancelRequested()) {
        return;
    }
    ReportStatus(StartInstallLine("Nginx"));
    DeployWebServer();
    StepDone();
}

void CInstallEngine::UninstallComponents(const std::string& installRoot,
                                         const std::vector<int32_t>& removals,
                                         const std::vector<int32_t>& keptFeatures) {
    // Features share components (3 and 10 both carry 6 and 108): what a kept feature still
    // needs stays on disk.
    const std::vector<int32_t> kept = ExpandFeatures(keptFeatures);
    for (int32_t feature : removals) {
        ReportStatus(UninstallLine(FeatureText(feature)));
        for (int32_t component : ExpandFeatures({feature})) {
            if (std::find(kept.begin(), kept.end(), component) == kept.end()) {
                ComponentDeployment{installRoot, component}.Remove();
            }
        }
        StepDone();
    }
}

void CInstallEngine::InstallComponents(const std::string& installRoot,
                                       const std::vector<int32_t>& features) {
    if (CancelRequested()) {
        return;
    }
    for (int32_t feature : features) {
        ReportStatus(StartInstallLine(FeatureText(feature)));
        for (int32_t component : ExpandFeatures({feature})) {
            if (CancelRequested()) {
                return;
            }
            ComponentDeployment{installRoot, component}.Install();
        }
        StepDone();
    }
    if (IsPellowanNeeded()) {
        InstallPellowan();
    }
    if (IsCaldryNeeded()) {
        InstallCaldry();
    }
    PlaceSharedLibraries(installRoot);
}

void CInstallEngine::UpdateProductXml(const std::string& installRoot,
                                      const std::vector<int32_t>& features) {
    if (CancelRequested()) {
        return;
    }
    std::vector<int32_t> client;
    std::vector<int32_t> server;
    SplitBySide(ExpandFeatures(features), &client, &server);
    const auto handler = ProductXml(installRoot);
    handler->WriteClientDescription(client);
    handler->WriteServerDescription(server);
    StepDone();
}

void CInstallEngine::CreateMenu(const std::string& installRoot) {
    if (CancelRequested()) {
        return;
    }
    MenuAndDesk(installRoot)->CreateStartMenu();
    StepDone();
}

void CInstallEngine::ReplaceMultiMediaComm(const std::string& installRoot) {
    replaceMultiMediaComm(installRoot);
    StepDone();
}

void CInstallEngine::SetInstallDone() {
    {
        std::lock_guard<std::mutex> lock(doneMutex_);
        workerDone_ = true;
    }
    doneSignal_.notify_all();
}

void CInstallEngine::RemoveOldShortcuts(const std::string& installRoot) {
    const auto menu = MenuAndDesk(installRoot);
    menu->RemoveLegacyShortcuts();
    menu->RemoveShortcuts(true);
    StepDone();
}

void CInstallEngine::RunModify(const std::string& installRoot, const std::vector<int32_t>& added,
                               const std::vector<int32_t>& removed) {
    const auto features = ModifiedFeatures(RecordedFeatures(), added, removed);
    StopRunningPrograms(installRoot);
    WriteComponentList(features);
    UninstallComponents(installRoot, removed, features);
    InstallComponents(installRoot, added);
    InstallRuntimes();
    RemoveUpdateServer();
    UpdateProductXml(installRoot, features);
    CreateMenu(installRoot);
}

void CInstallEngine::RunUpgrade(const std::vector<int32_t>& features,
                                const std::string& installRoot) {
    RemoveOldShortcuts(installRoot);
    RunSequence(features, installRoot, {});
}

}  // namespace SetUp
