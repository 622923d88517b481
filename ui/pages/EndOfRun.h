#pragma once
// How every way out of the wizard's last pages ends the process.

// Waits, for 30 s at most, until no procedure of the engine runs any more: a removal reports
// 100 before its last steps, and leaving early must not cut them off.
void WaitForEngine();

// Waits for the engine, deletes the working folder and ends the process with exit code 0.
[[noreturn]] void EndRun();
