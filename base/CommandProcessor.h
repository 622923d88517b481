#pragma once
// Starting outside programs, hidden, the one way the installer starts any: CreateProcessW with the
// program's full path as the application name (never the search order), its path quoted at the
// head of the command line, a working folder of the installer's choosing (the system folder
// unless said otherwise) and the system's default environment with TMP and TEMP naming the
// working folder (ChildEnvironment): nothing the signed-in user set reaches a program that runs
// with the installer's rights. The command processor, where a script needs one, is named by its
// full path in the system folder and gets "/d" (no per-user AutoRun) and "/v:off" (no delayed
// expansion of "!"), so that a program a script names without a path (sc) is found in the system
// folder, its working folder, with the system's PATHEXT.
#include <string>
#include <vector>

#include "base/Handles.h"

namespace SetUp {

// The system folder + "\\cmd.exe".
std::string CommandProcessorPath();

// "/d /v:off " followed by the parameters: what the command processor is actually given.
std::string CommandProcessorParameters(const std::string& parameters);

// The path in double quotes, for a command line.
std::string QuotedPath(const std::string& path);

// Starts the program (an absolute path) hidden with the arguments after its quoted path, in the
// folder (the system folder when empty). Returns whether it started; its handle goes to
// *process. The command line, or why it could not start, goes to the run's log.
bool StartProgram(const std::string& program, const std::string& arguments,
                  const std::string& folder, CHandle* process);

// Starts the program shown, in its own folder, as a child of the parent process
// (PROC_THREAD_ATTRIBUTE_PARENT_PROCESS, which needs PROCESS_CREATE_PROCESS on it): the program
// takes the parent's token, not this process's, and the environment given. Not waited for.
bool StartProgramUnder(const std::string& program, HANDLE parent,
                       std::vector<wchar_t>& environment);

// Starts the program as StartProgram does and waits for it without a time limit. False when it
// could not be started. Its exit code goes to *exitCode when asked for, and to the run's log.
bool RunProgram(const std::string& program, const std::string& arguments,
                unsigned long* exitCode = nullptr, const std::string& folder = {});

// RunProgram of the command processor with the parameters (after "/d /v:off").
bool RunCommandProcessor(const std::string& parameters, unsigned long* exitCode = nullptr);

// As RunProgram, with a bound: a program still at work after limitMs is ended, and waited for, so
// that one that hangs holds up nothing and nothing of its folder is in use afterwards. The bound
// goes to the run's log when it is reached. False when it could not be started.
bool RunProgramWithin(const std::string& program, const std::string& arguments,
                      unsigned long limitMs);
// RunProgramWithin of the command processor with the parameters (after "/d /v:off").
bool RunCommandProcessorWithin(const std::string& parameters, unsigned long limitMs);

// The exit code of a program started by StartProgram that has ended (1 when it cannot be
// read), written to the run's log with the program and its arguments.
unsigned long EndedProgramExitCode(HANDLE process, const std::string& program,
                                   const std::string& arguments);

}  // namespace SetUp
