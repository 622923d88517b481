#pragma once
// Starting a program as the signed-in user rather than with the installer's rights: the program
// is made a child of the desktop's shell, which runs unelevated in the user's session, and so
// takes the shell's token and the user's environment.
#include <string>

namespace SetUp {

// Starts the program (an absolute path to an existing file) in its own folder as a child of the
// desktop's shell. False, and nothing started, when the file is missing or there is no shell to
// start it under (none runs in this session, or it cannot be opened): the program is never
// started with the installer's rights instead. The outcome goes to the run's log.
bool StartAsSignedInUser(const std::string& program);

}  // namespace SetUp
