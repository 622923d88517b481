#pragma once
// Running outside programs through the command processor, hidden. The processor is always named
// by its full path in the system folder, so that a cmd.exe next to the installer (or anywhere
// else the search order reaches first) is never the one that runs.
#include <string>

#include "base/Handles.h"

namespace SetUp {

// The system folder + "\\cmd.exe".
std::string CommandProcessorPath();

// ShellExecuteExA of the command processor with the parameters, the verb ("open", or "runas" to
// ask for elevation) and a hidden window. Returns whether it started; the process handle, when
// one came back, goes to *process.
bool StartCommandProcessor(const std::string& parameters, const char* verb, CHandle* process);

// Starts the command processor and waits for it without a time limit; false when it could not
// be started. The exit code is not read.
bool RunCommandProcessor(const std::string& parameters);

}  // namespace SetUp
