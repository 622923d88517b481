#pragma once
// The question the capture-driver step asks while programs hold the driver: shown modally on the
// engine's worker thread, without an owner window. The wizard installs the dialog; the kind and
// the process name are handed to it directly, so that a question opened meanwhile on the
// user-interface thread (which goes through the shared message kind) cannot change its text.
#include <cstdint>
#include <functional>
#include <string>

#include "product/MessageKind.h"

namespace SetUp {

// Shows the question of the kind with the process name in its placeholder; true when the user
// confirmed (OK), false for anything else.
using DriverQuestion = std::function<bool(MessageKind messageKind, const std::string& processName)>;

// Installs the question the install step uses; callable from any thread. Until one is
// installed, the step asks nobody and goes on as if the user had declined.
void SetDriverQuestion(DriverQuestion question);
// A copy of the installed question (empty when none).
DriverQuestion GetDriverQuestion();

}  // namespace SetUp
