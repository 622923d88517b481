#include "app/UnattendedRun.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "app/UnattendedDecision.h"
#include "base/FileSystem.h"
#include "base/ProtectedFolder.h"
#include "base/RunLog.h"
#include "base/StringUtil.h"
#include "deploy/DriverQuestion.h"
#include "engine/InstallFolders.h"
#include "engine/Removal.h"
#include "product/Catalogue.h"
#include "product/FolderLayout.h"
#include "product/ResourceIds.h"
#include "registry/InstalledRecord.h"
#include "ui/WizardEngine.h"
#include "ui/pages/ComponentFullDlg.h"
#include "ui/pages/ComponentFullEDlg.h"
#include "ui/pages/ComponentVSDlg.h"
#include "ui/pages/FeatureRules.h"
#include "ui/pages/FeaturePages.h"
#include "ui/pages/InstallChecks.h"
#include "ui/pages/InstallingDlg.h"
#include "ui/pages/MaintenanceRules.h"
#include "ui/pages/SpaceRule.h"
#include "ui/pages/UninstallingDlg.h"

namespace {

using SetUp::LogLine;

const char* TypeName(InstallType type) {
    switch (type) {
        case InstallType::Fresh:
            return "nothing installed";
        case InstallType::Maintenance:
            return "this version installed";
        case InstallType::UpgradeByComponentList:
            return "an older version, with its component list";
        case InstallType::UpgradeByDescription:
            return "an older version, with its description file";
        case InstallType::UpgradeBlind:
            return "an older version that says nothing of its features";
        case InstallType::OtherEditionInstalled:
            return "another edition";
        case InstallType::NewerInstalled:
            return "a newer version";
        case InstallType::None:
            break;
    }
    return "nothing known";
}

// The edition's feature page as data: which features it offers and what it ticks by itself. AC
// and SL have none; they install their fixed set.
const FeaturePageTable* PageTable(const CSetupConfig& config) {
    switch (FeaturePageFor(config.productVariant, config.uiLanguage)) {
        case FeaturePageKind::Full:
            return &CComponentFullDlg::Table();
        case FeaturePageKind::FullE:
            return &CComponentFullEDlg::Table();
        case FeaturePageKind::VS:
            return &CComponentVSDlg::Table(config.productVariant);
        case FeaturePageKind::None:
            break;
    }
    return nullptr;
}

std::vector<int32_t> OfferedFeatures(const FeaturePageTable& table) {
    std::vector<int32_t> offered;
    for (const FeatureRow& row : table.rows) {
        for (int32_t feature : row.features) {
            if (feature != kNoFeature) {
                offered.push_back(feature);
            }
        }
    }
    return offered;
}

// The rows a set of features ticks; the wizard's rules hold (Access Control with Attendance).
std::vector<bool> TickedBy(const FeaturePageTable& table, const std::vector<int32_t>& features) {
    std::vector<bool> ticked = TickedByInstalled(table.rows, features);
    const int attendance = RowOfBox(table.rows, IDC_ATTENDANCE_CHECK);
    const int access = RowOfBox(table.rows, IDC_ACCESS_CHECK);
    if (table.accessControlRule && attendance >= 0 && access >= 0) {
        ticked[access] = ApplyAccessControlRule(ticked[attendance], ticked[access]).ticked;
    }
    return ticked;
}

struct CChoice {
    std::vector<int32_t> features;
    int32_t requiredMb = 0;
    std::string error;
};

// What a fresh install or a blind upgrade installs: ADDLOCAL among what the wizard offers, or
// the wizard's own default, in the order the wizard installs them.
CChoice ChooseFeatures(const CCommandLine& line, const CSetupConfig& config) {
    CChoice choice;
    const FeaturePageTable* table = PageTable(config);
    if (table == nullptr) {
        const std::vector<int32_t> fixed = FixedFeatures(config.productVariant, config.uiLanguage);
        if (line.addLocal && !ResolveFeatureKeys(*line.addLocal, fixed, &choice.error)) {
            return choice;
        }
        choice.features = fixed;
        choice.requiredMb = RequiredSpaceMb(config.productVariant);
        return choice;
    }
    std::vector<bool> ticked(table->rows.size(), table->optionalRowsStartTicked);
    if (line.addLocal) {
        const auto features =
            ResolveFeatureKeys(*line.addLocal, OfferedFeatures(*table), &choice.error);
        if (!features) {
            return choice;
        }
        ticked = TickedBy(*table, *features);
    }
    choice.features = SelectedFeatures(table->rows, ticked, table->selectionOrder);
    if (table->needsOptionalFeature && OnlyBasicFeature(choice.features)) {
        choice.error = "this edition installs the basic configuration only with another feature";
    }
    choice.requiredMb = RequiredSpaceMb(table->rows, ticked);
    return choice;
}

// The questions of the install checks, answered with what loses no data.
InstallCheckHooks UnattendedCheckHooks(std::optional<MessageKind>* refusal) {
    InstallCheckHooks hooks;
    hooks.tell = [refusal](MessageKind kind) {
        LogLine(FormatString("refused (message %d)", static_cast<int>(kind)));
        *refusal = kind;
    };
    hooks.ask = [](MessageKind kind) {
        LogLine(
            FormatString("question %d (clear the folder?): answered without a person: keep "
                         "its contents",
                         static_cast<int>(kind)));
        return kAnswerCancel;
    };
    hooks.isFolderEmpty = [](const std::string& folder) { return SetUp::IsFolderEmpty(folder); };
    hooks.exists = [](const std::string& path) { return SetUp::PathExists(path); };
    hooks.deleteFolder = [](const std::string&) { return true; };
    hooks.isProtectableDrive = [](const std::string& path) {
        const bool protectable = SetUp::IsDriveForProtectedFolders(path);
        if (!protectable) {
            LogLine("not a fixed drive that keeps access lists: " + path);
        }
        return protectable;
    };
    hooks.foreignOwnedLevel = [](const std::string& path) {
        const std::string level = SetUp::ForeignOwnedLevel(path);
        if (!level.empty()) {
            LogLine("owned by another user: " + level);
        }
        return level;
    };
    return hooks;
}

// The engine's end; installers are waited for without a bound, and so is the end.
class CEndOfProcedure {
public:
    SetUp::EventCallback Listener() {
        return [this](const SetUp::CEngineEvent& event) {
            if (event.kind != SetUp::EngineEventKind::ProcedureFinished) {
                return;
            }
            std::lock_guard<std::mutex> lock(mutex_);
            end_ = event;
            ended_.notify_all();
        };
    }
    SetUp::CEngineEvent Wait() {
        std::unique_lock<std::mutex> lock(mutex_);
        ended_.wait(lock, [this] { return end_.has_value(); });
        return *end_;
    }

private:
    std::mutex mutex_;
    std::condition_variable ended_;
    std::optional<SetUp::CEngineEvent> end_;
};

int32_t ExitCodeOfTheEnd(const SetUp::CEngineEvent& event) {
    if (event.result == SetUp::ProcedureResult::Failed) {
        LogLine(std::string("failed at \"") + SetUp::DescribeStep(event.step) +
                "\": " + event.detail);
    }
    return ExitCodeOf(event);
}

// Starts a procedure and waits for its end: without any window (/quiet), or on its progress
// page, which then takes the engine's events (/passive).
class CProcedureRunner {
public:
    explicit CProcedureRunner(bool showsProgress) : showsProgress_(showsProgress) {
        if (!showsProgress_) {
            WizardEngine().SetEventCallback(end_.Listener());
        }
    }
    ~CProcedureRunner() {
        // Nothing is delivered to the listener once it is gone, not even a delivery under way.
        WizardEngine().SetEventCallback({});
    }
    CProcedureRunner(const CProcedureRunner&) = delete;
    CProcedureRunner& operator=(const CProcedureRunner&) = delete;

