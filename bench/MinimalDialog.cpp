// The floor of the start-up benchmark: the least dialog program, started the same way as
// setup.exe. It opens one dialog and paints it; nothing else.
#include <windows.h>

#include "MinimalDialog.h"

namespace {

INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) {
        return TRUE;
    }
    if (message == WM_CLOSE) {
        EndDialog(window, 0);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return static_cast<int>(
        DialogBoxParamA(instance, MAKEINTRESOURCEA(kMinimalDialog), nullptr, &Procedure, 0));
}
