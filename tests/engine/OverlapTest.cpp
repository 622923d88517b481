// The install engine with its archives unpacked side by side, against the same engine unpacking
// one after another (its switch, SETUP_SEQUENTIAL_EXTRACTION): the same files, the same events in
// the same order, the same failure, and a cancel that waits for what runs before rolling back.
// Real archives, real 7-Zip, under Wine.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "EngineRecorder.h"
#include "EngineTestSupport.h"
#include "base/FileSystem.h"
#include "base/Handles.h"
#include "base/StringUtil.h"
#include "base/SystemInfo.h"
#include "base/TempWorkDir.h"
#include "common/TestMachine.h"
#include "deploy/DriverQuestion.h"
#include "deploy/MenuAndDesk.h"
#include "engine/InstallEngine.h"
#include "engine/Prerequisites.h"
#include "engine/UnpackLimit.h"
#include "product/Catalogue.h"
#include "product/FolderLayout.h"
#include "product/SetupConfig.h"
#include "registry/InstalledRecord.h"

using namespace SetUp;
using Lines = std::vector<std::string>;

namespace {

const char kDetectorKey[] = "Software\\SetupTestBench\\NpfDetectApp";
// Feature 3's first archive: written only once feature 0's archives are unpacked, unless the
// engine writes ahead.
const char kAheadArchive[] = "Velmora.AccessController.C.7z";

CInstallEngine& NewEngine() {
    return *new CInstallEngine(CSetupConfig::Instance());
}

// One line per event, with everything a listener can see of it.
std::string EventLine(const CEngineEvent& event) {
    switch (event.kind) {
        case EngineEventKind::StepStarted:
            return FormatString("started %d ", event.stepIndex) + DescribeStep(event.step);
        case EngineEventKind::StepFinished:
            return FormatString("finished %d %s ", event.stepIndex,
                                StepResultName(event.stepResult)) +
                   event.detail + (event.diskFull ? " (disk full)" : "");
        case EngineEventKind::Progress:
            return FormatString("%d %%", event.percent);
        case EngineEventKind::Status:
            return "status " + event.text;
        case EngineEventKind::ProcedureFinished:
            return std::string("end ") + ProcedureName(event.procedure) + " " +
                   ProcedureResultName(event.result) + " " + event.detail;
    }
    return "?";
}

Lines EventLines(const std::vector<CEngineEvent>& events) {
    Lines lines;
    for (const CEngineEvent& event : events) {
        lines.push_back(EventLine(event));
    }
    return lines;
}

// Every file below the folder with its bytes, by path.
Lines FilesWithContents(const std::string& folder) {
    Lines files;
    for (const std::string& path : enginetest::ListTree(folder, true)) {
        files.push_back(path + (path.back() == '\\' ? "" : " = " + enginetest::ReadAll(path)));
    }
    return files;
}

int32_t CountSevenZips() {
    CFileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    int32_t count = 0;
    for (BOOL more = Process32First(snapshot.Get(), &entry); more;
         more = Process32Next(snapshot.Get(), &entry)) {
        count += _stricmp(entry.szExeFile, "7za.exe") == 0 ? 1 : 0;
    }
    return count;
}

// What the step that installs the feature came to ("done", "failed", ...); "none" when it did
// not start.
std::string FeatureStepResult(const Lines& events, int32_t feature) {
    const std::string title = " install feature " + std::to_string(feature) + " ";
    for (const std::string& line : events) {
        if (line.rfind("started ", 0) != 0 || line.find(title) == std::string::npos) {
            continue;
        }
        const std::string index = line.substr(8, line.find(' ', 8) - 8);
        for (const std::string& end : events) {
            if (end.rfind("finished " + index + " ", 0) == 0) {
                return end.substr(9 + index.size() + 1);
            }
        }
    }
    return "none";
}

struct CRun {
    Lines events;
    Lines files;
    // Whether feature 3's first archive was in the working folder when feature 0 finished.
    bool aheadWhenFirstFeatureFinished = false;
};

class OverlapTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (UnpackingsAtOnce() < 2) {
            GTEST_SKIP() << "one processor: the engine unpacks one archive after another";
        }
        RegDeleteTreeA(HKEY_CURRENT_USER, kDetectorKey);
        SetDriverQuestion(nullptr);
        root_ = testbed::MakeTempFolder("overlap root");
        // The runtimes and companions in place, so that both runs send the same status lines.
        for (const auto& row : kRuntimeFileName) {
            if (RuntimeAppliesTo(row.key, IsNative64Bit())) {
                InstallRuntime(row.key);
            }
        }
        if (IsPellowanNeeded()) {
            InstallPellowan();
        }
        if (IsCaldryNeeded()) {
            InstallCaldry();
        }
    }

    // The machine as before an install: no record, nothing below the root or in Program Files,
    // no archive of a component in the working folder.
    void PutBack() {
        testbed::RemoveAllRecords();
        DeleteFolder(CFolderLayout::ProgramFilesProductDir(), false);
        DeleteFolder(root_ + "\\Velmora AC", false);
        for (int32_t component : ExpandFeatures({0, 3, 5, 10})) {
            DeleteFileA(
                (GetTempWorkDir() + ComponentName(CSetupConfig::Instance(), component) + ".7z")
                    .c_str());
        }
        CMenuAndDesk(root_, CSetupConfig::Instance(), CTextTable::Instance())
            .RemoveShortcuts(false);
    }

    std::string ClientFolder() const { return enginetest::InstallationFolder(root_) + "\\Client"; }

    // A fresh install of the features to its end (the roll-back's, when it fails), with what the
    // listener saw and what it left.
    CRun Install(const std::vector<int32_t>& features,
                 const std::function<void()>& beforeStart = {}) {
        PutBack();
        if (beforeStart) {
            beforeStart();
        }
        CRun run;
        auto& engine = NewEngine();
        CEngineRecorder recorder(engine);
        recorder.SetProgressHook([&](int32_t) {
            // A percentage within the first feature's step: the one it counted.
            const std::vector<CEngineEvent> events = recorder.Events();
            const auto started =
                std::find_if(events.rbegin(), events.rend(), [](const CEngineEvent& event) {
                    return event.kind == EngineEventKind::StepStarted;
                });
            if (started != events.rend() && started->step.kind == StepKind::InstallFeature &&
                started->step.argument == features.front()) {
                run.aheadWhenFirstFeatureFinished =
                    enginetest::Exists(GetTempWorkDir() + kAheadArchive);
            }
        });
        engine.StartInstall(features, root_);
        EXPECT_TRUE(recorder.WaitForEnd());
        EXPECT_TRUE(engine.WaitUntilIdle(std::chrono::seconds(120)));
        run.events = EventLines(recorder.Events());
        run.files = FilesWithContents(root_);
        return run;
    }

    std::string root_;
};

}  // namespace

