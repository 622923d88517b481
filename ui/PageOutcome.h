#pragma once
// How a page ends: the wizard's host reads the outcome and opens the next page, or ends the run.
// A page ends its dialog with the outcome as the result (PageResult) and leaves its choices in
// CInstallContext.
#include <windows.h>

enum class PageOutcome : int {
    // IDCANCEL, the platform's cancel: a confirmed close, Escape on a feature page, a closed end
    // page. Any result that is not an outcome counts as this.
    Closed = IDCANCEL,
    Next = 100,
    Previous,
    Install,
    Modify,
    Repair,
    Remove,
    Completed,  // a procedure reached its end
    Stopped,    // a cancelled install was rolled back
    Finished,
    Refused,  // the page refused to go on and said why
    Failed,   // a procedure failed (a fresh install was rolled back)
};

constexpr INT_PTR PageResult(PageOutcome outcome) {
    return static_cast<INT_PTR>(outcome);
}

constexpr PageOutcome ToPageOutcome(INT_PTR result) {
    return result >= PageResult(PageOutcome::Next) && result <= PageResult(PageOutcome::Failed)
               ? static_cast<PageOutcome>(result)
               : PageOutcome::Closed;
}
