// The Edit menu. Every command that changes the text marks the document
// changed, so the unsaved-changes question never lets such an edit be lost.
#include "app/edit_commands.h"

#include "editor/editor_ops.h"
#include "editor/find_replace.h"
#include "editor/large_edits.h"

static bool HasSelection(EditControl& edit) {
  CharRange sel = edit.ExGetSel();
  return sel.cpMin != sel.cpMax;
}

static void MarkChangedIfTextMoved(App& app, const std::string& before) {
  if (app.edit->GetText() != before) MarkChanged(app.state);
}

void EditUndo(App& app) {
  if (UndoOwnStep(app)) return;
  std::string before = app.edit->GetText();
  UndoEdit(*app.edit);
  MarkChangedIfTextMoved(app, before);
}

// The control's own steps forward come first: the editor's step is next
// only once the control has none.
void EditRedo(App& app) {
  std::string before = app.edit->GetText();
  RedoEdit(*app.edit);
  if (app.edit->GetText() != before) MarkChanged(app.state);
  else RedoOwnStep(app);
}

// The control's own Cut would copy a second time; the deletion is Delete's.
void EditCut(App& app) {
  CopySelection(*app.edit);
  EditDelete(app);
}

void EditCopy(App& app) { CopySelection(*app.edit); }

void EditPaste(App& app) {
  std::string text = app.platform.clipboard->GetText();
  if (text.empty() && !HasSelection(*app.edit)) return;
  ReplaceSelectionAsEdit(app, text);
}

void EditDelete(App& app) {
  if (HasSelection(*app.edit)) ReplaceSelectionAsEdit(app, "");
}

void ReplaceSelectionAsEdit(App& app, const std::string& text) {
  MarkChanged(app.state);
  app.state.stepAtSelection = 1;
  if (!ReplaceSelectionLarge(app, text)) ReplaceSelection(*app.edit, text);
}

void EditSelectAll(App& app) { SelectAll(*app.edit); }
