#pragma once
// The progress callable both progress pages give the engine. It runs on the worker thread and
// reaches the page only by posted messages: the percentage for the bar, then, at the first 100,
// the completion message, once.
#include <windows.h>

#include <atomic>

#include "engine/InstallEngine.h"

SetUp::ProgressCallback MakeProgressRelay(HWND page, std::atomic<bool>* completionPosted);
