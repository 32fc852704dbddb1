#include "editor/large_edits.h"

#include <algorithm>
#include <utility>

#include "editor/editor_ops.h"
#include "editor/highlight_passes.h"
#include "editor/line_breaks.h"
#include "editor/search.h"

namespace {

// Steps hold only what they change, but a Replace all or a Select all and
// Delete holds a whole script: the oldest go first past this much.
constexpr size_t kMaxOwnStepBytes = 64u << 20;

// A step that puts back or takes out fewer lines than this is made where it
// stands; beyond, taking lines out of the control costs more than loading
// the whole text anew.
constexpr long kInPlaceStepLines = 50;

TextStamp StampOf(const std::string& text) {
  TextStamp stamp;
  stamp.length = text.size();
  stamp.sum = 14695981039346656037ull;
  for (unsigned char c : text) stamp.sum = (stamp.sum ^ c) * 1099511628211ull;
  return stamp;
}

// A whole text as the control counts it (CR between lines), with its stamp.
struct MarkedText {
  std::string marks;
  TextStamp stamp;
};
MarkedText MarkedTextOf(const std::string& text) { return {ToParagraphMarks(text), StampOf(text)}; }

OwnUndoStep StepBetween(const MarkedText& before, const MarkedText& after) {
  const std::string &from = before.marks, &to = after.marks;
  size_t prefix = 0, suffix = 0;
  const size_t shorter = std::min(from.size(), to.size());
  while (prefix < shorter && from[prefix] == to[prefix]) ++prefix;
  while (suffix < shorter - prefix && from[from.size() - 1 - suffix] == to[to.size() - 1 - suffix]) ++suffix;
  OwnUndoStep step;
  step.at = static_cast<long>(prefix);
  step.removed = from.substr(prefix, from.size() - suffix - prefix);
  step.inserted = to.substr(prefix, to.size() - suffix - prefix);
  step.before = before.stamp;
  step.after = after.stamp;
  step.caretBefore = step.at + static_cast<long>(step.removed.size());
  step.caretAfter = step.at + static_cast<long>(step.inserted.size());
  return step;
}

long LinesIn(const std::string& marks) { return static_cast<long>(std::count(marks.begin(), marks.end(), '\r')); }

// Puts the text the step leaves (`forward`) or found in the control, which
// now holds `current`, with the caret where the step leaves or found it.
void MakeStep(App& app, const OwnUndoStep& step, bool forward, const std::string& current) {
  AppState& s = app.state;
  EditControl& edit = *app.edit;
  const std::string& take = forward ? step.removed : step.inserted;
  const std::string& put = forward ? step.inserted : step.removed;
  if (std::max(LinesIn(take), LinesIn(put)) >= kInPlaceStepLines) {
    const std::string marks = ToParagraphMarks(current);
    const std::string whole = marks.substr(0, static_cast<size_t>(step.at)) + put +
                              marks.substr(static_cast<size_t>(step.at) + take.size());
    LoadText(app, SplitTextLines(ToCrLf(whole)), s.Enabled == 1 && (!step.asOpened || s.OnOpening == 1));
  } else {
    // Kept out of the control's history, which Undo then finds empty, so
    // the next step back is the editor's too.
    edit.ExSetSel(step.at, step.at + static_cast<long>(take.size()));
    edit.ReplaceSel(ToCrLf(put), false);
    if (s.Enabled == 1) HighlightLinesAt(app, step.at, step.at + static_cast<long>(put.size()));
  }
  const long caret = forward ? step.caretAfter : step.caretBefore;
  edit.ExSetSel(caret, caret);
  // The realtime pass must not take the jump for the user leaving a line.
  s.lastCaretLine = CaretLine(edit);
  MarkChanged(s);
}

// Each step holds a copy of what it changes: the oldest go past the
// control's own number of steps or past kMaxOwnStepBytes.
void TrimOldestSteps(OwnUndoSteps& own) {
  size_t bytes = 0, keep = 0;
  for (auto step = own.undo.rbegin(); step != own.undo.rend(); ++step, ++keep) {
    bytes += step->removed.size() + step->inserted.size();
    if (keep == static_cast<size_t>(kEditorUndoLimit) || (keep > 0 && bytes > kMaxOwnStepBytes)) break;
  }
  own.undo.erase(own.undo.begin(), own.undo.end() - static_cast<long>(keep));
}

}  // namespace

OwnUndoStep StepBetween(const std::string& before, const std::string& after) {
  return StepBetween({ToParagraphMarks(before), StampOf(before)}, {ToParagraphMarks(after), StampOf(after)});
}

