#include "ui/pages/EndOfRun.h"

#include <chrono>
#include <cstdlib>

#include "base/TempWorkDir.h"
#include "engine/InstallEngine.h"

void WaitForEngine() {
    SetUp::CInstallEngine::Instance().WaitUntilIdle(std::chrono::seconds(30));
}

void EndRun() {
    WaitForEngine();
    // A cancelled or removed run must not leave hundreds of megabytes of archives behind.
    SetUp::DeleteTempWorkDir();
    std::exit(0);
}
