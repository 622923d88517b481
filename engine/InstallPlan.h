#pragma once
// An engine procedure as data: the ordered steps it will run, each with what it works on, what it
// adds to the progress total and whether a cancel is looked at before it. Built by a pure
// function of explicit inputs, so that a procedure can be read and tested without running it.
#include <cstdint>
#include <string>
#include <vector>

#include "product/Catalogue.h"
#include "product/SetupConfig.h"

namespace SetUp {

enum class Procedure {
    Fresh,
    Modify,
    Repair,
    UpgradeByComponentList,
    UpgradeByDescription,
    UpgradeBlind,
    Removal,
    RollBack,
};

enum class StepKind {
    StopPrograms,
    CreateFolders,
    WriteRecord,
    WriteComponentList,
    InstallRuntime,  // argument: index into kRuntimeFileName
    RemoveUpdateServer,
    SkipUpdateServer,  // a build with Translator set never looks for the old update server
    InstallDriver,
    InstallWebServer,
    UninstallFeature,  // argument: feature
    InstallFeature,    // argument: feature
    InstallPellowan,
    InstallCaldry,
    PlaceSharedLibraries,
    UpdateProductXml,
    CreateMenu,
    ReplaceMultiMediaComm,  // nothing to swap on a 32-bit machine; the step still counts
    RecordInstalledSize,    // the record's EstimatedSize, from what is on disk
    SetInstallDone,
    RemoveOldShortcuts,      // legacy and current shortcuts, counted
    RemoveCurrentShortcuts,  // current shortcuts only, not counted
    RemoveInstallation,      // driver script, installation, drivers, empty product folder
    RemoveProgramFilesFolder,
    RemoveShortcuts,
    DeleteRecord,
    DeleteBrowserEmulation,  // argument: index into kBrowserEmulationPrograms
};

struct CPlanStep {
    StepKind kind = StepKind::StopPrograms;
    int32_t argument = -1;
    // What the step adds to the steps done when it finishes.
    int32_t weight = 0;
    // Whether a finished step reports the percentage; the removal's last three report an
    // unchanged 100 without adding to it.
    bool reportsProgress = false;
    bool checksCancel = false;
    // Whether the step's archives may be unpacked while those of the neighbouring steps so marked
    // unpack: each of its components goes to a folder of its own (a component whose folder meets
    // another's still waits for it, ComponentFoldersMeet). Its events stay in the plan's order.
    bool overlappable = false;
    // The debugger trace that brackets the step; consecutive steps with the same name share one
    // bracket. Empty: no trace.
    std::string trace;
};

struct CPlanInputs {
    Procedure procedure = Procedure::Fresh;
    std::string installRoot;
    // Fresh install and upgrades: the features; modify: the added ones; repair: the install list.
    std::vector<int32_t> featuresToAdd;
    // Modify: the removed features; repair: the removal list.
    std::vector<int32_t> featuresToRemove;
    // Modify: what the record held when it started, to which the changes apply.
    std::vector<int32_t> recordedFeatures;
    ProductVariant edition = ProductVariant::FULL;
    int32_t translator = 0;
    UiLanguage language = UiLanguage::English;
    bool machineIs64Bit = true;
};

struct CInstallPlan {
    CPlanInputs inputs;
    std::vector<CPlanStep> steps;
    // The percentage's denominator: the sum of the weights.
    int32_t total = 0;
};

CInstallPlan BuildPlan(const CPlanInputs& inputs);

const char* ProcedureName(Procedure procedure);
const char* StepKindName(StepKind kind);
// What the step does and what it works on ("install feature 3 AccessController").
std::string StepTitle(const CPlanStep& step);
// One line: the title, weight, "cancel" when a cancel is looked at first, "overlaps" when the
// step's unpackings may overlap its neighbours', trace.
std::string DescribeStep(const CPlanStep& step);
// A heading line with the procedure and its inputs, then one line per step.
std::string PrintPlan(const CInstallPlan& plan);

}  // namespace SetUp
