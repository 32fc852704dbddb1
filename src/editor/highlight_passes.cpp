#include "editor/highlight_passes.h"

#include <algorithm>
#include <string_view>

#include "editor/editor_ops.h"
#include "editor/format_runs.h"
#include "editor/large_edits.h"
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
  explicit QuietFormatting(EditControl& edit) : edit_(edit), keep_(edit) {
    edit_.SuspendUndo(true);
    edit_.HideSelection(true);
  }
  ~QuietFormatting() {
    edit_.HideSelection(false);
    edit_.SuspendUndo(false);
  }

 private:
  EditControl& edit_;
  KeepModifiedFlag keep_;
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
void HighlightLooks(App& app, std::string_view text, std::vector<CharLook>& looks,
                    HighlightPass pass = HighlightPass::WholeText) {
  std::vector<std::string_view> lines;
  std::vector<size_t> lineStarts;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = std::min(text.find('\r', start), text.size());
    lines.push_back(text.substr(start, end - start));
    lineStarts.push_back(start);
    start = end + 1;
  }
  const LineRuns runs(app, pass);
  ScanLines(app.scanner, lines, pass,
            [&](size_t i, const std::vector<FormatStep>& steps) {
              ApplyRunsToLooks(runs.OfSteps(steps), lineStarts[i], lines[i].size(), looks);
            });
}

// The editor font over the whole text, as ApplyEditorFont gives it.
void ApplyEditorFontToLooks(const AppState& state, std::vector<CharLook>& looks) {
  std::string face = ShownFace(state).substr(0, kMaxFaceLength);
  for (CharLook& look : looks) {
    look.face = face;
    look.heightTwips = state.EditorFontSize * 20;
  }
}

// Whether the control now holds exactly `text` (CR LF between lines). Rich
// text that the control reads differently from what was meant must never
// cost the user a byte: on a mismatch the text goes in again plain, and false
// says the looks are lost.
bool HoldsExactly(EditControl& edit, const std::string& text) {
  if (edit.GetText() == text) return true;
  edit.SetText(text);
  return false;
}

// Wine's control takes a long formatted text in one transfer in a time that
// grows with the square of its length (20,000 lines: half a minute), and the
// same text in pieces in a time that grows with its length alone. Within a
// piece the square still shows (5,000 lines open in 0.4 s in pieces of 1,000,
// 0.7 s in one), while each piece costs the control a walk from the start of
// the text (10 MB: 54 s in pieces of 1,000 lines, 31 s in pieces of 5,000).
// So a script goes in about a hundred pieces, of 1,000 to 5,000 lines. A
// piece also stays within a few hundred kilobytes, so the looks worked out
// for it in memory stay small whatever the script.
// Up to this many lines a whole-text pass formats the text where it stands,
// which keeps what the user can undo; beyond, the text is loaded anew.
constexpr long kReloadLines = 1000;
size_t PieceLinesFor(size_t lines) { return std::min<size_t>(std::max<size_t>(lines / 100, 1000), 5000); }
constexpr long kPieceBytes = 256 * 1024;

// The end of the piece of `lines` that starts at `first`.
size_t PieceEnd(const std::vector<std::string>& lines, size_t first) {
  const size_t pieceLines = PieceLinesFor(lines.size());
  size_t end = first;
  long bytes = 0;
  while (end < lines.size() && end - first < pieceLines &&
         (end == first || bytes + static_cast<long>(lines[end].size()) <= kPieceBytes)) {
    bytes += static_cast<long>(lines[end].size()) + 1;
    ++end;
  }
  return end;
}

// Where the piece of the control's lines that ends before line `end` stops:
// at the start of that line, or at the end of the text.
long PieceStop(EditControl& edit, long end, long lines) {
  if (end < lines) return edit.LineIndex(end);
  const long last = edit.LineIndex(lines - 1);
  return last + edit.LineLength(last);
}

