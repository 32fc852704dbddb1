#pragma once
#include <string>
#include <vector>

#include "app/app.h"

// Formats every line, applies the editor font and puts the caret at 1, 1.
// What the user can undo stays as it was.
void HighlightAll(App& app);
// Formats the line the caret has just left (1-based) and puts the selection
// back as it was.
void HighlightLine(App& app, int line);
// Fills the editing area with lines just read from a file, in the editor
// font, and puts the caret at 1, 1, with nothing to undo. With `highlight`
// the result is that of loading them plain and running HighlightAll, since
// the loaded text starts plain black. The text goes in formatted, a piece at
// a time, which the control takes in a time that grows with the text alone.
void LoadText(App& app, const std::vector<std::string>& lines, bool highlight);
