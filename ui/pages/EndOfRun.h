#pragma once
// Waiting for the engine before a page or the end of the run looks at what it leaves.

// Waits, for 30 s at most, until no procedure of the engine runs any more: a removal reports
// 100 before its last steps, and leaving early must not cut them off.
void WaitForEngine();
