#pragma once
#include "app/FirstPage.h"

// Constructs the chosen page and runs it modally on the user-interface thread. A message
// dialog's kind is stored in the install context before the dialog is constructed.
void RunFirstPage(const FirstPageChoice& choice);