    int32_t Run(const std::function<void()>& start) {
        if (!showsProgress_) {
            start();
            return ExitCodeOfTheEnd(end_.Wait());
        }
        CInstallingDlg page(start);
        page.DoModal();
        return ExitCodeOfTheEnd(WizardEngine().LastEnd());
    }
    // The caller has made sure the record names an installation folder.
    int32_t RunRemoval() {
        if (!showsProgress_) {
            WizardEngine().StartRemoval();
            return ExitCodeOfTheEnd(end_.Wait());
        }
        CUninstallingDlg page(false);
        page.DoModal();
        return ExitCodeOfTheEnd(WizardEngine().LastEnd());
    }

private:
    bool showsProgress_;
    CEndOfProcedure end_;
};

int32_t FreshInstall(const CCommandLine& line, const CSetupConfig& config,
                     CProcedureRunner& runner) {
    const CChoice choice = ChooseFeatures(line, config);
    if (!choice.error.empty()) {
        LogLine("bad command line: " + choice.error);
        return kExitBadCommandLine;
    }
    const std::string folderName = config.GetProductFolderNames().productFolder;
    InstallCheckInput input;
    input.root = line.installDir ? *line.installDir
                                 : CFolderLayout::DefaultInstallRoot() + "\\" + folderName;
    input.folderName = folderName;
    input.userDataFolder = CFolderLayout::PublicUserDataDir(config);
    input.programFilesFolder = CFolderLayout::ProgramFilesProductDir(config, '\\');
    input.availableMb = AvailableSpaceMb(input.root);
    input.requiredMb = choice.requiredMb;
    input.isValidRoot = [](const std::string& root) { return SetUp::IsValidInstallPath(root); };
    LogLine(FormatString("folder \"%s\", %lld MB free, %d MB needed", input.root.c_str(),
                         static_cast<long long>(input.availableMb), choice.requiredMb));
    std::optional<MessageKind> refusal;
    const std::string root = RunInstallChecks(input, UnattendedCheckHooks(&refusal));
    if (root.empty()) {
        switch (refusal.value_or(MessageKind::IllegalPath)) {
            case MessageKind::SpaceLack:
                return kExitDiskFull;
            // A well-formed folder in a place the install cannot protect: nothing was changed.
            case MessageKind::UnsuitableDrive:
            case MessageKind::ForeignProductFolder:
                return kExitFailed;
            default:
                return kExitBadCommandLine;
        }
    }
    return runner.Run([&] { WizardEngine().StartInstall(choice.features, root); });
}

// What /modify adds and removes: the recorded features with ADDLOCAL, without REMOVE.
int32_t Modify(const CCommandLine& line, const CSetupConfig& config, CProcedureRunner& runner) {
    const FeaturePageTable* table = PageTable(config);
    if (table == nullptr) {
        LogLine("bad command line: this edition has no features to modify");
        return kExitBadCommandLine;
    }
    const std::vector<int32_t> offered = OfferedFeatures(*table);
    const std::vector<int32_t> recorded =
        InstalledFeatures(SetUp::ReadInstalledComponents().client);
    std::string error;
    const auto added =
        line.addLocal ? ResolveFeatureKeys(*line.addLocal, offered, &error) : recorded;
    const auto removed = ResolveFeatureKeys(line.remove, offered, &error);
    if (!added || !removed) {
        LogLine("bad command line: " + error);
        return kExitBadCommandLine;
    }
    std::vector<int32_t> wanted = recorded;
    wanted.insert(wanted.end(), added->begin(), added->end());
    // The basic feature stays whatever REMOVE says: the wizard never unticks it.
    std::vector<int32_t> chosen;
    for (int32_t feature : wanted) {
        if (feature == kBasicFeature ||
            std::find(removed->begin(), removed->end(), feature) == removed->end()) {
            chosen.push_back(feature);
        }
    }
    const std::vector<bool> ticked = TickedBy(*table, chosen);
    const FeatureChanges changes =
        DiffFeatures(recorded, SelectedFeatures(table->rows, ticked, table->selectionOrder));
    return runner.Run([&] { WizardEngine().StartModify(changes.toAdd, changes.toRemove); });
}

int32_t Upgrade(const CCommandLine& line, const CSetupConfig& config, InstallType type,
                CProcedureRunner& runner) {
    std::vector<int32_t> features;
    if (type == InstallType::UpgradeBlind) {
        const CChoice choice = ChooseFeatures(line, config);
        if (!choice.error.empty()) {
            LogLine("bad command line: " + choice.error);
            return kExitBadCommandLine;
        }
        features = choice.features;
    }
    return runner.Run([&] { WizardEngine().StartUpgrade(type, features); });
}

int32_t Remove(const CCommandLine& line, const CSetupConfig& config, CProcedureRunner& runner) {
    const int32_t code = runner.RunRemoval();
    WizardEngine().WaitUntilIdle(std::chrono::minutes(5));
    if (line.removeData) {
        LogLine("question 5 (delete the user data?): REMOVEDATA=1: deleted");
        SetUp::DeleteUserData(WizardEngine().InstallRoot(), config);
    } else {
        LogLine("question 5 (delete the user data?): answered without a person: keep it");
    }
    if (!SetUp::IsRemovalComplete(WizardEngine().InstallRoot(), config)) {
        LogLine("folders are left behind (the user data, or what could not be deleted)");
    }
    return code;
}

// The product's programs must not be at work while the installation changes.
bool ProgramsInUse() {
    const auto refusal = RefusalToGoOn(MachineGoOnCheckHooks());
    if (refusal) {
        LogLine(
            FormatString("message %d: the client runs or the user manual is open; without a "
                         "person nothing is changed",
                         static_cast<int>(*refusal)));
    }
    return refusal.has_value();
}

int32_t Work(UnattendedWork work, const CCommandLine& line, const CSetupConfig& config,
             const CInstallMode& mode, CProcedureRunner& runner) {
    // The engine starts nothing below a record without an installation folder: there would be
    // no end to wait for.
    if (work != UnattendedWork::FreshInstall && WizardEngine().RefreshInstallRoot().empty()) {
        LogLine("the record names no installation folder: nothing to change");
        return kExitNothingInstalled;
    }
    switch (work) {
        case UnattendedWork::FreshInstall:
            return FreshInstall(line, config, runner);
        case UnattendedWork::Modify:
            return Modify(line, config, runner);
        case UnattendedWork::Repair:
            return runner.Run([] { WizardEngine().StartRepair(); });
        case UnattendedWork::Upgrade:
            return Upgrade(line, config, mode.installType, runner);
        case UnattendedWork::Removal:
            return Remove(line, config, runner);
        case UnattendedWork::None:
            break;
    }
    return kExitFailed;
}

}  // namespace

