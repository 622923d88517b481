#pragma once
// The one owner of the pages: runs a page, asks the table for the next one, and ends the run in
// one place, whichever way the last page ended.
#include "app/WizardTable.h"

// Runs the pages from the first step until the table ends the run, then ends it: waits for the
// engine's worker (bounded), deletes the working folder. Returns the process's exit code.
int RunWizard(const WizardStep& first);

// The end of every run, with or without the wizard: waits for the engine's worker (bounded),
// deletes the working folder, writes the log's last line. Returns the exit code it is given.
int EndRun(int exitCode);
