#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "EngineRecorder.h"
#include "EngineTestSupport.h"
#include "base/FileSystem.h"
#include "base/Handles.h"
#include "base/TempWorkDir.h"
#include "common/TestMachine.h"
#include "deploy/DriverQuestion.h"
#include "deploy/MenuAndDesk.h"
#include "engine/InstallEngine.h"
#include "engine/InstallMode.h"
#include "engine/Prerequisites.h"
#include "engine/Removal.h"
#include "product/Catalogue.h"
#include "product/FolderLayout.h"
#include "product/SetupConfig.h"
#include "registry/InstalledRecord.h"

using namespace SetUp;
using V = std::vector<int32_t>;
using Lines = std::vector<std::string>;

namespace {

const char kDetectorKey[] = "Software\\SetupTestBench\\NpfDetectApp";

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Engines are never destroyed: their detached workers may still be returning from a delivery.
CInstallEngine& NewEngine() {
    return *new CInstallEngine(CSetupConfig::Instance());
}

void SetDetectorResult(const std::string& text) {
    CRegKey key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kDetectorKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                              key.Receive(), nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key.Get(), "Result", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
}

class InstallEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        testbed::RemoveAllRecords();
        DeleteFolder(CFolderLayout::ProgramFilesProductDir(), false);
        DeleteFolder(CFolderLayout::PublicUserDataDir(), false);
        // The working folder stays: 7-Zip is written into it once per process.
        for (const char* archive : {"Velmora.AccessController.C.7z", "Velmora.Attendance.C.7z"}) {
            DeleteFileA((GetTempWorkDir() + archive).c_str());
        }
        RegDeleteTreeA(HKEY_CURRENT_USER, kDetectorKey);
        SetDriverQuestion(nullptr);
        root_ = testbed::MakeTempFolder("install root");
        CMenuAndDesk(root_, CSetupConfig::Instance(), CTextTable::Instance())
            .RemoveShortcuts(false);
    }

    std::string Installation() const { return root_ + "\\Velmora AC\\Velmora AC Client"; }
    std::string ClientFolder() const { return Installation() + "\\Client"; }
    std::string ServerFolder() const { return Installation() + "\\Server"; }

    // A finished fresh install of the features, as the machine would be left by it.
    void Install(const V& features) {
        auto& engine = NewEngine();
        CEngineRecorder recorder(engine);
        engine.StartInstall(features, root_);
        ASSERT_TRUE(recorder.WaitForReports(features.size() + 9))
            << "held at: " << recorder.LastStepStarted();
    }

    std::string root_;
};

}  // namespace

