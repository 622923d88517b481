// What a person waits for in the wizard, measured side by side in one run:
// - from process start to the first page painted and idle, against a minimal dialog program of
//   ours started the same way;
// - the user-interface thread's longest stall during an install: a second thread sends the page
//   a message and times the round trip, with a bounded wait.
// bench_ui [rounds]
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "BenchClock.h"
#include "MinimalDialog.h"
#include "base/FileSystem.h"
#include "driver/UiDriver.h"
#include "engine/ProcessControl.h"
#include "product/ResourceIds.h"
#include "registry/InstalledRecord.h"

using namespace uidriver;

namespace {

// The program's visible window with the control, looked for every millisecond: the driver's
// 20 ms steps would add up to 20 ms to a program that shows its window only when it is ready.
CWindow WaitForPage(DWORD processId, int controlId) {
    const double end = Now() + 60;
    while (Now() < end) {
        for (HWND window : TopWindows(processId)) {
            if (GetDlgItem(window, controlId) != nullptr) {
                return CWindow(window);
            }
        }
        Sleep(1);
    }
    return CWindow();
}

// Seconds from CreateProcess until the program shows a window with the control and its thread
// waits for input with that window painted.
double TimeToFirstPage(const std::string& program, int controlId) {
    const double start = Now();
    CProgram run(program);
    if (!run.Started()) {
        return -1;
    }
    const CWindow page = WaitForPage(run.Id(), controlId);
    if (!page) {
        return -1;
    }
    // The paint is done once a round trip through the page's queue comes back after it.
    RedrawWindow(page.Handle(), nullptr, nullptr, RDW_UPDATENOW);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(page.Handle(), WM_NULL, 0, 0, SMTO_BLOCK, 60000, &ignored);
    return Now() - start;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// The longest round trip of a message to the page while the install runs, in seconds.
double LongestStallDuringInstall(const std::string& setup) {
    CProgram run(setup);
    const CWindow page = WaitForWindowWith(run.Id(), IDC_PATH_BOX, 60000);
    if (!page || !page.ClickControl(IDC_NEXT)) {
        return -1;
    }
    const CWindow progress = WaitForWindowWith(run.Id(), IDC_PROGRESS, 60000);
    if (!progress) {
        return -1;
    }
    std::atomic<bool> finished{false};
    double longest = 0;
    std::thread probe([&] {
        while (!finished) {
            const double sent = Now();
            DWORD_PTR ignored = 0;
            // Bounded: a page that never answers counts as a stall of the whole bound.
            SendMessageTimeoutA(progress.Handle(), WM_NULL, 0, 0, SMTO_BLOCK, 30000, &ignored);
            longest = std::max(longest, Now() - sent);
            Sleep(10);
        }
    });
    const CWindow finish = WaitForWindowWith(run.Id(), IDC_DESKTOP_CHECK, 600000);
    finished = true;
    probe.join();
    if (!finish) {
        return -1;
    }
    finish.ClickControl(IDC_CLIENT_CHECK);
    finish.ClickControl(IDC_FINISH);
    run.WaitExit(60000);
    SetUp::KillProcessByName("Velmora.Framework.S.exe");
    return longest;
}

// Takes the product off again, so that the next install starts fresh.
void Clean() {
    const std::string root = SetUp::ReadInstalledValue("InstallLocation");
    for (int variant = 0; variant < 6; ++variant) {
        RegDeleteKeyA(HKEY_LOCAL_MACHINE,
                      SetUp::ProductKeyPath(static_cast<ProductVariant>(variant)).c_str());
    }
    if (!root.empty()) {
        SetUp::DeleteFolder(root + "\\Velmora AC", false);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_ui SETUP_EXE MINIMAL_EXE [rounds]\n");
        return 2;
    }
    const std::string setup = argv[1];
    const std::string minimal = argv[2];
    const int rounds = argc > 3 ? std::atoi(argv[3]) : 5;
    std::vector<double> setupTimes;
    std::vector<double> minimalTimes;
    for (int round = 0; round < rounds; ++round) {
        // Alternating, so that a slow moment of the machine falls on both.
        minimalTimes.push_back(TimeToFirstPage(minimal, kMinimalControl));
        setupTimes.push_back(TimeToFirstPage(setup, IDC_PATH_BOX));
        std::printf("round %d: setup.exe %.3f s, minimal dialog %.3f s\n", round + 1,
                    setupTimes.back(), minimalTimes.back());
    }
    const double setupMedian = Median(setupTimes);
    const double minimalMedian = Median(minimalTimes);
    std::printf("first page painted: setup.exe %.3f s, minimal dialog %.3f s, ratio %.2f\n",
                setupMedian, minimalMedian, minimalMedian > 0 ? setupMedian / minimalMedian : 0);
    Clean();
    const double stall = LongestStallDuringInstall(setup);
    Clean();
    std::printf("longest user-interface stall during an install: %.0f ms\n", stall * 1000);
    return 0;
}
