#pragma once
#include <string>
#include <vector>

#include "app/app.h"

// Formats every line, applies the editor font and puts the caret at 1, 1.
// What the user can undo stays as it was: a text of more than a thousand
// lines whose looks change is loaded anew, and its history is then the
// editor's to keep.
void HighlightAll(App& app);
// ApplyEditorFont over the whole text, the selection kept; a long text is
// loaded anew when its looks change, as by HighlightAll.
void ApplyEditorFontToAll(App& app);
// Formats the line the caret has just left (1-based) and puts the selection
// back as it was. `where`, when known, is where that line lies: finding a
// line costs a walk over the text in Wine.
void HighlightLine(App& app, int line, CharRange where = {-1, -1});
// Formats, where they stand, the lines that hold the offsets from..to (a few
// lines the editor itself put back).
void HighlightLinesAt(App& app, long from, long to);
// Fills the editing area with lines just read from a file, in the editor
// font, and puts the caret at 1, 1, with nothing to undo. With `highlight`
// the result is that of loading them plain and running HighlightAll, since
// the loaded text starts plain black. The text goes in formatted, a piece at
// a time, which the control takes in a time that grows with the text alone.
void LoadText(App& app, const std::vector<std::string>& lines, bool highlight);