TEST_F(InstallEngineTest, FreshInstallReportsEveryStepAndLeavesTheProductInstalled) {
    auto& engine = NewEngine();
    CEngineRecorder recorder(engine);
    engine.StartInstall({0, 3, 5}, root_);
    EXPECT_EQ(engine.StepsTotal(), 12);
    ASSERT_TRUE(recorder.WaitForReports(12));
    EXPECT_EQ(recorder.Progress(), (V{8, 16, 25, 33, 41, 50, 58, 66, 75, 83, 91, 100}));

    const Lines status = recorder.Status();
    ASSERT_EQ(status.size(), 7u + 1 + 1 + 1 + 3);
    for (size_t i = 0; i < 7; ++i) {
        EXPECT_TRUE(status[i].rfind("Start installing vc", 0) == 0 ||
                    status[i].rfind("Installation completedvc", 0) == 0)
            << status[i];
    }
    EXPECT_EQ(status[7], "UninstallUpgrade Server");
    EXPECT_EQ(status[8], "Start installing NPF");
    EXPECT_EQ(status[9], "Start installing Nginx");
    EXPECT_EQ(status[10], "Start installing Basic Configuration");
    EXPECT_EQ(status[11], "Start installing Access Control");
    EXPECT_EQ(status[12], "Start installing Time and Attendance");

    EXPECT_EQ(EnumerateInstalledVariants(), std::vector<ProductVariant>{ProductVariant::AC});
    EXPECT_EQ(ReadInstalledValue("InstallLocation"), root_);
    EXPECT_EQ(ReadInstalledValue("DisplayVersion"), "1.11.1.7");
    EXPECT_EQ(ReadInstalledValue("ComponentList"), "0#4#2#12#101#106#103#112#5#6#107#108#8#110");
    for (const char* folder :
         {"\\Client\\Velmora.AccessController.C", "\\Client\\Velmora.Attendance.C",
          "\\Server\\Velmora.Attendance.S", "\\Server\\Velmora.AlarmCenter.S"}) {
        EXPECT_TRUE(Exists(Installation() + folder)) << folder;
    }
    EXPECT_TRUE(Exists(ClientFolder() + "\\Velmora.Framework.C.exe"));
    EXPECT_TRUE(Exists(ServerFolder() + "\\Velmora.Framework.S.exe"));
    // The edition carries no archive for component 2: nothing, and no error.
    EXPECT_FALSE(Exists(ClientFolder() + "\\Velmora.Log.C"));

    const std::string programFiles = CFolderLayout::ProgramFilesProductDir();
    for (const char* item : {"\\Nginx", "\\html", "\\uninstall.exe"}) {
        EXPECT_TRUE(Exists(programFiles + item)) << item;
    }
    EXPECT_TRUE(Exists(ClientFolder() + "\\ProductDescription.xml"));
    EXPECT_TRUE(Exists(ServerFolder() + "\\product_description.xml"));
    EXPECT_TRUE(Exists(CMenuAndDesk(root_, CSetupConfig::Instance(), CTextTable::Instance())
                           .StartFolder("1.11.1.7")));
    EXPECT_TRUE(Exists(root_ + "\\Velmora AC\\Drivers\\NpfOccupy.xml"));
    for (const auto& row : kRuntimeFileName) {
        EXPECT_TRUE(IsRuntimeInstalled(row.key)) << row.text;
    }
    EXPECT_EQ(ReadCompanionPluginVersion(), "1.0.0.82");
    EXPECT_FALSE(IsCaldryNeeded());
    // The 64-bit library took the client's place; the 32-bit one is kept aside.
    EXPECT_TRUE(Exists(ClientFolder() + "\\RunInWin32\\MultimediaComm.dll"));
    EXPECT_TRUE(Exists(ClientFolder() + "\\MultimediaComm.dll"));
    EXPECT_FALSE(Exists(ClientFolder() + "\\RunInWin64"));
}

