#include "editor/large_edits.h"

#include <algorithm>
#include <utility>

#include "editor/editor_ops.h"
#include "editor/highlight_passes.h"
#include "editor/line_breaks.h"
#include "editor/search.h"

namespace {

// Each step holds two copies of the whole text: a few are enough to take
// back what a user does by mistake without holding a long script dozens of
// times over.
constexpr size_t kMaxOwnSteps = 8;

// Loads the text a step left (`after`) or found, highlighted as the step
// says, with the caret where the step left or found it.
void LoadWhole(App& app, const OwnUndoStep& step, bool after) {
  AppState& s = app.state;
  LoadText(app, SplitTextLines(after ? step.after : step.before), s.Enabled == 1 && (!step.asOpened || s.OnOpening == 1));
  const long caret = after ? step.caretAfter : step.caretBefore;
  app.edit->ExSetSel(caret, caret);
  // The realtime pass must not take the jump for the user leaving a line.
  s.lastCaretLine = CaretLine(*app.edit);
  MarkChanged(s);
}

}  // namespace

bool ReplaceSelectionLarge(App& app, const std::string& text) {
  EditControl& edit = *app.edit;
  const std::string inserted = ToParagraphMarks(text);
  const CharRange sel = edit.ExGetSel();
  const long insertedLines = static_cast<long>(std::count(inserted.begin(), inserted.end(), '\r'));
  const bool removesMany = sel.cpMin != sel.cpMax &&
                           edit.ExLineFromChar(sel.cpMax) - edit.ExLineFromChar(sel.cpMin) >= kLargeEditLines;
  if (insertedLines < kLargeEditLines && !removesMany) return false;
  const std::string before = edit.GetText();
  const std::string marks = ToParagraphMarks(before);
  const long length = static_cast<long>(marks.size());
  const long from = std::clamp(std::min(sel.cpMin, sel.cpMax), 0L, length);
  const long to = std::clamp(std::max(sel.cpMin, sel.cpMax), from, length);
  OwnUndoStep step;
  step.before = before;
  step.after = ToCrLf(marks.substr(0, static_cast<size_t>(from)) + inserted + marks.substr(static_cast<size_t>(to)));
  step.caretBefore = from;
  step.caretAfter = from + static_cast<long>(inserted.size());
  AppState& s = app.state;
  // Whatever the control could undo goes with the edit.
  TakeOwnStep(s, std::move(step));
  if (removesMany) {
    LoadWhole(app, s.ownUndo.undo.back(), true);
  } else {
    // The control puts thousands of lines in quickly; only taking them out
    // again is slow. They go in kept out of its history, which Undo then
    // finds empty, so the step taken back is the editor's.
    edit.ReplaceSel(text, false);
    s.lastCaretLine = CaretLine(edit);
    MarkChanged(s);
  }
  return true;
}

bool UndoOwnStep(App& app) {
  OwnUndoSteps& own = app.state.ownUndo;
  if (own.undo.empty() || app.edit->CanUndo() || app.edit->GetText() != own.undo.back().after) return false;
  own.redo.push_back(std::move(own.undo.back()));
  own.undo.pop_back();
  LoadWhole(app, own.redo.back(), false);
  return true;
}

bool RedoOwnStep(App& app) {
  OwnUndoSteps& own = app.state.ownUndo;
  if (own.redo.empty() || app.edit->CanUndo() || app.edit->GetText() != own.redo.back().before) return false;
  own.undo.push_back(std::move(own.redo.back()));
  own.redo.pop_back();
  LoadWhole(app, own.undo.back(), true);
  return true;
}

void TakeOwnStep(AppState& state, OwnUndoStep step) {
  OwnUndoSteps& own = state.ownUndo;
  own.redo.clear();
  own.undo.push_back(std::move(step));
  if (own.undo.size() > kMaxOwnSteps) own.undo.erase(own.undo.begin());
}

void ForgetOwnUndoSteps(AppState& state) { state.ownUndo = OwnUndoSteps(); }
