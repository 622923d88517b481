#pragma once
// A run without a person: the wizard's decisions taken with the answers the command line gives,
// or the answer that loses no data, each written to the log. A quiet run shows no window of any
// kind; a passive one shows the progress page alone.
#include <cstdint>

#include "app/CommandLine.h"
#include "engine/InstallMode.h"
#include "product/SetupConfig.h"

// Does what the command line and detection call for and returns the exit code. The caller ends
// the run (the engine's worker, the working folder) afterwards.
int32_t RunUnattended(const CCommandLine& line, const CSetupConfig& config,
                      const CInstallMode& mode);
