// Times the installer's way of unpacking a component archive (the resource written to the working
// folder, then 7-Zip started from there) against 7-Zip alone on the same
// archive, alternately, and reports the ratio and the peak memory of both (sampled: the
// installer's path in this process, 7-Zip alone in its own).
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "BenchMemory.h"
#include "base/FileSystem.h"
#include "base/Handles.h"
#include "base/TempWorkDir.h"
#include "deploy/Payload.h"

namespace {

const int kBenchArchive = 3000;

// SETUP_BENCH_ROUNDS, else 3.
int Rounds() {
    const char* text = std::getenv("SETUP_BENCH_ROUNDS");
    const int rounds = text != nullptr ? std::atoi(text) : 0;
    return rounds > 0 ? rounds : 3;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// 7za.exe started directly, without the command processor; its sampled peaks raise *privateMb
// and *workingSetMb.
double SevenZipAlone(const std::string& archive, const std::string& destination, double* privateMb,
                     double* workingSetMb, DWORD flags = CREATE_NO_WINDOW) {
    std::string line = "\"" + SetUp::GetTempWorkDir() + "7za.exe\" x \"" + archive + "\" -o\"" +
                       destination + "\" -aoa";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    const double start = Now();
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, flags, nullptr, nullptr,
                        &startup, &info)) {
        std::fprintf(stderr, "7za.exe did not start\n");
        return 0;
    }
    SetUp::CHandle process(info.hProcess);
    CloseHandle(info.hThread);
    CPeakMemory memory(process.Get());
    WaitForSingleObject(process.Get(), INFINITE);
    const double seconds = Now() - start;
    memory.Stop();
    *privateMb = std::max(*privateMb, memory.PrivateMb());
    *workingSetMb = std::max(*workingSetMb, memory.WorkingSetMb());
    return seconds;
}

// What ComponentDeployment::Install does, with the bench archive in place of a component's.
// Prints how long the resource write (with its pause) and the unpacking took.
double InstallerPath(const std::string& destination) {
    const double start = Now();
    SetUp::SaveResourceToTemp("Bench.7z", kBenchArchive, "ZIP");
    const double written = Now();
    SetUp::UnpackArchive(destination, "Bench.7z");
    const double end = Now();
    std::printf("  installer path: resource written %.2f s, 7-Zip ready and unpacked %.2f s\n",
                written - start, end - written);
    return end - start;
}

}  // namespace

int main() {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(kBenchArchive), "ZIP");
    if (found == nullptr) {
        std::fprintf(stderr, "the bench archive is not embedded\n");
        return 1;
    }
    const double archiveMb = SizeofResource(nullptr, found) / (1024.0 * 1024.0);
    const std::string root = SetUp::GetTempWorkDir() + "bench";
    std::vector<double> installer;
    std::vector<double> alone;
    double alonePrivateMb = 0;
    double aloneWorkingSetMb = 0;
    CPeakMemory memory;
    for (int round = 0; round < Rounds(); ++round) {
        SetUp::DeleteFolder(root, false);
        installer.push_back(InstallerPath(root + "\\installer"));
        alone.push_back(SevenZipAlone(SetUp::GetTempWorkDir() + "Bench.7z", root + "\\alone",
                                      &alonePrivateMb, &aloneWorkingSetMb));
        std::printf("  7za alone %.2f s\n", alone.back());
        // 7-Zip alone again, writing its progress into a hidden console of its own: what a
        // console costs it under Wine.
        double unused = 0;
        const double consoled =
            SevenZipAlone(SetUp::GetTempWorkDir() + "Bench.7z", root + "\\console", &unused,
                          &unused, CREATE_NEW_CONSOLE);
        std::printf("  7za alone in a hidden console %.2f s\n", consoled);
    }
    std::vector<std::string> unpacked;
    SetUp::ListFolder(root + "\\installer", unpacked);
    SetUp::DeleteFolder(root, false);

    memory.Stop();
    const double installerSeconds = Median(installer);
    const double aloneSeconds = Median(alone);
    std::printf("archive                     %.1f MB (%s unpacked)\n", archiveMb,
                unpacked.empty() ? "nothing" : unpacked.front().c_str());
    std::printf("installer path, median of %d %.3f s (resource write, 7za)\n", Rounds(),
                installerSeconds);
    std::printf("7za alone, median of %d      %.3f s\n", Rounds(), aloneSeconds);
    std::printf("ratio installer / 7za       %.2f\n", installerSeconds / aloneSeconds);
    std::printf("installer peak private      %.1f MB (working set %.1f MB)\n", memory.PrivateMb(),
                memory.WorkingSetMb());
    std::printf("7za alone peak private      %.1f MB (working set %.1f MB)\n", alonePrivateMb,
                aloneWorkingSetMb);
    return unpacked.empty() ? 1 : 0;
}
