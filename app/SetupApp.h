#pragma once
// The application object: start-up, then the wizard from its first page to the end of the run.
#include <windows.h>

#include "base/ComApartment.h"

class CsetupApp {
public:
    // Fonts, detection, context, then the wizard; always returns FALSE: the run is over when it
    // returns, and ExitCode says how it ended.
    BOOL InitInstance();
    int ExitCode() const { return exitCode_; }

private:
    int exitCode_ = 0;
    // The wizard's thread stays in one apartment for the run: the skin's pictures and the folder
    // browser use COM, and joining and leaving for each would rebuild the apartment every time.
    SetUp::CComFallback apartment_;
};
