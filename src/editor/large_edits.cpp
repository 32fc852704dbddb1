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

// Loads `text` (CR LF) whole, highlighted as an opened script is, with the
// caret at the control offset `caret`.
void LoadWhole(App& app, const std::string& text, long caret) {
  AppState& s = app.state;
  LoadText(app, SplitTextLines(text), s.Enabled == 1 && s.OnOpening == 1);
  app.edit->ExSetSel(caret, caret);
  // The realtime pass must not take the jump for the user leaving a line.
  s.lastCaretLine = CaretLine(*app.edit);
  MarkChanged(s);
}

std::string JoinedLines(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
  return text;
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
  OwnUndoSteps& own = s.ownUndo;
  // Whatever the control could undo goes with the edit. A whole-text
  // Replace all that is the next step back joins these steps, so that Undo
  // takes this edit back first and the Replace all after it.
  if (!s.textBeforeReplaceAll.empty() && s.replaceAllUndone == 0 && !edit.CanUndo() &&
      SplitTextLines(before) == s.textAfterReplaceAll)
    own.undo.push_back({JoinedLines(s.textBeforeReplaceAll), before, 0, 0});
  s.textBeforeReplaceAll.clear();
  s.textAfterReplaceAll.clear();
  s.replaceAllUndone = 0;
  own.redo.clear();
  own.undo.push_back(std::move(step));
  if (own.undo.size() > kMaxOwnSteps) own.undo.erase(own.undo.begin());
  if (removesMany) {
    LoadWhole(app, own.undo.back().after, own.undo.back().caretAfter);
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
  LoadWhole(app, own.redo.back().before, own.redo.back().caretBefore);
  return true;
}

bool RedoOwnStep(App& app) {
  OwnUndoSteps& own = app.state.ownUndo;
  if (own.redo.empty() || app.edit->CanUndo() || app.edit->GetText() != own.redo.back().before) return false;
  own.undo.push_back(std::move(own.redo.back()));
  own.redo.pop_back();
  LoadWhole(app, own.undo.back().after, own.undo.back().caretAfter);
  return true;
}

void ForgetOwnUndoSteps(AppState& state) {
  state.ownUndo = OwnUndoSteps();
  state.textBeforeReplaceAll.clear();
  state.textAfterReplaceAll.clear();
  state.replaceAllUndone = 0;
}