// Features 3 and 10 share components 6 and 108; the overlapped engine unpacks them once.
TEST_F(OverlapTest, SameFilesAndEventsAsOneArchiveAfterAnother) {
    const std::vector<int32_t> features = {0, 3, 5, 10};
    CRun sequential;
    {
        enginetest::CScopedSequentialExtraction oneAfterAnother;
        sequential = Install(features);
    }
    const CRun overlapped = Install(features);

    ASSERT_FALSE(sequential.events.empty());
    EXPECT_EQ(overlapped.events, sequential.events);
    EXPECT_EQ(overlapped.events.back(), "end fresh install completed ");
    EXPECT_EQ(overlapped.files, sequential.files);
    EXPECT_TRUE(enginetest::Exists(ClientFolder() + "\\Velmora.PersonalManagement.C"));
    EXPECT_TRUE(enginetest::Exists(ClientFolder() + "\\Velmora.Framework.C.exe"));
    // The overlap did happen: feature 3's archive was written while feature 0 still unpacked.
    EXPECT_FALSE(sequential.aheadWhenFirstFeatureFinished);
    EXPECT_TRUE(overlapped.aheadWhenFirstFeatureFinished);
}

// A file where feature 3's second component wants its folder: 7-Zip cannot unpack it. The step
// of feature 3 fails as it does one archive after another, feature 0 is done, feature 5 never is,
// and the roll-back leaves the root as it was.
TEST_F(OverlapTest, AFailingArchiveInTheMiddleFailsItsStepAndTheRollBackLeavesNothing) {
    const std::vector<int32_t> features = {0, 3, 5};
    const auto plant = [&] {
        testbed::WriteFile(ClientFolder() + "\\Velmora.PersonalManagement.C", "in the way");
    };
    CRun sequential;
    {
        enginetest::CScopedSequentialExtraction oneAfterAnother;
        sequential = Install(features, plant);
    }
    const CRun overlapped = Install(features, plant);

    EXPECT_EQ(overlapped.events, sequential.events);
    const Lines& events = overlapped.events;
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back().rfind("end roll-back failed 7-Zip ended with exit code", 0), 0u)
        << events.back();
    EXPECT_NE(events.back().find("Velmora.PersonalManagement.C.7z"), std::string::npos);
    EXPECT_EQ(FeatureStepResult(events, 0).rfind("done", 0), 0u);
    EXPECT_EQ(FeatureStepResult(events, 3).rfind("failed 7-Zip ended", 0), 0u);
    EXPECT_EQ(FeatureStepResult(events, 5).rfind("skipped", 0), 0u);
    EXPECT_TRUE(overlapped.files.empty()) << overlapped.files.front();
    EXPECT_TRUE(EnumerateInstalledVariants().empty());
    EXPECT_EQ(CountSevenZips(), 0);
}

