#include "editor/highlight_passes.h"

#include <algorithm>
#include <string_view>

#include "editor/editor_ops.h"
#include "editor/format_runs.h"
#include "editor/line_breaks.h"
#include "editor/rich_text.h"

namespace {

// What a pass needs for every line, worked out once per pass.
class LineRuns {
 public:
  LineRuns(App& app, HighlightPass pass)
      : app_(app), pass_(pass), styles_(CategoryStylesOf(app.state)) {}
  std::vector<FormatRun> Of(std::string_view line) {
    ScanLine(app_.scanner, line, pass_, steps_);
    return OfSteps(steps_);
  }
  std::vector<FormatRun> OfSteps(const std::vector<FormatStep>& steps) const {
    return MergeStepsIntoRuns(steps, pass_, styles_, app_.state.ApplyColors == 1,
                              app_.state.ApplyFontStyles == 1);
  }

 private:
  App& app_;
  HighlightPass pass_;
  CategoryStyles styles_;
  std::vector<FormatStep> steps_;  // reused: a scan then allocates nothing
};

void ApplyRuns(EditControl& edit, long lineIndex, const std::vector<FormatRun>& runs) {
  for (const FormatRun& run : runs) {
    SelectRange(edit, lineIndex, run.start, lineIndex, run.end);
    if (run.setsColor) SetSelectionColor(edit, run.color);
    if (run.setsEffects) SetSelectionStyle(edit, run.effects);
  }
}

// Formatting is not the user's editing: it stays out of the undo history, so
// Undo takes back typing rather than colours, and the control neither
// repaints nor shows the moving selection while a pass runs.
class QuietFormatting {
 public:
  explicit QuietFormatting(EditControl& edit) : edit_(edit) {
    edit_.SuspendUndo(true);
    edit_.HideSelection(true);
  }
  ~QuietFormatting() {
    edit_.HideSelection(false);
    edit_.SuspendUndo(false);
  }

 private:
  EditControl& edit_;
};

// Lays the line's runs over the looks of its characters.
void ApplyRunsToLooks(const std::vector<FormatRun>& runs, size_t lineStart, size_t lineLength,
                      std::vector<CharLook>& looks) {
  for (const FormatRun& run : runs) {
    size_t from = lineStart + static_cast<size_t>(run.start - 1);
    size_t to = run.end < 0 ? lineStart + lineLength : lineStart + static_cast<size_t>(run.end - 1);
    to = std::min(to, lineStart + lineLength);
    for (size_t i = from; i < to; ++i) {
      if (run.setsColor) looks[i].color = run.color;
      if (run.setsEffects) looks[i].effects = run.effects;
    }
  }
}

// Highlights `text` ('\r' between lines) over its current looks, in memory.
void HighlightLooks(App& app, std::string_view text, std::vector<CharLook>& looks) {
  std::vector<std::string_view> lines;
  std::vector<size_t> lineStarts;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = std::min(text.find('\r', start), text.size());
    lines.push_back(text.substr(start, end - start));
    lineStarts.push_back(start);
    start = end + 1;
  }
  const LineRuns runs(app, HighlightPass::WholeText);
  ScanLines(app.scanner, lines, HighlightPass::WholeText,
            [&](size_t i, const std::vector<FormatStep>& steps) {
              ApplyRunsToLooks(runs.OfSteps(steps), lineStarts[i], lines[i].size(), looks);
            });
}

// The editor font over the whole text, as ApplyEditorFont gives it.
void ApplyEditorFontToLooks(const AppState& state, std::vector<CharLook>& looks) {
  std::string face = state.EditorFontName.substr(0, kMaxFaceLength);
  for (CharLook& look : looks) {
    look.face = face;
    look.heightTwips = state.EditorFontSize * 20;
  }
}

// Whether the control now holds exactly `text`. Rich text that the control
// reads differently from what was meant must never cost the user a byte: on
// a mismatch the text goes in again plain, and false says the looks are lost.
bool LoadedExactly(EditControl& edit, const std::string& text) {
  const std::string expected = ToCrLf(text);
  if (edit.GetText() == expected) return true;
  edit.SetText(expected);
  return false;
}

// Reads the whole text with its formats in one transfer, highlights it in
// memory and writes it back in one transfer. Only when the text read back is
// exactly the editor's text; otherwise false, and nothing has changed.
bool HighlightAllInOneTransfer(App& app) {
  EditControl& edit = *app.edit;
  std::string text;
  std::vector<CharLook> looks;
  if (!ReadRichText(edit.GetRichText(), text, looks)) return false;
  if (ToCrLf(text) != edit.GetText()) return false;
  const std::vector<CharLook> before = looks;
  HighlightLooks(app, text, looks);
  ApplyEditorFontToLooks(app.state, looks);
  // Settings applied without a change of looks (a new project file, say)
  // leave every character as it was: the control's slow part, taking a
  // whole formatted text in, is not needed then.
  if (looks == before) return true;
  edit.SetRichText(WriteRichText(text, looks), false);
  return LoadedExactly(edit, text);
}

}  // namespace

void HighlightAll(App& app) {
  EditControl& edit = *app.edit;
  // The one transfer replaces the whole text, and with it the undo history;
  // a text the user can still undo in is formatted where it stands instead.
  if (edit.CanUndo() || !HighlightAllInOneTransfer(app)) {
    QuietFormatting quiet(edit);
    edit.SetRedraw(false);
    LineRuns runs(app, HighlightPass::WholeText);
    const long lines = LineCount(edit);
    for (long i = 0; i < lines; ++i) ApplyRuns(edit, i, runs.Of(GetLineText(edit, i)));
    ApplyEditorFont(edit, app.state.EditorFontName, app.state.EditorFontSize);
    edit.SetRedraw(true);
  }
  SetCaret(edit, 1, 1);
  ActivateEditor(edit);
}

void HighlightLine(App& app, int line) {
  EditControl& edit = *app.edit;
  long index = line - 1 < 0 ? 0 : line - 1;
  // The selection goes back exactly as it was: putting back only a caret
  // would undo a Select all made on another line.
  const CharRange selection = edit.ExGetSel();
  // A line that no longer exists (lines were deleted) has nothing to format.
  if (edit.LineIndex(index) >= 0) {
    std::string text = GetLineText(edit, index);
    QuietFormatting quiet(edit);
    ApplyRuns(edit, index, LineRuns(app, HighlightPass::SingleLine).Of(text));
  }
  edit.ExSetSel(selection.cpMin, selection.cpMax);
  ActivateEditor(edit);
}

void LoadText(App& app, const std::vector<std::string>& lines, bool highlight) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i) text += '\r';
    text += lines[i];
  }
  std::vector<CharLook> looks(text.size());  // a loaded text starts plain black
  if (highlight) HighlightLooks(app, text, looks);
  ApplyEditorFontToLooks(app.state, looks);
  app.edit->SetRichText(WriteRichText(text, looks), false);
  if (!LoadedExactly(*app.edit, text)) {
    if (highlight) return HighlightAll(app);
    ApplyEditorFont(*app.edit, app.state.EditorFontName, app.state.EditorFontSize);
  }
  SetCaret(*app.edit, 1, 1);
  ActivateEditor(*app.edit);
}
