// The bodies of the plan's steps, run on the engine's worker thread.
#include <windows.h>

#include <algorithm>

#include "deploy/NpfDriver.h"
#include "deploy/Payload.h"
#include "deploy/SharedLibraries.h"
#include "engine/InstallEngine.h"
#include "engine/InstallFolders.h"
#include "engine/Prerequisites.h"
#include "engine/ProcessControl.h"
#include "base/FileSystem.h"
#include "product/Catalogue.h"
#include "product/FolderLayout.h"
#include "registry/InstalledRecord.h"

namespace SetUp {

namespace {

void SplitBySide(const std::vector<int32_t>& components, std::vector<int32_t>* client,
                 std::vector<int32_t>* server) {
    for (int32_t component : components) {
        (GetComponentSide(component) == ComponentSide::Client ? client : server)
            ->push_back(component);
    }
}

}  // namespace

std::vector<int32_t> CInstallEngine::ResultingFeatures(const CPlanInputs& inputs) const {
    if (inputs.procedure == Procedure::Modify) {
        return ModifiedFeatures(inputs.recordedFeatures, inputs.featuresToAdd,
                                inputs.featuresToRemove);
    }
    return inputs.featuresToAdd;
}

StepResult CInstallEngine::RunStep(const CPlanStep& step, const CPlanInputs& inputs,
                                   CDeployOutcome* failure) {
    const std::string& root = inputs.installRoot;
    switch (step.kind) {
        case StepKind::StopPrograms:
            ProcessStopList(root, config_).StopPrograms();
            break;
        case StepKind::CreateFolders:
            initInstallPath(root, config_);
            break;
        case StepKind::WriteRecord:
            WriteRecord(root);
            break;
        case StepKind::WriteComponentList:
            WriteComponentList(ResultingFeatures(inputs));
            break;
        case StepKind::InstallRuntime:
            InstallRuntime(step.argument);
            break;
        case StepKind::RemoveUpdateServer:
            RemoveUpdateServer();
            break;
        case StepKind::SkipUpdateServer:
            break;
        case StepKind::InstallDriver:
            ReportStatus(StartInstallLine("NPF"));
            InstallNpfDriver(root, config_, GetDriverQuestion());
            break;
        case StepKind::InstallWebServer:
            ReportStatus(StartInstallLine("Nginx"));
            *failure = DeployWebServer(config_);
            return failure->failed ? StepResult::Failed : StepResult::Done;
        case StepKind::UninstallFeature:
            UninstallFeature(root, step.argument, ResultingFeatures(inputs));
            break;
        case StepKind::InstallFeature:
            return InstallFeature(root, step.argument, failure);
        case StepKind::InstallPellowan:
            if (IsPellowanNeeded()) {
                InstallPellowan();
            }
            break;
        case StepKind::InstallCaldry:
            if (IsCaldryNeeded()) {
                InstallCaldry();
            }
            break;
        case StepKind::PlaceSharedLibraries:
            PlaceSharedLibraries(root, config_);
            break;
        case StepKind::UpdateProductXml:
            UpdateProductXml(root, ResultingFeatures(inputs));
            break;
        case StepKind::CreateMenu:
            MenuAndDesk(root)->CreateStartMenu();
            break;
        case StepKind::ReplaceMultiMediaComm:
            replaceMultiMediaComm(root, config_);
            break;
        case StepKind::RecordInstalledSize:
            // Apps & Features shows it; KB of what the installation holds on disk.
            WriteUninstallNumber(
                "EstimatedSize",
                static_cast<unsigned long>(
                    TreeSizeBytes(CFolderLayout(root, config_).InstallationDir()) / 1024),
                config_.productVariant);
            break;
        case StepKind::SetInstallDone:
            SetInstallDone();
            break;
        case StepKind::RemoveOldShortcuts:
            MenuAndDesk(root)->RemoveLegacyShortcuts();
            MenuAndDesk(root)->RemoveShortcuts(true);
            break;
        case StepKind::RemoveCurrentShortcuts:
            MenuAndDesk(root)->RemoveShortcuts(true);
            break;
        default:
            RunRemovalStep(step, root);
            break;
    }
    return StepResult::Done;
}

void CInstallEngine::WriteRecord(const std::string& installRoot) {
    CRegeditInfo(config_).WriteProductRecord(installRoot);
}

void CInstallEngine::WriteComponentList(const std::vector<int32_t>& features) {
    CRegeditInfo(config_).WriteComponentList(ExpandFeatures(features));
}

void CInstallEngine::InstallRuntime(int32_t index) {
    if (index < 0 || static_cast<size_t>(index) >= kRuntimeFileName.size()) {
        return;
    }
    bool restart = false;
    InstallRuntimeWithStatus(
        kRuntimeFileName[index].key, texts_,
        [this](const std::string& line) { ReportStatus(line); }, &restart);
    if (restart) {
        std::lock_guard<std::mutex> lock(cancelMutex_);
        restartNeeded_ = true;
    }
}

void CInstallEngine::RemoveUpdateServer() {
    ReportStatus(UninstallLine(texts_.GetText("UpdateServer")));
    SetUp::RemoveUpdateServer(config_);
}

void CInstallEngine::UninstallFeature(const std::string& installRoot, int32_t feature,
                                      const std::vector<int32_t>& keptFeatures) {
    // Features share components (3 and 10 both carry 6 and 108): what a kept feature still
    // needs stays on disk.
    const std::vector<int32_t> kept = ExpandFeatures(keptFeatures);
    ReportStatus(UninstallLine(FeatureText(feature)));
    for (int32_t component : ExpandFeatures({feature})) {
        if (std::find(kept.begin(), kept.end(), component) == kept.end()) {
            ComponentDeployment{installRoot, component, config_}.Remove();
        }
    }
}

StepResult CInstallEngine::InstallFeature(const std::string& installRoot, int32_t feature,
                                          CDeployOutcome* failure) {
    ReportStatus(StartInstallLine(FeatureText(feature)));
    for (int32_t component : ExpandFeatures({feature})) {
        if (CancelRequested()) {
            return StepResult::Abandoned;
        }
        *failure = ComponentDeployment{installRoot, component, config_}.Install();
        if (failure->failed) {
            return StepResult::Failed;
        }
    }
    return StepResult::Done;
}

void CInstallEngine::UpdateProductXml(const std::string& installRoot,
                                      const std::vector<int32_t>& features) {
    std::vector<int32_t> client;
    std::vector<int32_t> server;
    SplitBySide(ExpandFeatures(features), &client, &server);
    const auto handler = ProductXml(installRoot);
    handler->WriteClientDescription(client);
    handler->WriteServerDescription(server);
}

void CInstallEngine::SetInstallDone() {
    {
        std::lock_guard<std::mutex> lock(doneMutex_);
        workerDone_ = true;
    }
    doneSignal_.notify_all();
}

}  // namespace SetUp