// Formats the stretch [from, to) of the control's text where it stands: reads
// it with its formats, highlights it in memory and, where its looks changed,
// writes it back over itself in one transfer (one format call per run would
// make the control lay out the whole line again each time; a line of 100,000
// characters would take hours). The rewrite stays out of the undo history,
// which holds positions, so what the user can undo is untouched. False when
// the stretch does not read back as exactly the control's text; nothing is
// written then. `wrote` says whether anything was. `withMark` reads the
// paragraph mark after the stretch along with it.
bool HighlightStretch(App& app, long from, long to, HighlightPass pass, bool* wrote = nullptr,
                      bool withMark = false) {
  EditControl& edit = *app.edit;
  if (wrote) *wrote = false;
  edit.ExSetSel(from, withMark ? to + 1 : to);
  std::string text;
  std::vector<CharLook> looks;
  if (!ReadRichText(edit.GetSelectionRichText(), text, looks, RichTextTarget::Selection)) return false;
  const std::vector<CharLook> old = looks;
  HighlightLooks(app, text, looks, pass);
  if (pass == HighlightPass::WholeText) ApplyEditorFontToLooks(app.state, looks);
  // Settings applied without a change of looks (a new project file, say),
  // or a line left unchanged, leave every character as it was. Only text
  // about to be written back must read exactly as the control holds it,
  // asked of the selection, which names no position.
  if (looks == old) return true;
  if (withMark) {
    // A mark read along is not written back: the control gives it the
    // looks of the run before it.
    text.pop_back();
    looks.pop_back();
    edit.ExSetSel(from, to);
  }
  if (text != edit.GetSelText()) return false;
  edit.SetRichText(WriteRichText(text, looks, RichTextTarget::Selection), true);
  if (wrote) *wrote = true;
  return true;
}

// The control's text in pieces of `pieceLines` lines, fewer where they
// would pass `pieceBytes`, as [from, to) offsets.
std::vector<CharRange> TextPieces(EditControl& edit, long pieceLines, long pieceBytes) {
  std::vector<CharRange> pieces;
  const long lines = LineCount(edit);
  for (long first = 0, end = 0; first < lines; first = end) {
    end = std::min(first + pieceLines, lines);
    const long from = edit.LineIndex(first);
    long to = PieceStop(edit, end, lines);
    while (end - first > 1 && to - from > pieceBytes) {
      end = first + (end - first) / 2;
      to = PieceStop(edit, end, lines);
    }
    if (from < to) pieces.push_back({from, to});
  }
  return pieces;
}

// Formats the whole text a piece of lines at a time, in place. False, with
// the text as it was, when a piece does not read back exactly.
bool HighlightAllInPieces(App& app) {
  EditControl& edit = *app.edit;
  const std::string before = edit.GetText();
  bool exact = true;
  {
    QuietFormatting quiet(edit);
    edit.SetRedraw(false);
    const long pieceLines = static_cast<long>(PieceLinesFor(static_cast<size_t>(LineCount(edit))));
    for (const CharRange& piece : TextPieces(edit, pieceLines, kPieceBytes)) {
      exact = HighlightStretch(app, piece.cpMin, piece.cpMax, HighlightPass::WholeText);
      if (!exact) break;
    }
    edit.SetRedraw(true);
  }
  return HoldsExactly(edit, before) && exact;
}

// `text` with its looks as rich-text pieces for loading: at most
// `pieceLines` lines each and, past their first line, kPieceBytes.
void AppendLoadPieces(const std::string& text, const std::vector<CharLook>& looks, size_t pieceLines,
                      std::vector<std::string>& pieces) {
  for (size_t start = 0, end = 0; start < text.size(); start = end) {
    for (size_t count = 0; end < text.size() && count < pieceLines; ++count) {
      const size_t mark = text.find('\r', end);
      const size_t next = mark == std::string::npos ? text.size() : mark + 1;
      if (count > 0 && next - start > static_cast<size_t>(kPieceBytes)) break;
      end = next;
    }
    pieces.push_back(WriteRichText(text.substr(start, end - start),
                                   std::vector<CharLook>(looks.begin() + static_cast<long>(start),
                                                         looks.begin() + static_cast<long>(end)),
                                   RichTextTarget::Selection));
  }
}

