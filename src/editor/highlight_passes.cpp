#include "editor/highlight_passes.h"

#include "editor/editor_ops.h"

// The word lists and colours arrive with the highlighter; until then a pass
// only does what it does around the formatting.
void HighlightAll(App& app) {
  ApplyEditorFont(*app.edit, app.state.EditorFontName, app.state.EditorFontSize);
  SetCaret(*app.edit, 1, 1);
  ActivateEditor(*app.edit);
}

void HighlightLine(App&, int, int) {}
