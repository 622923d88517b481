#include "ui/pages/EndOfRun.h"

#include <chrono>

#include "ui/WizardEngine.h"

void WaitForEngine() {
    WizardEngine().WaitUntilIdle(std::chrono::seconds(30));
}