// A cancel while the first feature is reported and the next one's archives already unpack: no
// archive starts after it, the running ones are waited for, and the roll-back takes everything,
// the archives unpacked ahead too.
TEST_F(OverlapTest, CancelDuringOverlappedUnpackingWaitsThenRollsBack) {
    PutBack();
    auto& engine = NewEngine();
    CEngineRecorder recorder(engine);
    std::atomic<bool> held{false};
    std::atomic<bool> ahead{false};
    recorder.SetProgressHook([&](int32_t percent) {
        // Feature 0 of {0, 3, 5} counted: hold the worker there until the cancel comes.
        if (percent == 58 && !held.exchange(true)) {
            ahead = enginetest::Exists(GetTempWorkDir() + kAheadArchive);
            enginetest::WaitFor([&] { return engine.CancelRequested(); }, std::chrono::minutes(2));
        }
    });
    engine.StartInstall({0, 3, 5}, root_);
    ASSERT_TRUE(enginetest::WaitFor([&] { return held.load(); }, std::chrono::minutes(2)));
    engine.RequestCancel();
    ASSERT_TRUE(recorder.WaitForEnd());
    ASSERT_TRUE(engine.WaitUntilIdle(std::chrono::seconds(120)));

    EXPECT_TRUE(ahead.load());
    EXPECT_EQ(recorder.Progress(), (std::vector<int32_t>{8, 16, 25, 33, 41, 50, 58, 0, 20, 40, 60,
                                                         80, 100, 100, 100, 100}));
    const std::vector<CEngineEvent> events = recorder.Events();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back().procedure, Procedure::RollBack);
    EXPECT_EQ(events.back().result, ProcedureResult::CancelledAndRolledBack);
    // The cancel came before feature 3's step began: it and feature 5 are skipped, unannounced,
    // as one archive after another, although their archives had started.
    const Lines lines = EventLines(events);
    EXPECT_EQ(FeatureStepResult(lines, 0), "done ");
    EXPECT_EQ(FeatureStepResult(lines, 3).rfind("skipped", 0), 0u);
    EXPECT_EQ(FeatureStepResult(lines, 5).rfind("skipped", 0), 0u);
    const Lines status = recorder.Status();
    EXPECT_EQ(std::count(status.begin(), status.end(), "Start installing Access Control"), 0);
    EXPECT_EQ(CountSevenZips(), 0);
    EXPECT_TRUE(EnumerateInstalledVariants().empty());
    EXPECT_FALSE(enginetest::Exists(enginetest::InstallationFolder(root_)));
    EXPECT_EQ(enginetest::ListTree(root_, true), Lines{});
}