int32_t RunUnattended(const CCommandLine& line, const CSetupConfig& config,
                      const CInstallMode& mode) {
    CDetection found;
    found.installType = mode.installType;
    found.interrupted = mode.interrupted;
    found.refusesUpgrades = config.productVariant == ProductVariant::SC;
    if (mode.installType != InstallType::Fresh) {
        found.sameEdition = IsSameEdition(config);
    }
    LogLine(std::string("detection: ") + TypeName(found.installType) +
            (found.sameEdition ? "" : ", of another brand or language") +
            (found.interrupted ? ", and the last run there was interrupted" : ""));
    const CUnattendedDecision decision = DecideUnattended(line.action, found);
    LogLine(std::string("decision: ") + decision.reason);
    if (decision.work == UnattendedWork::None) {
        return decision.exitCode;
    }
    if (decision.work != UnattendedWork::FreshInstall && ProgramsInUse()) {
        return kExitInUse;
    }
    // Declined: the driver is not replaced while programs hold it, and no data is lost.
    SetUp::SetDriverQuestion([](MessageKind kind, const std::string& programs) {
        LogLine(
            FormatString("question %d: the capture driver is held by %s; answered without a "
                         "person: no, the driver is not replaced",
                         static_cast<int>(kind), programs.c_str()));
        return false;
    });
    int32_t exitCode = kExitFailed;
    {
        CProcedureRunner runner(line.uiLevel == UiLevel::Passive);
        exitCode = Work(decision.work, line, config, mode, runner);
    }
    WizardEngine().WaitUntilIdle(std::chrono::minutes(5));
    return exitCode;
}