// One archive after another: the overlapped engine writes the next feature's archives ahead
// (OverlapTest has its cancel).
TEST_F(InstallEngineTest, CancelDuringComponentsSkipsTheRestAndRollsBack) {
    enginetest::CScopedSequentialExtraction oneAfterAnother;
    auto& engine = NewEngine();
    CEngineRecorder recorder(engine);
    std::atomic<bool> heldAtFirstFeature{false};
    // Hold the worker once the first feature has counted, until the cancel is requested.
    recorder.SetProgressHook([&](int32_t percent) {
        if (percent == 58 && !heldAtFirstFeature.exchange(true)) {
            enginetest::WaitFor([&] { return engine.CancelRequested(); }, std::chrono::minutes(2));
        }
    });
    engine.StartInstall({0, 3, 5}, root_);
    ASSERT_TRUE(recorder.WaitForReports(6));
    // Bounded by time, not by a count of short sleeps: a busy machine unpacks slowly.
    ASSERT_TRUE(
        enginetest::WaitFor([&] { return heldAtFirstFeature.load(); }, std::chrono::minutes(2)));
    engine.RequestCancel();

    // 7 steps, then 0, then the roll-back's 8 reports.
    ASSERT_TRUE(recorder.WaitForReports(7 + 1 + 8));
    EXPECT_EQ(recorder.Progress(),
              (V{8, 16, 25, 33, 41, 50, 58, 0, 20, 40, 60, 80, 100, 100, 100, 100}));
    const Lines status = recorder.Status();
    EXPECT_EQ(std::count(status.begin(), status.end(), "Canceling installation"), 1);
    // The next feature was announced but none of its archives was even saved.
    EXPECT_FALSE(Exists(GetTempWorkDir() + "Velmora.AccessController.C.7z"));
    EXPECT_FALSE(Exists(GetTempWorkDir() + "Velmora.Attendance.C.7z"));

    EXPECT_TRUE(EnumerateInstalledVariants().empty());
    EXPECT_FALSE(Exists(Installation()));
    EXPECT_FALSE(Exists(root_ + "\\Velmora AC\\Drivers"));
    EXPECT_FALSE(Exists(CFolderLayout::ProgramFilesProductDir() + "\\Nginx"));
    EXPECT_FALSE(Exists(CFolderLayout::ProgramFilesProductDir() + "\\uninstall.exe"));
    EXPECT_TRUE(Exists(CFolderLayout::ProgramFilesProductDir() + "\\html"));
    EXPECT_FALSE(Exists(CMenuAndDesk(root_, CSetupConfig::Instance(), CTextTable::Instance())
                            .StartFolder("1.11.1.7")));
    CRegKey emulation;
    RegOpenKeyExA(HKEY_CURRENT_USER, kBrowserEmulationKey, 0, KEY_READ, emulation.Receive());
    for (const char* program : kBrowserEmulationPrograms) {
        EXPECT_NE(RegQueryValueExA(emulation.Get(), program, nullptr, nullptr, nullptr, nullptr),
                  ERROR_SUCCESS)
            << program;
    }
    EXPECT_FALSE(IsRemovalComplete(root_, CSetupConfig::Instance()));
}

TEST_F(InstallEngineTest, CancelAfterTheLastStepReturnsAndStillRollsBack) {
    auto& engine = NewEngine();
    CEngineRecorder recorder(engine);
    engine.StartInstall({0}, root_);
    ASSERT_TRUE(recorder.WaitForReports(10));
    engine.RequestCancel();
    ASSERT_TRUE(recorder.WaitForReports(10 + 1 + 8)) << "held at: " << recorder.LastStepStarted();
    const V progress = recorder.Progress();
    EXPECT_EQ(progress[9], 100);
    EXPECT_EQ(progress[10], 0);
    EXPECT_EQ(progress.back(), 100);
    EXPECT_TRUE(EnumerateInstalledVariants().empty());
    EXPECT_FALSE(Exists(Installation()));
}

TEST_F(InstallEngineTest, RemovalAnnouncesFiveStepsAndLeavesTheWebPages) {
    Install({0});
    testbed::WriteFile(root_ + "\\Velmora AC\\UserData\\db.sqlite", "data");
    auto& engine = NewEngine();
    CEngineRecorder recorder(engine);
    engine.StartRemoval();
    ASSERT_TRUE(recorder.WaitForReports(8));
    EXPECT_EQ(recorder.Progress(), (V{20, 40, 60, 80, 100, 100, 100, 100}));
    EXPECT_EQ(recorder.Status(), Lines{"Canceling installation"});
    EXPECT_EQ(engine.InstallRoot(), root_);
    EXPECT_TRUE(EnumerateInstalledVariants().empty());
    EXPECT_FALSE(Exists(Installation()));
    EXPECT_TRUE(Exists(CFolderLayout::ProgramFilesProductDir() + "\\html"));
    // The product folder still holds the user data: it is not deleted with it.
    EXPECT_TRUE(Exists(root_ + "\\Velmora AC\\UserData\\db.sqlite"));
    EXPECT_FALSE(IsRemovalComplete(root_, CSetupConfig::Instance()));

    DeleteUserData(root_, CSetupConfig::Instance());
    EXPECT_FALSE(Exists(root_ + "\\Velmora AC"));
}

TEST_F(InstallEngineTest, RemovalWithoutARecordStartsNothing) {
    auto& engine = NewEngine();
    CEngineRecorder recorder(engine);
    engine.StartRemoval();
    EXPECT_EQ(engine.InstallRoot(), "");
    EXPECT_TRUE(recorder.Status().empty());
    EXPECT_TRUE(recorder.Progress().empty());
}

