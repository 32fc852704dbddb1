#include "editor/highlight_passes.h"

#include "editor/editor_ops.h"
#include "editor/format_runs.h"
#include "editor/rich_text_writer.h"

namespace {

std::vector<FormatRun> RunsOf(App& app, const std::string& line, HighlightPass pass) {
  std::vector<FormatStep> steps;
  ScanLine(app.scanner, line, pass, steps);
  return MergeStepsIntoRuns(steps, pass, CategoryStylesOf(app.state), app.state.ApplyColors == 1,
                            app.state.ApplyFontStyles == 1);
}

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

}  // namespace

void HighlightAll(App& app) {
  EditControl& edit = *app.edit;
  {
    QuietFormatting quiet(edit);
    edit.SetRedraw(false);
    const long lines = LineCount(edit);
    for (long i = 0; i < lines; ++i) ApplyRuns(edit, i, RunsOf(app, GetLineText(edit, i), HighlightPass::WholeText));
    ApplyEditorFont(edit, app.state.EditorFontName, app.state.EditorFontSize);
    edit.SetRedraw(true);
  }
  SetCaret(edit, 1, 1);
  ActivateEditor(edit);
}

void HighlightLine(App& app, int line, int caretLine) {
  EditControl& edit = *app.edit;
  long index = line - 1 < 0 ? 0 : line - 1;
  int column = CaretColumn(edit);
  // A line that no longer exists (lines were deleted) has nothing to format.
  if (edit.LineIndex(index) >= 0) {
    std::string text = GetLineText(edit, index);
    QuietFormatting quiet(edit);
    ApplyRuns(edit, index, RunsOf(app, text, HighlightPass::SingleLine));
  }
  SetCaret(edit, column, caretLine);
  ActivateEditor(edit);
}

void LoadHighlightedText(App& app, const std::vector<std::string>& lines) {
  std::vector<RichTextLine> rich;
  rich.reserve(lines.size());
  for (const std::string& line : lines) rich.push_back({line, RunsOf(app, line, HighlightPass::WholeText)});
  std::string face = app.state.EditorFontName.substr(0, kMaxFaceLength);
  app.edit->SetRichText(BuildRichText(rich, face, app.state.EditorFontSize), false);
  SetCaret(*app.edit, 1, 1);
  ActivateEditor(*app.edit);
}
