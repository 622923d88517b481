#include "engine/InstallPlan.h"

#include "base/StringUtil.h"
#include "registry/InstalledRecord.h"

namespace SetUp {

namespace {

class CPlanBuilder {
public:
    explicit CPlanBuilder(const CPlanInputs& inputs) : inputs_(inputs) {}

    CInstallPlan Build() {
        switch (inputs_.procedure) {
            case Procedure::Fresh:
            case Procedure::Repair:
                Sequence();
                break;
            case Procedure::UpgradeByComponentList:
                Add(StepKind::RemoveCurrentShortcuts, -1, 0, false);
                Sequence();
                break;
            case Procedure::UpgradeByDescription:
            case Procedure::UpgradeBlind:
                Add(StepKind::RemoveOldShortcuts, -1, 1, false);
                Sequence();
                break;
            case Procedure::Modify:
                Modify();
                break;
            case Procedure::Removal:
            case Procedure::RollBack:
                Removal();
                break;
        }
        CInstallPlan plan{inputs_, std::move(steps_), 0};
        for (const CPlanStep& step : plan.steps) {
            plan.total += step.weight;
        }
        return plan;
    }

private:
    void Add(StepKind kind, int32_t argument, int32_t weight, bool checksCancel) {
        steps_.push_back({kind, argument, weight, weight > 0, checksCancel, false, trace_});
    }

    // Install, repair and upgrade: the twelve traced steps after stopping the programs.
    void Sequence() {
        trace_.clear();
        Add(StepKind::StopPrograms, -1, 1, false);
        trace_ = "initInstallPath";
        Add(StepKind::CreateFolders, -1, 0, false);
        trace_ = "writeToRegistry";
        Add(StepKind::WriteRecord, -1, 0, false);
        Add(StepKind::WriteComponentList, -1, 1, true);
        trace_ = "installRuntimeDll";
        Runtimes();
        trace_ = "installUpdateServer";
        UpdateServer();
        trace_ = "installNpf";
        Add(StepKind::InstallDriver, -1, 1, true);
        trace_ = "installNginxAndUninstall";
        Add(StepKind::InstallWebServer, -1, 1, true);
        trace_ = "uninstallComponents";
        Uninstall(inputs_.featuresToRemove);
        trace_ = "installComponents";
        Install(inputs_.featuresToAdd);
        trace_ = "updateProductXml";
        Add(StepKind::UpdateProductXml, -1, 1, true);
        trace_ = "createMenu";
        Add(StepKind::CreateMenu, -1, 1, true);
        // Untraced: the twelve traced steps stay as they were.
        trace_.clear();
        Add(StepKind::RecordInstalledSize, -1, 0, true);
        trace_ = "replaceMultiMediaComm";
        // Argument 0: a 32-bit machine keeps the client's library; the step still counts.
        Add(StepKind::ReplaceMultiMediaComm, inputs_.machineIs64Bit ? 1 : 0, 1, false);
        trace_ = "setInstallDone";
        Add(StepKind::SetInstallDone, -1, 0, false);
        trace_.clear();
    }

    // The modify procedure is untraced and never marks the worker done.
    void Modify() {
        Add(StepKind::StopPrograms, -1, 1, false);
        Add(StepKind::WriteComponentList, -1, 1, true);
        Uninstall(inputs_.featuresToRemove);
        Install(inputs_.featuresToAdd);
        Runtimes();
        UpdateServer();
        Add(StepKind::UpdateProductXml, -1, 1, true);
        Add(StepKind::CreateMenu, -1, 1, true);
        Add(StepKind::RecordInstalledSize, -1, 0, true);
    }

    void Removal() {
        for (StepKind kind : {StepKind::StopPrograms, StepKind::RemoveInstallation,
                              StepKind::RemoveProgramFilesFolder, StepKind::RemoveShortcuts,
                              StepKind::DeleteRecord}) {
            Add(kind, -1, 1, false);
        }
        // Client device management, server device management, then the client framework.
        for (int32_t program : {1, 2, 0}) {
            Add(StepKind::DeleteBrowserEmulation, program, 0, false);
            steps_.back().reportsProgress = true;
        }
    }

    // Every runtime that applies to the machine; the step counts once, with the last of them.
    void Runtimes() {
        const size_t first = steps_.size();
        for (size_t i = 0; i < kRuntimeFileName.size(); ++i) {
            if (RuntimeAppliesTo(kRuntimeFileName[i].key, inputs_.machineIs64Bit)) {
                Add(StepKind::InstallRuntime, static_cast<int32_t>(i), 0, true);
            }
        }
        if (steps_.size() > first) {
            steps_.back().weight = 1;
            steps_.back().reportsProgress = true;
        }
    }

    void UpdateServer() {
        if (inputs_.translator != 0) {
            Add(StepKind::SkipUpdateServer, -1, 1, false);
        } else {
            Add(StepKind::RemoveUpdateServer, -1, 1, true);
        }
    }

    void Uninstall(const std::vector<int32_t>& features) {
        for (int32_t feature : features) {
            Add(StepKind::UninstallFeature, feature, 1, false);
        }
    }

    // Each feature also looks at a cancel before each of its components; a cancel abandons the
    // companions and the shared libraries too.
    void Install(const std::vector<int32_t>& features) {
        for (int32_t feature : features) {
            Add(StepKind::InstallFeature, feature, 1, true);
            // A feature the catalogue does not know unpacks nothing to overlap.
            steps_.back().overlappable = !ExpandFeatures({feature}).empty();
        }
        Add(StepKind::InstallPellowan, -1, 0, true);
        Add(StepKind::InstallCaldry, -1, 0, true);
        Add(StepKind::PlaceSharedLibraries, -1, 0, true);
    }