TEST_F(InstallEngineTest, ModifyKeepsComponentsAnotherFeatureStillNeeds) {
    Install({0, 3, 10});
    ASSERT_TRUE(Exists(ClientFolder() + "\\Velmora.PersonalManagement.C"));
    auto& engine = NewEngine();
    CEngineRecorder recorder(engine);
    engine.StartModify({5}, {3});
    EXPECT_EQ(engine.StepsTotal(), 8);
    ASSERT_TRUE(recorder.WaitForReports(8));
    EXPECT_EQ(recorder.Progress().back(), 100);
    EXPECT_EQ(ReadInstalledValue("ComponentList"), "0#4#2#12#101#106#103#112#6#108#15#115#8#110");
    // Feature 3's own components went, the ones it shares with feature 10 stayed.
    EXPECT_FALSE(Exists(ClientFolder() + "\\Velmora.AccessController.C"));
    EXPECT_FALSE(Exists(ServerFolder() + "\\Velmora.AccessController.S"));
    EXPECT_TRUE(Exists(ClientFolder() + "\\Velmora.PersonalManagement.C"));
    EXPECT_TRUE(Exists(ServerFolder() + "\\Velmora.PersonalManagement.S"));
    EXPECT_TRUE(Exists(ServerFolder() + "\\Velmora.Attendance.S"));
    const Lines status = recorder.Status();
    EXPECT_EQ(status.front(), "UninstallAccess Control");
    EXPECT_EQ(status[1], "Start installing Time and Attendance");
}

TEST_F(InstallEngineTest, RepairListsFollowVersionLanguageAndEdition) {
    testbed::CreateRecord(ProductVariant::AC, {{"DisplayVersion", "3.2.1.5"},
                                               {"ComponentList", "0#4#2#12#101#10#13#113"},
                                               {"InstallLocation", root_}});
    const auto chinese =
        CInstallEngine::BuildRepairLists(testbed::MakeConfig(ProductVariant::AC, 1, 1, 1));
    EXPECT_EQ(chinese.install, (V{0, 9, 11}));
    EXPECT_EQ(chinese.removal, V{7});
    const auto english =
        CInstallEngine::BuildRepairLists(testbed::MakeConfig(ProductVariant::AC, 1, 0, 0));
    EXPECT_EQ(english.install, (V{0, 9}));
    const auto vs =
        CInstallEngine::BuildRepairLists(testbed::MakeConfig(ProductVariant::VS, 1, 1, 1));
    EXPECT_EQ(vs.install, (V{0, 7, 9, 11}));
    EXPECT_TRUE(vs.removal.empty());
    const std::pair<const char*, bool> versions[] = {
        {"3.4.0", false}, {"4.0", false}, {"1.11.1.7", false}, {"0.3", true}, {"", true}};
    for (const auto& version : versions) {
        testbed::CreateRecord(ProductVariant::AC, {{"DisplayVersion", version.first}});
        const auto lists =
            CInstallEngine::BuildRepairLists(testbed::MakeConfig(ProductVariant::AC, 1, 1, 1));
        EXPECT_EQ(lists.install, version.second ? (V{0, 9, 11}) : (V{0, 9})) << version.first;
    }
}

TEST_F(InstallEngineTest, ModifiedFeatureList) {
    EXPECT_EQ(CInstallEngine::ModifiedFeatures({0, 3, 10, 3}, {5, 1}, {3, 8}), (V{0, 10, 3, 5, 1}));
    EXPECT_EQ(CInstallEngine::ModifiedFeatures({}, {}, {2}), V{});
}

