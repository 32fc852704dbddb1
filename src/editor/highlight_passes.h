#pragma once
#include <string>
#include <vector>

#include "app/app.h"

// Formats every line, applies the editor font and puts the caret at 1, 1.
void HighlightAll(App& app);
// Formats the line the caret has just left (1-based) and puts the caret back
// on caretLine.
void HighlightLine(App& app, int line, int caretLine);
// Fills the editing area with lines just read from a file, highlighted, in
// one transfer; the same result as loading them plain and running
// HighlightAll, since the loaded text starts plain black.
void LoadHighlightedText(App& app, const std::vector<std::string>& lines);
