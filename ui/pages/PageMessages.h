#pragma once
// The private messages the pages post themselves, from the engine's worker thread or to run
// something once they show.
#include <windows.h>

// The procedure has reached 100: open the next page. Posted once.
constexpr UINT kCompletionMessage = WM_USER + 200;
// A percentage in wParam, for the progress bar.
constexpr UINT kProgressMessage = WM_USER + 201;
// The removal finished page looks at what the removal left, once it shows.
constexpr UINT kCheckRemovalMessage = WM_USER + 203;
// A status line: lParam is a std::string the page takes over and deletes.
constexpr UINT kStatusMessage = WM_USER + 202;