TEST_F(InstallEngineTest, RepairReinstallsTheRecordedFeaturesAndMovesIrsOut) {
    Install({0, 7});
    testbed::CreateRecord(ProductVariant::AC, {{"ComponentList", "0#4#2#12#101#106#103#112#10"}});
    auto& engine = NewEngine();
    CEngineRecorder recorder(engine);
    engine.StartRepair();
    EXPECT_EQ(engine.StepsTotal(), 1 + 1 + 9);
    ASSERT_TRUE(recorder.WaitForReports(11));
    const Lines status = recorder.Status();
    EXPECT_NE(std::find(status.begin(), status.end(), "UninstallDoranth"), status.end());
    EXPECT_EQ(ReadInstalledValue("ComponentList"), "0#4#2#12#101#106#103#112");
    // A second multimedia move gives the same result as the first.
    EXPECT_TRUE(Exists(ClientFolder() + "\\RunInWin32\\MultimediaComm.dll"));
    EXPECT_FALSE(Exists(ClientFolder() + "\\RunInWin64"));
}

TEST_F(InstallEngineTest, UpgradesChooseTheirListByInstallType) {
    Install({0, 5});
    // An older version of this edition without a component list but with its description file.
    testbed::CreateRecord(ProductVariant::AC,
                          {{"DisplayVersion", "1.10.0.0"}, {"ComponentList", ""}});
    CInstallMode mode;
    mode.Detect(CSetupConfig::Instance());
    ASSERT_EQ(mode.installType, InstallType::UpgradeByDescription);
    auto& byDescription = NewEngine();
    CEngineRecorder descriptionRecorder(byDescription);
    byDescription.StartUpgrade(mode.installType, {});
    // The client file names 0, 4, 12 and 8: feature 5, with feature 0 put first.
    EXPECT_EQ(byDescription.StepsTotal(), 2 + 10);
    ASSERT_TRUE(descriptionRecorder.WaitForReports(12));
    EXPECT_EQ(ReadInstalledValue("ComponentList"), "0#4#2#12#101#106#103#112#8#110");
    EXPECT_EQ(ReadInstalledValue("DisplayVersion"), "1.11.1.7");

    testbed::CreateRecord(ProductVariant::AC,
                          {{"DisplayVersion", "1.10.0.0"}, {"ComponentList", "0#4#2#12"}});
    mode.Detect(CSetupConfig::Instance());
    ASSERT_EQ(mode.installType, InstallType::UpgradeByComponentList);
    auto& byList = NewEngine();
    CEngineRecorder listRecorder(byList);
    byList.StartUpgrade(mode.installType, {});
    EXPECT_EQ(byList.StepsTotal(), 1 + 9);
    ASSERT_TRUE(listRecorder.WaitForReports(10));

    testbed::CreateRecord(ProductVariant::AC,
                          {{"DisplayVersion", "1.10.0.0"}, {"ComponentList", ""}});
    DeleteFolder(ClientFolder() + "\\ProductDescription.xml", false);
    mode.Detect(CSetupConfig::Instance());
    ASSERT_EQ(mode.installType, InstallType::UpgradeBlind);
    auto& blind = NewEngine();
    CEngineRecorder blindRecorder(blind);
    blind.StartUpgrade(mode.installType, {});
    EXPECT_EQ(blind.StepsTotal(), 0) << "a blind upgrade without features starts nothing";
    blind.StartUpgrade(mode.installType, {0, 11});
    EXPECT_EQ(blind.StepsTotal(), 2 + 10);
    ASSERT_TRUE(blindRecorder.WaitForReports(12));
    EXPECT_EQ(ReadInstalledValue("ComponentList"), "0#4#2#12#101#106#103#112#14#114");
}

