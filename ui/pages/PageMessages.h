#pragma once
// The private messages the progress pages post themselves from the engine's worker thread.
#include <windows.h>

// The procedure has reached 100: open the next page. Posted once.
constexpr UINT kCompletionMessage = WM_USER + 200;
// A percentage in wParam, for the progress bar.
constexpr UINT kProgressMessage = WM_USER + 201;
// A status line: lParam is a std::string the page takes over and deletes.
constexpr UINT kStatusMessage = WM_USER + 202;
