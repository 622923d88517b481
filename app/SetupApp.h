#pragma once
// The application object: start-up, then exactly one first page run modally.
#include <windows.h>

class CsetupApp {
public:
    // Fonts, detection, context, then the first page; always returns FALSE: the wizard runs
    // inside the first page's modal loop and the program ends when it returns.
    BOOL InitInstance();
};
