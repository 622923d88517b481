#pragma once
// Where the run's log goes and what it starts with.
#include <string>

#include "app/CommandLine.h"
#include "product/SetupConfig.h"

// <Windows>\Temp\<brand> <edition> setup <yyyyMMdd-HHmmss>.log: a folder only administrators
// can write, so that nobody can plant a link where the elevated installer will write.
std::string DefaultLogPath(const CSetupConfig& config);

// Opens the log at the chosen path, or at the default one when there is none or it cannot be
// written (said in the log), and writes the heading: setup, Windows, language, command line.
void StartRunLog(const CCommandLine& line, const std::string& commandLine,
                 const CSetupConfig& config);
