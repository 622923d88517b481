#pragma once
// The event callable both progress pages give the engine. It runs on the worker thread and
// reaches the page only by posted messages: the percentage for the bar, the status line where
// the page shows one, and the procedure's end, once, as the completion message with the result
// in wParam.
#include <windows.h>

#include <atomic>

#include "engine/InstallEngine.h"

SetUp::EventCallback MakeEventRelay(HWND page, bool showsStatus,
                                    std::atomic<bool>* completionPosted);
