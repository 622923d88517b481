#pragma once
// The three shared fonts, created once by start-up and used by every page and dialog.
#include <windows.h>

struct SharedFonts {
    HFONT title = nullptr;     // 19, bold
    HFONT boldText = nullptr;  // 17, bold
    HFONT text = nullptr;      // 17, normal
};
const SharedFonts& GetSharedFonts();
void CreateSharedFonts();
