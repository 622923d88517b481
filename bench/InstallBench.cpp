// Times a fresh install of the edition's fixed feature set by the install engine, with its archives
// unpacked side by side (the default) and one after another (SETUP_SEQUENTIAL_EXTRACTION), against
// two floors in the same process, the machine put back as it was before each run:
//   same work: the programs the engine starts, started as the engine starts them, one after
//              another (7-Zip too), plus the pause after each resource the engine writes; it
//              alternates with the installs (F O S F O S ... F), so that each pair of installs
//              lies between two floors;
//   ideal:     every extraction and installer run from one command script, plus the pauses.
// Reports the ratios (medians of the rounds), each archive's unpacking time in the floors and
// what those times give with 1, 2, 4 and 8 unpackings at once under the engine's rules, the peak
// private memory of the install (sampled) and, given the path of setup.exe, the size of its code,
// data and resources. Run it on a build with padded archives (bench/run-install-bench.sh).
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "BenchImage.h"
#include "BenchMemory.h"
#include "base/CommandProcessor.h"
#include "base/Handles.h"
#include "base/SystemInfo.h"
#include "base/FileSystem.h"
#include "base/TempWorkDir.h"
#include "deploy/MenuAndDesk.h"
#include "product/TextTable.h"
#include "deploy/Payload.h"
#include "engine/InstallEngine.h"
#include "engine/Prerequisites.h"
#include "engine/ProcessControl.h"
#include "engine/UnpackLimit.h"
#include "product/Catalogue.h"
#include "product/FolderLayout.h"
#include "product/SetupConfig.h"

