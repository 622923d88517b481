// Times a fresh install of the edition's fixed feature set by the install engine against its
// floor: the same extractions and installer runs done back to back by one command script, plus
// the pauses the installer must make after each resource it writes. Reports both, their ratio
// and the process's peak private memory. Run it on a build with padded archives
// (bench/run-install-bench.sh).
#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "base/CommandProcessor.h"
#include "base/FileSystem.h"
#include "base/TempWorkDir.h"
#include "deploy/Payload.h"
#include "engine/InstallEngine.h"
#include "product/Catalogue.h"
#include "product/FolderLayout.h"
#include "product/SetupConfig.h"

namespace {

const std::vector<int32_t> kFeatures = {0, 3, 5};
const double kPauseAfterResource = 0.1;

// Runs the engine's fresh install and waits for its last percentage; prints when each step
// ended and what it announced, so that a slow step shows.
double EngineInstall(const std::string& root) {
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    auto& engine = *new SetUp::CInstallEngine();  // its worker may outlive this function
    const double start = Now();
    engine.SetStatusCallback([start](const std::string& line) {
        std::printf("  %7.2f s  %s\n", Now() - start, line.c_str());
    });
    engine.SetProgressCallback([&, start](int32_t percent) {
        std::printf("  %7.2f s  %d %%\n", Now() - start, percent);
        if (percent == 100) {
            std::lock_guard<std::mutex> lock(mutex);
            done = true;
            finished.notify_all();
        }
    });
    engine.StartInstall(kFeatures, root);
    std::unique_lock<std::mutex> lock(mutex);
    finished.wait(lock, [&] { return done; });
    return Now() - start;
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
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
        if (ComponentPackage(component)) {
            SetUp::ComponentDeployment deployment{root, component};
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

}  // namespace

int main() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string root = std::string(temp) + "bench root";
    SetUp::DeleteFolder(root, false);
    CreateDirectoryA(root.c_str(), nullptr);

    const double engineSeconds = EngineInstall(root);
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    const double installedMb = FolderMegabytes(root);
    const double archivesMb = FolderMegabytes(SetUp::GetTempWorkDir());

    const std::string script = SetUp::GetTempWorkDir() + "floor.cmd";
    const int resources = WriteFloorScript(script, root);
    const double scriptSeconds = RunScript(script);
    const double floorSeconds = scriptSeconds + resources * kPauseAfterResource;

    std::printf("payload written              %.1f MB (archives and installers)\n", archivesMb);
    std::printf("installed below the root     %.1f MB\n", installedMb);
    std::printf("engine fresh install         %.2f s\n", engineSeconds);
    std::printf("floor: script %.2f s + %d pauses of %.1f s = %.2f s\n", scriptSeconds, resources,
                kPauseAfterResource, floorSeconds);
    std::printf("ratio engine / floor         %.2f\n", engineSeconds / floorSeconds);
    std::printf("peak private memory          %.1f MB\n",
                counters.PeakPagefileUsage / (1024.0 * 1024.0));
    std::printf("peak working set             %.1f MB\n",
                counters.PeakWorkingSetSize / (1024.0 * 1024.0));
    return installedMb > 0 ? 0 : 1;
}
