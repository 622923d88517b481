#pragma once
// The application object: start-up, then exactly one first page run modally.
#include <windows.h>

class CsetupApp {
public:
    // Fonts, detection, context, then the first page; always returns FALSE: the wizard runs
    // inside the first page's modal loop and the program ends when it returns.
    BOOL InitInstance();
};

// The three shared fonts, created once by start-up and used by every page and dialog.
struct SharedFonts {
    HFONT title = nullptr;     // 19, bold
    HFONT boldText = nullptr;  // 17, bold
    HFONT text = nullptr;      // 17, normal
};
const SharedFonts& GetSharedFonts();
void CreateSharedFonts();