// Rewriting a piece where it stands costs the control a walk over the whole
// text for every paragraph it lays out again (a piece of 1,000 lines: 1.5 s
// among 5,000 lines, 65-105 s among 50,000), so a long text is formatted in
// memory and goes back into an emptied control as an opened script does.
// Reading a piece costs a walk from the text's start to it (50,000 lines
// read in pieces of 1,000: 1.1 s; of 10,000: 0.24 s), so the text is read in
// pieces ten times as long as those it is loaded in.
// The reload empties the control's undo history too: what the user could
// undo and redo is first turned into the editor's own steps. `highlight`
// off gives the editor font alone. False, with nothing changed, when the
// text does not read back exactly; false after a reload that did not give
// the text back exactly, which is then in again plain.
constexpr long kReadPieceFactor = 10;
bool RestyleByReloading(App& app, bool highlight) {
  EditControl& edit = *app.edit;
  const std::string before = edit.GetText();
  const size_t pieceLines = PieceLinesFor(static_cast<size_t>(LineCount(edit)));
  std::vector<std::string> pieces;
  std::string read;
  bool changed = false;
  for (const CharRange& piece :
       TextPieces(edit, static_cast<long>(pieceLines) * kReadPieceFactor, kPieceBytes * 4)) {
    edit.ExSetSel(piece.cpMin, piece.cpMax);
    std::string text;
    std::vector<CharLook> looks;
    if (!ReadRichText(edit.GetSelectionRichText(), text, looks, RichTextTarget::Selection)) return false;
    const std::vector<CharLook> old = looks;
    if (highlight) HighlightLooks(app, text, looks);
    ApplyEditorFontToLooks(app.state, looks);
    changed = changed || looks != old;
    read += text;
    AppendLoadPieces(text, looks, pieceLines, pieces);
  }
  if (ToCrLf(read) != before) return false;
  // Settings applied without a change of looks leave the text, and what
  // the user can undo, as they were.
  if (!changed) return true;
  edit.SetRedraw(false);
  KeepControlHistory(app, before, !highlight);
  QuietFormatting quiet(edit);
  edit.SetText("");
  for (const std::string& piece : pieces) {
    edit.ExSetSel(-1, -1);
    edit.SetRichText(piece, true);
  }
  edit.SetRedraw(true);
  return HoldsExactly(edit, before);
}

bool CanReload(EditControl& edit) { return LineCount(edit) > kReloadLines; }

// The caret at 1, 1 of a text just formatted whole: the realtime pass then
// has no line of the text before to format again.
void CaretToStart(App& app) {
  SetCaret(*app.edit, 1, 1);
  app.state.lastCaretLine = 1;
  app.caret = CaretWatch();
  ActivateEditor(*app.edit);
}

}  // namespace

void HighlightAll(App& app) {
  EditControl& edit = *app.edit;
  const bool formatted = (CanReload(edit) && RestyleByReloading(app, true)) || HighlightAllInPieces(app);
  if (!formatted) {
    QuietFormatting quiet(edit);
    edit.SetRedraw(false);
    LineRuns runs(app, HighlightPass::WholeText);
    const long lines = LineCount(edit);
    for (long i = 0; i < lines; ++i) ApplyRuns(edit, i, runs.Of(GetLineText(edit, i)));
    ApplyEditorFont(edit, ShownFace(app.state), app.state.EditorFontSize);
    edit.SetRedraw(true);
  }
  KnowWholeText(app.looks, true);
  CaretToStart(app);
}

void ApplyEditorFontToAll(App& app) {
  EditControl& edit = *app.edit;
  const CharRange selection = edit.ExGetSel();
  if (CanReload(edit) && RestyleByReloading(app, false)) {
    edit.ExSetSel(selection.cpMin, selection.cpMax);
    return;
  }
  ApplyEditorFont(edit, ShownFace(app.state), app.state.EditorFontSize);
}

