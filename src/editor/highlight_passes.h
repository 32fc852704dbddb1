#pragma once
#include "app/app.h"

// Formats every line, applies the editor font and puts the caret at 1, 1.
void HighlightAll(App& app);
// Formats the line the caret has just left (1-based) and puts the caret back
// on caretLine.
void HighlightLine(App& app, int line, int caretLine);