TEST_F(InstallEngineTest, RepeatedCancelsNeverDeadlock) {
    for (int run = 0; run < 20; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        // Every other run cancels while the driver question is open on the worker thread.
        const bool duringQuestion = run % 2 == 1;
        SetDetectorResult(duringQuestion ? "A.exe;B.exe" : "success");
        auto& engine = NewEngine();
        CEngineRecorder recorder(engine);
        std::atomic<bool> asked{false};
        SetDriverQuestion([&](MessageKind kind, const std::string& process) {
            EXPECT_EQ(kind, MessageKind::NpfOccupied);
            EXPECT_EQ(process, "A.exe");
            asked = true;
            for (int i = 0; i < 2000 && !engine.CancelRequested(); ++i) {
                Sleep(5);
            }
            return false;
        });
        engine.StartInstall({0}, root_);
        if (duringQuestion) {
            for (int i = 0; i < 4000 && !asked; ++i) {
                Sleep(5);
            }
            ASSERT_TRUE(asked);
        } else {
            ASSERT_TRUE(recorder.WaitForReports(1 + run % 9));
        }
        engine.RequestCancel();
        const V progress = recorder.Progress();
        const size_t zero = std::find(progress.begin(), progress.end(), 0) - progress.begin();
        ASSERT_LT(zero, progress.size());
        ASSERT_TRUE(recorder.WaitForReports(zero + 1 + 8));
        EXPECT_EQ(recorder.Progress().back(), 100);
        EXPECT_TRUE(EnumerateInstalledVariants().empty());
    }
    SetDriverQuestion(nullptr);
}