void HighlightLine(App& app, int line, CharRange where) {
  EditControl& edit = *app.edit;
  NotePassed(app.looks, line, line);
  const long index = line - 1 < 0 ? 0 : line - 1;
  // A line that no longer exists (lines were deleted), or an empty one, has
  // nothing to format.
  const bool known = where.cpMin >= 0;
  const long start = known ? where.cpMin : edit.LineIndex(index);
  const long end = known ? where.cpMax : start < 0 ? start : start + edit.LineLength(start);
  if (start >= end) return ActivateEditor(edit);
  // The selection goes back exactly as it was: putting back only a caret
  // would undo a Select all made on another line.
  const CharRange selection = edit.ExGetSel();
  // Right after Enter the caret sits just past the line's paragraph mark:
  // the line read with its mark leaves a selection that collapses onto the
  // caret without naming a position (each position named costs a walk over
  // the text in Wine, 2 ms at the end of 50,000 lines). The mark's looks
  // stay as they are.
  const bool besideCaret = known && selection.cpMin == end + 1 && selection.cpMax == end + 1;
  bool wrote = true;
  {
    QuietFormatting quiet(edit);
    if (!HighlightStretch(app, start, end, HighlightPass::SingleLine, &wrote, besideCaret))
      ApplyRuns(edit, index, LineRuns(app, HighlightPass::SingleLine).Of(GetLineText(edit, index)));
  }
  if (besideCaret && !wrote) edit.ExSetSel(-1, 0);
  else edit.ExSetSel(selection.cpMin, selection.cpMax);
  ActivateEditor(edit);
}

void HighlightLinesAt(App& app, long from, long to) {
  EditControl& edit = *app.edit;
  const long first = edit.ExLineFromChar(from), last = edit.ExLineFromChar(to);
  const long start = edit.LineIndex(first), lastStart = edit.LineIndex(last);
  const long end = lastStart + edit.LineLength(lastStart);
  NotePassed(app.looks, static_cast<int>(first) + 1, static_cast<int>(last) + 1);
  if (start >= end) return;
  QuietFormatting quiet(edit);
  if (HighlightStretch(app, start, end, HighlightPass::SingleLine)) return;
  LineRuns runs(app, HighlightPass::SingleLine);
  for (long i = first; i <= last; ++i) ApplyRuns(edit, i, runs.Of(GetLineText(edit, i)));
}

void LoadText(App& app, const std::vector<std::string>& lines, bool highlight) {
  EditControl& edit = *app.edit;
  std::string whole;
  {
    QuietFormatting quiet(edit);
    edit.SetRedraw(false);
    edit.SetText("");
    for (size_t first = 0, end = 0; first < lines.size(); first = end) {
      end = PieceEnd(lines, first);
      std::string text;
      for (size_t i = first; i < end; ++i) {
        text += lines[i];
        if (i + 1 < lines.size()) text += '\r';
      }
      std::vector<CharLook> looks(text.size());  // a loaded text starts plain black
      if (highlight) HighlightLooks(app, text, looks);
      ApplyEditorFontToLooks(app.state, looks);
      edit.ExSetSel(-1, -1);
      edit.SetRichText(WriteRichText(text, looks, RichTextTarget::Selection), true);
      whole += text;
    }
    edit.SetRedraw(true);
  }
  // An empty text has no character to carry the font: the control's
  // default face would meet the first key typed.
  if (whole.empty() || !HoldsExactly(edit, ToCrLf(whole))) {
    if (highlight && !whole.empty()) return HighlightAll(app);
    QuietFormatting quiet(edit);
    ApplyEditorFont(edit, ShownFace(app.state), app.state.EditorFontSize);
  }
  KnowWholeText(app.looks, highlight);
  CaretToStart(app);
}
