#pragma once
// File > Print: the whole script, as the editing area shows it, on the
// default printer or the one chosen in the printer dialog (`Device`).
#include "app/app.h"

constexpr const char* kNoPrinterMessage = "No printer could be opened.";

void PrintScript(App& app);