bool SelectionIsLarge(EditControl& edit) {
  const CharRange sel = edit.ExGetSel();
  const long from = std::min(sel.cpMin, sel.cpMax), to = std::max(sel.cpMin, sel.cpMax);
  return to - from >= kLargeEditLines && edit.ExLineFromChar(to) - edit.ExLineFromChar(from) >= kLargeEditLines;
}

bool ReplaceSelectionLarge(App& app, const std::string& text) {
  EditControl& edit = *app.edit;
  const std::string inserted = ToParagraphMarks(text);
  const CharRange sel = edit.ExGetSel();
  const long insertedLines = LinesIn(inserted);
  const bool removesMany = SelectionIsLarge(edit);
  if (insertedLines < kLargeEditLines && !removesMany) return false;
  const std::string before = edit.GetText();
  const std::string marks = ToParagraphMarks(before);
  const long length = static_cast<long>(marks.size());
  const long from = std::clamp(std::min(sel.cpMin, sel.cpMax), 0L, length);
  const long to = std::clamp(std::max(sel.cpMin, sel.cpMax), from, length);
  OwnUndoStep step;
  step.at = from;
  step.removed = marks.substr(static_cast<size_t>(from), static_cast<size_t>(to - from));
  step.inserted = inserted;
  step.before = StampOf(before);
  step.after = StampOf(ToCrLf(marks.substr(0, static_cast<size_t>(from)) + inserted + marks.substr(static_cast<size_t>(to))));
  step.caretBefore = from;
  step.caretAfter = from + static_cast<long>(inserted.size());
  AppState& s = app.state;
  // Whatever the control could undo goes with the edit.
  TakeOwnStep(s, std::move(step));
  if (removesMany) {
    MakeStep(app, s.ownUndo.undo.back(), true, before);
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

namespace {

// Makes the newest step of `from`, forward or back, and moves it to `to`.
bool MoveOwnStep(App& app, std::vector<OwnUndoStep>& from, std::vector<OwnUndoStep>& to, bool forward) {
  if (from.empty() || app.edit->CanUndo()) return false;
  const std::string now = app.edit->GetText();
  if (StampOf(now) != (forward ? from.back().before : from.back().after)) return false;
  to.push_back(std::move(from.back()));
  from.pop_back();
  MakeStep(app, to.back(), forward, now);
  return true;
}

}  // namespace

bool UndoOwnStep(App& app) { return MoveOwnStep(app, app.state.ownUndo.undo, app.state.ownUndo.redo, false); }

bool RedoOwnStep(App& app) { return MoveOwnStep(app, app.state.ownUndo.redo, app.state.ownUndo.undo, true); }

void TakeOwnStep(AppState& state, OwnUndoStep step) {
  OwnUndoSteps& own = state.ownUndo;
  own.redo.clear();
  own.undo.push_back(std::move(step));
  TrimOldestSteps(own);
}

void KeepControlHistory(App& app, const std::string& now, bool asOpened) {
  EditControl& edit = *app.edit;
  OwnUndoSteps& own = app.state.ownUndo;
  KeepModifiedFlag keep(edit);
  // The control cannot say what a step changes, only do it: each step is
  // made and the texts either side compared. Forward first, then back again
  // to where the user is, then back as far as the history goes.
  std::vector<OwnUndoStep> forward;
  const MarkedText start = MarkedTextOf(now);
  MarkedText current = start;
  while (static_cast<long>(forward.size()) < kEditorUndoLimit) {
    edit.Redo();
    MarkedText next = MarkedTextOf(edit.GetText());
    if (next.stamp == current.stamp) break;
    forward.push_back(StepBetween(current, next));
    forward.back().asOpened = asOpened;
    current = std::move(next);
  }
  for (size_t i = 0; i < forward.size(); ++i) edit.Undo();
  std::vector<OwnUndoStep> back;
  current = start;
  for (long i = 0; i < kEditorUndoLimit && edit.CanUndo(); ++i) {
    edit.Undo();
    MarkedText previous = MarkedTextOf(edit.GetText());
    if (previous.stamp == current.stamp) continue;
    back.push_back(StepBetween(previous, current));
    back.back().asOpened = asOpened;
    current = std::move(previous);
  }
  // The control's steps come after any the editor held: those were only
  // ever reached once the control had nothing left to undo or redo.
  own.undo.insert(own.undo.end(), std::make_move_iterator(back.rbegin()), std::make_move_iterator(back.rend()));
  own.redo.insert(own.redo.end(), std::make_move_iterator(forward.rbegin()), std::make_move_iterator(forward.rend()));
  TrimOldestSteps(own);
}

void ForgetOwnUndoSteps(AppState& state) { state.ownUndo = OwnUndoSteps(); }