    const CPlanInputs& inputs_;
    std::vector<CPlanStep> steps_;
    std::string trace_;
};

std::string JoinFeatures(const std::vector<int32_t>& features) {
    std::string text;
    for (int32_t feature : features) {
        text += (text.empty() ? "" : ",") + std::to_string(feature);
    }
    return text.empty() ? "-" : text;
}

std::string StepSubject(const CPlanStep& step) {
    switch (step.kind) {
        case StepKind::InstallRuntime:
            return step.argument >= 0 &&
                           static_cast<size_t>(step.argument) < kRuntimeFileName.size()
                       ? kRuntimeFileName[step.argument].text
                       : "";
        case StepKind::UninstallFeature:
        case StepKind::InstallFeature:
            return std::to_string(step.argument) + " " + FeatureName(step.argument).value_or("?");
        case StepKind::ReplaceMultiMediaComm:
            return step.argument == 0 ? "(nothing on a 32-bit machine)" : "";
        case StepKind::DeleteBrowserEmulation:
            return step.argument >= 0 &&
                           static_cast<size_t>(step.argument) < kBrowserEmulationPrograms.size()
                       ? kBrowserEmulationPrograms[step.argument]
                       : "";
        default:
            return "";
    }
}

}  // namespace

CInstallPlan BuildPlan(const CPlanInputs& inputs) {
    return CPlanBuilder(inputs).Build();
}

const char* ProcedureName(Procedure procedure) {
    switch (procedure) {
        case Procedure::Fresh:
            return "fresh install";
        case Procedure::Modify:
            return "modify";
        case Procedure::Repair:
            return "repair";
        case Procedure::UpgradeByComponentList:
            return "upgrade by component list";
        case Procedure::UpgradeByDescription:
            return "upgrade by description file";
        case Procedure::UpgradeBlind:
            return "blind upgrade";
        case Procedure::Removal:
            return "removal";
        case Procedure::RollBack:
            return "roll-back";
    }
    return "?";
}

const char* StepKindName(StepKind kind) {
    switch (kind) {
        case StepKind::StopPrograms:
            return "stop programs";
        case StepKind::CreateFolders:
            return "create folders";
        case StepKind::WriteRecord:
            return "write record";
        case StepKind::WriteComponentList:
            return "write component list";
        case StepKind::InstallRuntime:
            return "install runtime";
        case StepKind::RemoveUpdateServer:
            return "remove update server";
        case StepKind::SkipUpdateServer:
            return "skip update server";
        case StepKind::InstallDriver:
            return "install capture driver";
        case StepKind::InstallWebServer:
            return "place web server and uninstaller";
        case StepKind::UninstallFeature:
            return "uninstall feature";
        case StepKind::InstallFeature:
            return "install feature";
        case StepKind::InstallPellowan:
            return "install Pellowan if needed";
        case StepKind::InstallCaldry:
            return "install Caldry if needed";
        case StepKind::PlaceSharedLibraries:
            return "place shared libraries";
        case StepKind::UpdateProductXml:
            return "write description files";
        case StepKind::CreateMenu:
            return "create Start menu";
        case StepKind::ReplaceMultiMediaComm:
            return "swap in 64-bit multimedia library";
        case StepKind::RecordInstalledSize:
            return "record installed size";
        case StepKind::SetInstallDone:
            return "mark sequence done";
        case StepKind::RemoveOldShortcuts:
            return "remove old shortcuts";
        case StepKind::RemoveCurrentShortcuts:
            return "remove current shortcuts";
        case StepKind::RemoveInstallation:
            return "remove installation";
        case StepKind::RemoveProgramFilesFolder:
            return "remove Program Files folder";
        case StepKind::RemoveShortcuts:
            return "remove shortcuts";
        case StepKind::DeleteRecord:
            return "delete record";
        case StepKind::DeleteBrowserEmulation:
            return "delete browser emulation";
    }
    return "?";
}

std::string StepTitle(const CPlanStep& step) {
    const std::string subject = StepSubject(step);
    return StepKindName(step.kind) + (subject.empty() ? "" : " " + subject);
}

std::string DescribeStep(const CPlanStep& step) {
    std::string line = StepTitle(step) + " | weight " + std::to_string(step.weight);
    if (step.reportsProgress && step.weight == 0) {
        line += ", reports";
    }
    if (step.checksCancel) {
        line += " | cancel";
    }
    if (step.overlappable) {
        line += " | overlaps";
    }
    if (!step.trace.empty()) {
        line += " | [" + step.trace + "]";
    }
    return line;
}

std::string PrintPlan(const CInstallPlan& plan) {
    const CPlanInputs& in = plan.inputs;
    std::string text = FormatString(
        "plan: %s, edition %s, %s, translator %d, %s, root \"%s\", add %s, remove %s, total %d\n",
        ProcedureName(in.procedure), VariantTypeName(in.edition).value_or("?").c_str(),
        in.language == UiLanguage::Chinese ? "Chinese" : "English", in.translator,
        in.machineIs64Bit ? "64-bit" : "32-bit", in.installRoot.c_str(),
        JoinFeatures(in.featuresToAdd).c_str(), JoinFeatures(in.featuresToRemove).c_str(),
        plan.total);
    if (in.procedure == Procedure::Modify) {
        text += "recorded " + JoinFeatures(in.recordedFeatures) + "\n";
    }
    for (size_t i = 0; i < plan.steps.size(); ++i) {
        text += FormatString("%2u. ", static_cast<unsigned>(i + 1)) + DescribeStep(plan.steps[i]) +
                "\n";
    }
    return text;
}

}  // namespace SetUp
