#include "ui/pages/EndOfRun.h"

#include <chrono>

#include "engine/InstallEngine.h"

void WaitForEngine() {
    SetUp::CInstallEngine::Instance().WaitUntilIdle(std::chrono::seconds(30));
}
