#pragma once
// The log of one run: plain UTF-8 lines, each with the time since the log was opened, written as
// the run goes so that a run that is killed leaves everything up to its last line. One per
// process; every thread may write. Without an open log, lines go nowhere (the test programs).
#include <string>

namespace SetUp {

// Creates the file new, never through a link: with replaceExisting an existing file or link at
// the path is first deleted as itself, without it an existing name fails. False when it cannot be
// created; the caller then picks another path.
bool OpenRunLog(const std::string& path, bool replaceExisting);
// The path of the open log; empty without one.
std::string RunLogPath();
// One line, prefixed with the seconds since the log was opened.
void LogLine(const std::string& line);
void CloseRunLog();

}  // namespace SetUp
