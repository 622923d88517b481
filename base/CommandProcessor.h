#pragma once
// Running outside programs, hidden. The command processor is always named by its full path in the
// system folder, so that a cmd.exe next to the installer (or anywhere else the search order
// reaches first) is never the one that runs. It gets "/d", so that no per-user AutoRun command
// runs with the installer's rights, and the system folder as its working folder, so that a
// program a script names without a path (sc) is found there before anywhere a user can write.
#include <string>

#include "base/Handles.h"

namespace SetUp {

// The system folder + "\\cmd.exe".
std::string CommandProcessorPath();

// "/d " followed by the parameters: what the command processor is actually given.
std::string CommandProcessorParameters(const std::string& parameters);

// ShellExecuteExA of the command processor with the parameters (after "/d"), the verb ("open",
// or "runas" to ask for elevation), the system folder as working folder and a hidden window.
// Returns whether it started; the process handle, when one came back, goes to *process.
bool StartCommandProcessor(const std::string& parameters, const char* verb, CHandle* process);

// Starts the command processor and waits for it without a time limit; false when it could not
// be started. Its exit code goes to *exitCode when asked for. Both go to the run's log.
bool RunCommandProcessor(const std::string& parameters, unsigned long* exitCode = nullptr);

// As RunCommandProcessor, started with CreateProcess and this process's environment in which
// TMP and TEMP name the temporary folder: for the installers the setup program runs, so that
// they unpack into the protected working folder. False when it could not be started or the
// folder is empty.
bool RunCommandProcessorWithTemp(const std::string& parameters, const std::string& tempFolder,
                                 unsigned long* exitCode = nullptr);

// Starts the program by its full path (never through the search order), hidden, with the
// arguments after the quoted path and the system folder as working folder, and waits for it
// without a time limit. False when it could not be started or the path is not absolute. Its exit
// code goes to *exitCode when asked for; the command line and the exit code go to the run's log.
bool RunProgram(const std::string& program, const std::string& arguments,
                unsigned long* exitCode = nullptr);

// Starts the program as RunProgram does and returns at once: the process handle goes to
// *process, for the caller to wait on. False when it could not be started.
bool StartProgram(const std::string& program, const std::string& arguments, CHandle* process);

// The exit code of a program started by StartProgram that has ended (1 when it cannot be
// read), written to the run's log with the program and its arguments.
unsigned long EndedProgramExitCode(HANDLE process, const std::string& program,
                                   const std::string& arguments);

}  // namespace SetUp
