#pragma once
// Starting a program as the signed-in user rather than with the installer's rights: the desktop's
// shell, which runs unelevated in the user's session, is asked to start it
// (IShellDispatch2::ShellExecute through the desktop's shell view).
#include <string>

namespace SetUp {

// Asks the desktop's shell to open the program (an absolute path to an existing file) in its own
// folder. False, and nothing started, when the file is missing or there is no such shell to ask
// (none runs in this session, or it refused): the program is never started with the installer's
// rights instead. The outcome goes to the run's log.
bool StartAsSignedInUser(const std::string& program);

}  // namespace SetUp
