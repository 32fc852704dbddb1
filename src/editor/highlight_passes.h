#pragma once
#include <string>
#include <vector>

#include "app/app.h"

// Formats every line, applies the editor font and puts the caret at 1, 1.
void HighlightAll(App& app);
// Formats the line the caret has just left (1-based) and puts the caret back
// on caretLine.
void HighlightLine(App& app, int line);
// Fills the editing area with lines just read from a file, in the editor
// font, in one transfer, and puts the caret at 1, 1. With `highlight` the
// result is that of loading them plain and running HighlightAll, since the
// loaded text starts plain black. (The control also takes rich text far
// faster than plain text: 10 MB plain costs it about a minute.)
void LoadText(App& app, const std::vector<std::string>& lines, bool highlight);
