#include "ui/pages/EndOfRun.h"

#include <chrono>
#include <cstdlib>

#include "base/TempWorkDir.h"
#include "ui/WizardEngine.h"

void WaitForEngine() {
    WizardEngine().WaitUntilIdle(std::chrono::seconds(30));
}

void EndRun() {
    WaitForEngine();
    // A cancelled or removed run must not leave hundreds of megabytes of archives behind.
    SetUp::DeleteTempWorkDir();
    std::exit(0);
}