namespace {

const std::vector<int32_t> kFeatures = {0, 3, 5};
const double kPauseAfterResource = 0.1;

// Rounds of installs (and ideal floors): SETUP_BENCH_ROUNDS, else 3.
int Rounds() {
    const char* text = std::getenv("SETUP_BENCH_ROUNDS");
    const int rounds = text != nullptr ? std::atoi(text) : 0;
    return rounds > 0 ? rounds : 3;
}

// One component archive's unpacking in a floor: which, and how long 7-Zip took.
struct CArchiveTime {
    int32_t component;
    double seconds;
};

// What the engine decides from the machine before it starts; the floors repeat the same runs.
struct CMachineBefore {
    bool pellowanNeeded = false;
    bool caldryNeeded = false;
    bool runtimeInstalled[7] = {};
};

// Runs the engine's fresh install and waits for its end; with print, prints when each step ended
// and what it announced, so that a slow step shows. Sequential: one archive after another.
double EngineInstall(const std::string& root, bool print, bool sequential) {
    SetEnvironmentVariableA(SetUp::kSequentialExtractionVariable, sequential ? "1" : nullptr);
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    // Its worker may outlive this function.
    auto& engine = *new SetUp::CInstallEngine(CSetupConfig::Instance());
    const double start = Now();
    engine.SetEventCallback([&, start, print](const SetUp::CEngineEvent& event) {
        if (print && event.kind == SetUp::EngineEventKind::Status) {
            std::printf("  %7.2f s  %s\n", Now() - start, event.text.c_str());
        }
        if (print && event.kind == SetUp::EngineEventKind::Progress) {
            std::printf("  %7.2f s  %d %%\n", Now() - start, event.percent);
        }
        if (event.kind == SetUp::EngineEventKind::ProcedureFinished) {
            std::lock_guard<std::mutex> lock(mutex);
            done = true;
            finished.notify_all();
        }
    });
    engine.StartInstall(kFeatures, root);
    std::unique_lock<std::mutex> lock(mutex);
    finished.wait(lock, [&] { return done; });
    const double seconds = Now() - start;
    SetEnvironmentVariableA(SetUp::kSequentialExtractionVariable, nullptr);
    return seconds;
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

bool HasResource(int id, const char* type) {
    return FindResourceA(nullptr, MAKEINTRESOURCEA(id), type) != nullptr;
}

// The engine's external work as one script: 7-Zip on every archive it unpacked, the driver
// detector, the runtime and companion installers. Returns the number of resource files.
int WriteFloorScript(const std::string& script, const std::string& root) {
    const std::string work = SetUp::GetTempWorkDir();
    const std::string sevenZip = Quoted(work + "7za.exe");
    std::ofstream out(script);
    out << "@echo off\r\n";
    int resources = 0;
    auto extract = [&](const std::string& archive, const std::string& destination) {
        if (GetFileAttributesA((work + archive).c_str()) == INVALID_FILE_ATTRIBUTES) {
            return;
        }
        out << sevenZip << " x " << Quoted(work + archive) << " -o" << Quoted(destination)
            << " -aoa >nul\r\n";
        ++resources;
    };
    for (int32_t component : ExpandFeatures(kFeatures)) {
        const auto package = ComponentPackage(component);
        if (package && HasResource(*package, "ZIP")) {
            SetUp::ComponentDeployment deployment{root, component, CSetupConfig::Instance()};
            extract(deployment.FolderName() + ".7z", deployment.ParentFolder());
        }
    }
    extract("Nginx.7z", CFolderLayout::EnsureProgramFilesProductDir());
    const std::string drivers = CFolderLayout(root).DriversDir();
    extract("Npf.7z", drivers);
    out << Quoted(drivers + "\\NpfDetectApp.exe") << "\r\n";
    for (const auto& row : kRuntimeFileName) {
        out << Quoted(work + row.text) << " /q /norestart\r\n";
        ++resources;
    }
    for (const char* companion : {"Pellowan.exe", "Caldry.exe"}) {
        out << Quoted(work + companion) << " /verysilent\r\n";
        ++resources;
    }
    return resources + 1;  // and 7za.exe itself
}

// The detector's start as the driver step makes it: by its full path from its own folder,
// waited for.
void RunDetectorLikeEngine(const std::string& drivers) {
    SetUp::RunProgram(drivers + "\\NpfDetectApp.exe", "", nullptr, drivers);
}

// The engine's commands in its order, each started as the engine starts it, with the engine's
// command line, and a pause wherever the engine writes a resource to the working folder.
// Returns the seconds taken; *pauses gets the number of pauses.
double SameWorkFloor(const std::string& root, const CMachineBefore& before, bool writesSevenZip,
                     int* pauses, std::vector<CArchiveTime>* archives) {
    const std::string work = SetUp::GetTempWorkDir();
    *pauses = 0;
    auto pause = [&] {
        Sleep(static_cast<DWORD>(kPauseAfterResource * 1000));
        ++*pauses;
    };
    auto runSilently = [](const std::string& program, const char* switches) {
        SetUp::RunProgram(program, switches);
    };
    const double start = Now();
    // The running programs stopped, as the engine does first.
    SetUp::ProcessStopList(root, CSetupConfig::Instance()).StopPrograms();
    std::string phases;
    double mark = start;
    auto phase = [&](const char* name) {
        char text[64];
        std::snprintf(text, sizeof(text), " %s %.2f", name, Now() - mark);
        phases += text;
        mark = Now();
    };
    const bool wide = IsNative64Bit();
    for (const auto& row : kRuntimeFileName) {
        if ((wide || row.key.architecture == 0) &&
            !before.runtimeInstalled[&row - kRuntimeFileName.begin()]) {
            pause();
            runSilently(work + row.text, "/q /norestart");
        }
    }
    phase("runtimes");
    if (CSetupConfig::Instance().translator == 0) {
        SetUp::RemoveUpdateServer(CSetupConfig::Instance());
    }
    phase("update-server");
    pause();  // Npf.7z
    if (writesSevenZip) {
        pause();  // 7za.exe, written once in the process
    }
    const std::string drivers = CFolderLayout(root).DriversDir();
    SetUp::UnpackArchive(drivers, "Npf.7z");
    RunDetectorLikeEngine(drivers);
    phase("npf");
    pause();  // Nginx.7z; uninstall.exe goes without a pause
    SetUp::UnpackArchive(CFolderLayout::EnsureProgramFilesProductDir(), "Nginx.7z");
    phase("nginx");
    for (int32_t feature : kFeatures) {
        for (int32_t component : ExpandFeatures({feature})) {
            const SetUp::ComponentDeployment deployment{root, component, CSetupConfig::Instance()};
            const auto package = ComponentPackage(component);
            // An archive the package does not carry is neither written nor unpacked.
            if (package && HasResource(*package, "ZIP")) {
                pause();
                const double unpackStart = Now();
                SetUp::UnpackArchive(deployment.ParentFolder(), deployment.FolderName() + ".7z");
                archives->push_back({component, Now() - unpackStart});
            }
        }
    }
    phase("components");
    if (before.pellowanNeeded) {
        pause();
        runSilently(work + "Pellowan.exe", "/verysilent");
    }
    if (before.caldryNeeded) {
        pause();
        runSilently(work + "Caldry.exe", "/verysilent");
    }
    phase("companions");
    // The icon-cache program, written with its pause and followed by the shell's moment.
    SetUp::CMenuAndDesk(root, CSetupConfig::Instance(), CTextTable::Instance()).ClearIconCache();
    phase("icon-cache");
    std::printf("  floor steps (s):%s\n", phases.c_str());
    return Now() - start;
}

// Writes the files the same-work floor runs, as the engine would, so that a floor can run
// before the engine. Not timed.
void PrepareFloorFiles(const std::string& root) {
    const std::string work = SetUp::GetTempWorkDir();
    for (const auto& row : kRuntimeFileName) {
        SetUp::WriteResourceToFile(work + row.text, RuntimePackage(row.key).value_or(0), "EXE");
    }
    SetUp::WriteResourceToFile(work + "7za.exe", 326, "EXE");
    SetUp::WriteResourceToFile(work + "Npf.7z", 248, "ZIP");
    SetUp::WriteResourceToFile(work + "Nginx.7z", 250, "ZIP");
    for (int32_t component : ExpandFeatures(kFeatures)) {
        const SetUp::ComponentDeployment deployment{root, component, CSetupConfig::Instance()};
        SetUp::WriteResourceToFile(work + deployment.FolderName() + ".7z",
                                   ComponentPackage(component).value_or(0), "ZIP");
    }
    SetUp::WriteResourceToFile(work + "Pellowan.exe", 389, "EXE");
    SetUp::WriteResourceToFile(work + "Caldry.exe", 390, "EXE");
}

// Undoes what a floor leaves that would change the engine's decisions: the runtimes' and the
// companions' marks, the installed files. False when the machine still looks different.
bool RestoreMachine(const std::string& root, const CMachineBefore& before) {
    for (const auto& row : kRuntimeProductCode) {
        if (row.key.runtime == 0 && row.key.architecture == 1) {
            RegDeleteKeyExA(
                HKEY_LOCAL_MACHINE,
                (std::string("SOFTWARE\\Classes\\Installer\\Features\\") + row.text).c_str(),
                KEY_WOW64_64KEY, 0);
        } else {
            RegDeleteKeyExA(
                HKEY_LOCAL_MACHINE,
                (std::string("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\") +
                 row.text)
                    .c_str(),
                KEY_WOW64_32KEY, 0);
        }
    }
    RegDeleteKeyA(HKEY_CURRENT_USER, "SOFTWARE\\MozillaPlugins\\Veskar");
    RemoveDirectoryA("C:\\Program Files (x86)\\Caldry Components");
    SetUp::DeleteFolder(CFolderLayout::EnsureProgramFilesProductDir(), false);
    SetUp::DeleteFolder(root, false);
    CreateDirectoryA(root.c_str(), nullptr);
    bool same = SetUp::IsPellowanNeeded() == before.pellowanNeeded &&
                SetUp::IsCaldryNeeded() == before.caldryNeeded;
    for (const auto& row : kRuntimeFileName) {
        same = same && SetUp::IsRuntimeInstalled(row.key) ==
                           before.runtimeInstalled[&row - kRuntimeFileName.begin()];
    }
    return same;
}

double RunScript(const std::string& script) {
    const double start = Now();
    SetUp::RunCommandProcessor("/c " + Quoted(script));
    return Now() - start;
}

double FolderMegabytes(const std::string& folder) {
    double bytes = 0;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) {
        return 0;
    }
    do {
        const std::string name = entry.cFileName;
        if (name == "." || name == "..") {
            continue;
        }
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            bytes += FolderMegabytes(folder + "\\" + name) * 1024.0 * 1024.0;
        } else {
            bytes += static_cast<double>(entry.nFileSizeHigh) * 4294967296.0 + entry.nFileSizeLow;
        }
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    return bytes / (1024.0 * 1024.0);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double Mean(const std::vector<double>& values) {
    double sum = 0;
    for (double value : values) {
        sum += value;
    }
    return sum / static_cast<double>(values.size());
}

// The archives' unpacking with `slots` at once under the engine's rules (UnpackQueue.h): in order,
// an archive starts when a slot is free, no running archive's folder meets its own and no earlier
// waiting one's does; a component met before is not unpacked again. Writing the archives is left
// out. Returns the seconds from the first start to the last end.
double SimulatedUnpacking(const std::vector<CArchiveTime>& archives, int slots) {
    struct CJob {
        int32_t component;
        double seconds;
        double end = -1;  // < 0: not started
    };
    std::vector<CJob> jobs;
    for (const CArchiveTime& archive : archives) {
        jobs.push_back({archive.component, archive.seconds});
    }
    double now = 0;
    for (;;) {
        int running = 0;
        for (const CJob& job : jobs) {
            running += job.end > now ? 1 : 0;
        }
        for (size_t j = 0; j < jobs.size() && running < slots; ++j) {
            if (jobs[j].end >= 0) {
                continue;
            }
            bool blocked = false;
            for (size_t i = 0; i < jobs.size(); ++i) {
                const bool inTheWay = jobs[i].end > now || (i < j && jobs[i].end < 0);
                blocked = blocked || (i != j && inTheWay &&
                                      ComponentFoldersMeet(jobs[i].component, jobs[j].component));
            }
            if (!blocked) {
                jobs[j].end = now + jobs[j].seconds;
                ++running;
            }
        }
        double next = -1;
        for (const CJob& job : jobs) {
            if (job.end > now && (next < 0 || job.end < next)) {
                next = job.end;
            }
        }
        if (next < 0) {
            return now;
        }
        now = next;
    }
}

}  // namespace

// argv[1], when given, is setup.exe, whose parts are measured.
int main(int argc, char** argv) {
    if (argc > 1) {
        PrintImageParts(argv[1]);
    }
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string root = std::string(temp) + "bench root";
    SetUp::DeleteFolder(root, false);
    CreateDirectoryA(root.c_str(), nullptr);

    CMachineBefore before;
    before.pellowanNeeded = SetUp::IsPellowanNeeded();
    before.caldryNeeded = SetUp::IsCaldryNeeded();
    for (const auto& row : kRuntimeFileName) {
        before.runtimeInstalled[&row - kRuntimeFileName.begin()] =
            SetUp::IsRuntimeInstalled(row.key);
    }
    const double writeStart = Now();
    PrepareFloorFiles(root);
    const double writeSeconds = Now() - writeStart;

    // Same-work floors and engine installs alternate, F O S F O S ... F (O: archives side by
    // side, S: one after another), the machine put back as it was before each, so that every
    // pair of installs is bracketed by two floors: a change of the machine's load weighs on both
    // sides of its ratios. Each floor does what the next install does: only the first install
    // writes 7za.exe.
    const int rounds = Rounds();
    int pauses = 0;
    std::vector<double> sameWork;
    std::vector<double> overlapped;
    std::vector<double> sequential;
    std::vector<double> overlappedRatios;
    std::vector<double> sequentialRatios;
    std::vector<double> overlapGains;
    std::vector<std::vector<CArchiveTime>> archiveTimes;
    double installedMb = 0;
    double archivesMb = 0;
    double privateMb = 0;
    double workingSetMb = 0;
    auto restore = [&] {
        if (!RestoreMachine(root, before)) {
            std::printf("the machine could not be put back as it was\n");
            std::exit(1);
        }
    };
    auto runFloor = [&](bool writesSevenZip) {
        restore();
        archiveTimes.emplace_back();
        sameWork.push_back(
            SameWorkFloor(root, before, writesSevenZip, &pauses, &archiveTimes.back()));
    };
    std::printf("unpackings at once          %d (one per processor)\n", SetUp::UnpackingsAtOnce());
    runFloor(true);
    for (int round = 0; round < rounds; ++round) {
        restore();
        if (round == 0) {
            CPeakMemory memory;
            overlapped.push_back(EngineInstall(root, true, false));
            memory.Stop();
            privateMb = memory.PrivateMb();
            workingSetMb = memory.WorkingSetMb();
            installedMb = FolderMegabytes(root);
            archivesMb = FolderMegabytes(SetUp::GetTempWorkDir());
        } else {
            overlapped.push_back(EngineInstall(root, false, false));
        }
        restore();
        sequential.push_back(EngineInstall(root, round == 0, true));
        runFloor(false);
        const double floors = Mean({sameWork[round], sameWork[round + 1]});
        overlappedRatios.push_back(overlapped.back() / floors);
        sequentialRatios.push_back(sequential.back() / floors);
        overlapGains.push_back(overlapped.back() / sequential.back());
        std::printf(
            "round %d: floor %.2f s, overlapped %.2f s, sequential %.2f s, floor %.2f s: "
            "overlapped/floor %.3f, sequential/floor %.3f, overlapped/sequential %.3f\n",
            round + 1, sameWork[round], overlapped.back(), sequential.back(), sameWork[round + 1],
            overlappedRatios.back(), sequentialRatios.back(), overlapGains.back());
    }

    const std::string script = SetUp::GetTempWorkDir() + "floor.cmd";
    const int resources = WriteFloorScript(script, root);
    std::vector<double> ideal;
    for (int round = 0; round < rounds; ++round) {
        restore();
        ideal.push_back(RunScript(script) + resources * kPauseAfterResource);
    }
    const double sameWorkSeconds = Mean(sameWork);
    const double idealSeconds = Mean(ideal);

    // Each archive's unpacking: the median over the floors.
    std::vector<CArchiveTime> archives = archiveTimes.front();
    double unpackingSeconds = 0;
    std::printf("archives unpacked in the floors (medians of %d):\n",
                static_cast<int>(archiveTimes.size()));
    for (size_t i = 0; i < archives.size(); ++i) {
        std::vector<double> times;
        for (const auto& floorTimes : archiveTimes) {
            if (i < floorTimes.size()) {
                times.push_back(floorTimes[i].seconds);
            }
        }
        archives[i].seconds = Median(times);
        unpackingSeconds += archives[i].seconds;
        std::printf("  %-32s %.2f s\n",
                    ComponentName(CSetupConfig::Instance(), archives[i].component).c_str(),
                    archives[i].seconds);
    }
    std::printf("components' unpacking, from these times, under the engine's rules:\n");
    for (int slots : {1, 2, 4, 8}) {
        const double seconds = SimulatedUnpacking(archives, slots);
        std::printf("  %d at once: %6.2f s; the same-work floor would be %.2f s, %.3f of itself\n",
                    slots, seconds, sameWorkSeconds - unpackingSeconds + seconds,
                    (sameWorkSeconds - unpackingSeconds + seconds) / sameWorkSeconds);
    }

    std::printf("payload written              %.1f MB (archives and installers)\n", archivesMb);
    std::printf("installed below the root     %.1f MB\n", installedMb);
    std::printf("payload files written alone  %.2f s (not in the floors; the engine writes them)\n",
                writeSeconds);
    std::printf("engine install, overlapped   %.2f s (mean of %d)\n", Mean(overlapped), rounds);
    std::printf("engine install, sequential   %.2f s (mean of %d)\n", Mean(sequential), rounds);
    std::printf(
        "floor, same work             %.2f s (mean of %d; %d pauses of %.1f s in the last; "
        "its programs one after another)\n",
        sameWorkSeconds, static_cast<int>(sameWork.size()), pauses, kPauseAfterResource);
    std::printf("floor, ideal (one script)    %.2f s (mean of %d; %d pauses of %.1f s added)\n",
                idealSeconds, rounds, resources, kPauseAfterResource);
    std::printf("ratio overlapped / same work %.3f (median of the rounds' ratios)\n",
                Median(overlappedRatios));
    std::printf("ratio sequential / same work %.3f (median of the rounds' ratios)\n",
                Median(sequentialRatios));
    std::printf("ratio overlapped / sequential %.3f (median of the rounds' ratios)\n",
                Median(overlapGains));
    std::printf("ratio overlapped / ideal     %.3f (means)\n", Mean(overlapped) / idealSeconds);
    std::printf("peak private memory          %.1f MB (sampled during the first install)\n",
                privateMb);
    std::printf("peak working set             %.1f MB\n", workingSetMb);
    return installedMb > 0 ? 0 : 1;
}