namespace {

// Runs RequestCancel on a thread of its own; true when it returned within the bound. A call
// that never returns is left behind on its detached thread, and the test fails instead of hanging.
bool CancelReturnsWithin(CInstallEngine& engine, std::chrono::seconds bound) {
    auto returned = std::make_shared<std::atomic<bool>>(false);
    std::thread([&engine, returned] {
        engine.RequestCancel();
        *returned = true;
    }).detach();
    const auto deadline = std::chrono::steady_clock::now() + bound;
    while (!*returned && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return *returned;
}

}  // namespace

// A cancel before any start, during a modify or during a removal returns at once and changes
// nothing: those procedures never mark the worker done, so waiting for them never ended.
TEST_F(InstallEngineTest, CancelOutsideAFreshInstallReturnsAtOnce) {
    auto& idle = NewEngine();
    CEngineRecorder idleRecorder(idle);
    EXPECT_TRUE(CancelReturnsWithin(idle, std::chrono::seconds(20)));
    EXPECT_TRUE(idleRecorder.Progress().empty());
    EXPECT_TRUE(idleRecorder.Status().empty());

    Install({0});
    auto& modify = NewEngine();
    CEngineRecorder modifyRecorder(modify);
    modify.StartModify({3}, {});
    EXPECT_TRUE(CancelReturnsWithin(modify, std::chrono::seconds(20)));
    ASSERT_TRUE(modifyRecorder.WaitForReports(1 + 6));
    EXPECT_EQ(modifyRecorder.Progress().back(), 100);
    EXPECT_TRUE(Exists(ClientFolder() + "\\Velmora.PersonalManagement.C"));

    auto& removal = NewEngine();
    CEngineRecorder removalRecorder(removal);
    removal.StartRemoval();
    EXPECT_TRUE(CancelReturnsWithin(removal, std::chrono::seconds(20)));
    ASSERT_TRUE(removalRecorder.WaitForReports(8));
    EXPECT_EQ(removalRecorder.Progress(), (V{20, 40, 60, 80, 100, 100, 100, 100}));
    EXPECT_EQ(removalRecorder.Status(), Lines{"Canceling installation"});
    EXPECT_TRUE(EnumerateInstalledVariants().empty());
}

// The second cancel of an install starts no second roll-back.
TEST_F(InstallEngineTest, SecondCancelStartsNoSecondRollBack) {
    auto& engine = NewEngine();
    CEngineRecorder recorder(engine);
    engine.StartInstall({0}, root_);
    ASSERT_TRUE(recorder.WaitForReports(10));
    engine.RequestCancel();
    ASSERT_TRUE(recorder.WaitForReports(10 + 1 + 8));
    EXPECT_TRUE(CancelReturnsWithin(engine, std::chrono::seconds(20)));
    // The first cancel reported 0 and its status line before it returned; the second did neither.
    const V progress = recorder.Progress();
    EXPECT_EQ(std::count(progress.begin(), progress.end(), 0), 1);
    const Lines status = recorder.Status();
    EXPECT_EQ(std::count(status.begin(), status.end(), "Canceling installation"), 1);
    EXPECT_TRUE(EnumerateInstalledVariants().empty());
}

// Empty callables are ignored: an install and its roll-back run to their end without them.
TEST_F(InstallEngineTest, EmptyCallbacksAreIgnored) {
    auto& engine = NewEngine();
    engine.SetEventCallback(nullptr);
    engine.StartInstall({0}, root_);
    engine.RequestCancel();
    // The roll-back's last step deletes the browser-emulation entries.
    EXPECT_TRUE(enginetest::WaitFor([&] {
        CRegKey emulation;
        RegOpenKeyExA(HKEY_CURRENT_USER, kBrowserEmulationKey, 0, KEY_READ, emulation.Receive());
        return EnumerateInstalledVariants().empty() && !Exists(Installation()) &&
               RegQueryValueExA(emulation.Get(), kBrowserEmulationPrograms[0], nullptr, nullptr,
                                nullptr, nullptr) != ERROR_SUCCESS;
    }));
}

namespace {

// The step events of one procedure: each step starts, then finishes, in the plan's order.
void ExpectStepsInPlanOrder(const std::vector<CEngineEvent>& events, Procedure procedure,
                            const CInstallPlan& plan, std::vector<StepResult>* results) {
    std::vector<CEngineEvent> steps;
    for (const CEngineEvent& event : events) {
        if (event.procedure == procedure && (event.kind == EngineEventKind::StepStarted ||
                                             event.kind == EngineEventKind::StepFinished)) {
            steps.push_back(event);
        }
    }
    ASSERT_EQ(steps.size(), plan.steps.size() * 2);
    for (size_t i = 0; i < plan.steps.size(); ++i) {
        EXPECT_EQ(steps[2 * i].kind, EngineEventKind::StepStarted);
        EXPECT_EQ(steps[2 * i + 1].kind, EngineEventKind::StepFinished);
        EXPECT_EQ(steps[2 * i].stepIndex, static_cast<int32_t>(i));
        EXPECT_EQ(steps[2 * i + 1].step.kind, plan.steps[i].kind) << i;
        results->push_back(steps[2 * i + 1].stepResult);
    }
}

int32_t CountEnds(const std::vector<CEngineEvent>& events) {
    return static_cast<int32_t>(std::count_if(events.begin(), events.end(), [](const auto& e) {
        return e.kind == EngineEventKind::ProcedureFinished;
    }));
}

}  // namespace

// The end is its own event, delivered once and last, after every step of the plan.
TEST_F(InstallEngineTest, EventsFollowThePlanAndTheEndComesOnce) {
    auto& engine = NewEngine();
    CEngineRecorder recorder(engine);
    engine.StartInstall({0, 5}, root_);
    const CInstallPlan plan = engine.LastPlan();
    ASSERT_TRUE(recorder.WaitForEnd());
    ASSERT_TRUE(engine.WaitUntilIdle(std::chrono::seconds(60)));
    const std::vector<CEngineEvent> events = recorder.Events();
    std::vector<StepResult> results;
    ExpectStepsInPlanOrder(events, Procedure::Fresh, plan, &results);
    EXPECT_EQ(std::count(results.begin(), results.end(), StepResult::Done),
              static_cast<long>(results.size()));
    EXPECT_EQ(CountEnds(events), 1);
    EXPECT_EQ(events.back().kind, EngineEventKind::ProcedureFinished);
    EXPECT_EQ(events.back().result, ProcedureResult::Completed);
    EXPECT_EQ(recorder.Progress().back(), 100);
}

// A cancel while the driver question is open: the steps that look at a cancel are skipped, the
// install reports no end of its own, and the roll-back ends the run once.
TEST_F(InstallEngineTest, ACancelledInstallEndsOnceWithItsRollBack) {
    SetDetectorResult("A.exe");
    auto& engine = NewEngine();
    CEngineRecorder recorder(engine);
    std::atomic<bool> asked{false};
    SetDriverQuestion([&](MessageKind, const std::string&) {
        asked = true;
        for (int i = 0; i < 2000 && !engine.CancelRequested(); ++i) {
            Sleep(5);
        }
        return false;
    });
    engine.StartInstall({0}, root_);
    const CInstallPlan plan = engine.LastPlan();
    ASSERT_TRUE(enginetest::WaitFor([&] { return asked.load(); }));
    engine.RequestCancel();
    ASSERT_TRUE(recorder.WaitForEnd());
    ASSERT_TRUE(engine.WaitUntilIdle(std::chrono::seconds(60)));
    SetDriverQuestion(nullptr);
    const std::vector<CEngineEvent> events = recorder.Events();
    std::vector<StepResult> results;
    ExpectStepsInPlanOrder(events, Procedure::Fresh, plan, &results);
    for (size_t i = 0; i < plan.steps.size(); ++i) {
        const bool afterDriver = plan.steps[i].kind == StepKind::InstallWebServer ||
                                 plan.steps[i].kind == StepKind::InstallFeature ||
                                 plan.steps[i].kind == StepKind::CreateMenu;
        if (afterDriver) {
            EXPECT_EQ(results[i], StepResult::Skipped) << DescribeStep(plan.steps[i]);
        }
    }
    EXPECT_EQ(CountEnds(events), 1);
    EXPECT_EQ(events.back().procedure, Procedure::RollBack);
    EXPECT_EQ(events.back().result, ProcedureResult::CancelledAndRolledBack);
    EXPECT_TRUE(EnumerateInstalledVariants().empty());
}

// While an install is at work its record says so; a run that ends in any way takes the mark
// away, so that only a run that was killed leaves it for the next start to find.
TEST_F(InstallEngineTest, TheRecordIsMarkedWhileAnInstallIsAtWork) {
    SetDetectorResult("A.exe");
    auto& engine = NewEngine();
    CEngineRecorder recorder(engine);
    std::atomic<bool> asked{false};
    std::atomic<bool> release{false};
    std::string markDuringTheRun;
    SetDriverQuestion([&](MessageKind, const std::string&) {
        markDuringTheRun = ReadInstalledValue(kRunAtWorkValue);
        asked = true;
        for (int i = 0; i < 2000 && !release; ++i) {
            Sleep(5);
        }
        return false;
    });
    engine.StartInstall({0}, root_);
    ASSERT_TRUE(enginetest::WaitFor([&] { return asked.load(); }));
    release = true;
    ASSERT_TRUE(recorder.WaitForEnd());
    ASSERT_TRUE(engine.WaitUntilIdle(std::chrono::seconds(60)));
    SetDriverQuestion(nullptr);
    EXPECT_EQ(markDuringTheRun, "fresh install");
    EXPECT_EQ(ReadInstalledValue(kRunAtWorkValue), "");
    EXPECT_EQ(ReadInstalledValue("DisplayVersion"), "1.11.1.7");
    EXPECT_EQ(ReadInstalledValue("DisplayIcon"), ClientFolder() + "\\Velmora.Framework.C.exe,0");
    EXPECT_EQ(ReadInstalledValue("InstallDate").size(), 8u);
    // What Apps & Features shows: AC has no feature page, so nothing to modify; the size is what
    // the installation holds, in KB.
    auto number = [](const char* name) {
        DWORD value = 0;
        DWORD size = sizeof(value);
        const LSTATUS status =
            RegGetValueA(HKEY_LOCAL_MACHINE, ProductKeyPath(ProductVariant::AC).c_str(), name,
                         RRF_RT_REG_DWORD, nullptr, &value, &size);
        return status == ERROR_SUCCESS ? static_cast<int64_t>(value) : -1;
    };
    EXPECT_EQ(number("NoModify"), 1);
    EXPECT_EQ(number("NoRepair"), 0);
    EXPECT_EQ(number("EstimatedSize"), static_cast<int64_t>(TreeSizeBytes(Installation()) / 1024));
    EXPECT_GT(number("EstimatedSize"), 0);
}
