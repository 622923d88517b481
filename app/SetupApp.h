#pragma once
// The application object: start-up, then the wizard from its first page to the end of the run.
#include <windows.h>

class CsetupApp {
public:
    // Fonts, detection, context, then the wizard; always returns FALSE: the run is over when it
    // returns, and ExitCode says how it ended.
    BOOL InitInstance();
    int ExitCode() const { return exitCode_; }

private:
    int exitCode_ = 0;
};
