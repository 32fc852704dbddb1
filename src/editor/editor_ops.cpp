#include "editor/editor_ops.h"

#include <algorithm>
#include <cmath>

void SelectRange(EditControl& edit, long fromLine, long fromColumn, long toLine, long toColumn) {
  long start = edit.LineIndex(fromLine) + fromColumn - 1;
  if (toLine == -1) toLine = edit.GetLineCount() - 1;
  long end = edit.LineIndex(toLine);
  if (toColumn == -1) end += edit.LineLength(end);
  else end += toColumn - 1;
  edit.ExSetSel(start, end);
}

void SelectAll(EditControl& edit) { edit.ExSetSel(0, -1); }

int CaretLine(EditControl& edit) {
  return static_cast<int>(edit.ExLineFromChar(edit.ExGetSel().cpMin)) + 1;
}

int CaretColumn(EditControl& edit) {
  CharRange sel = edit.ExGetSel();
  long line = edit.ExLineFromChar(sel.cpMin);
  return static_cast<int>(sel.cpMax - edit.LineIndex(line) + 1);
}

CaretPlace ReadCaret(EditControl& edit) {
  const CharRange sel = edit.ExGetSel();
  const long line = edit.ExLineFromChar(sel.cpMin);
  CaretPlace place;
  place.line = static_cast<int>(line) + 1;
  // The caret's own line start is at hand in the control; any other line's
  // costs a walk from the text's start.
  place.lineStart = sel.cpMin == sel.cpMax ? edit.LineIndex(-1) : edit.LineIndex(line);
  place.end = sel.cpMax;
  place.column = static_cast<int>(sel.cpMax - place.lineStart + 1);
  return place;
}

CaretPlace ReadCaret(EditControl& edit, CaretWatch& watch, int arrow) {
  using Move = CaretWatch::Move;
  const CharRange sel = edit.ExGetSel();
  const long lines = edit.GetLineCount();
  const CaretPlace was = watch.place;
  const bool wasCaret = watch.lines >= 0 && watch.caretOnly;
  watch.before = was;
  watch.linesBefore = watch.lines;
  watch.lineLeft = {-1, -1};
  watch.caretOnly = sel.cpMin == sel.cpMax;
  watch.lines = lines;
  if (!watch.caretOnly || !wasCaret) {
    watch.move = Move::ReadAnew;
    return watch.place = ReadCaret(edit);
  }
  const long lineStart = edit.LineIndex(-1);
  CaretPlace place = was;
  const long added = lines - watch.linesBefore;
  if (added == 0 && lineStart == was.lineStart) {
    watch.move = Move::SameLine;
  } else if (added == 1 && sel.cpMin == was.end + 1 && lineStart == sel.cpMin) {
    // One line break typed at the caret (Enter): the only single change
    // that adds a line and leaves the caret just past where it was, at the
    // start of a line. The line left keeps its start.
    watch.move = Move::BreakAtCaret;
    place.line = was.line + 1;
    watch.lineLeft = {was.lineStart, was.end};
  } else if (added == -1 && was.end == was.lineStart && sel.cpMin == was.end - 1) {
    // The line break before the caret taken out (Backspace at a line's start).
    watch.move = Move::JoinBefore;
    place.line = was.line - 1;
  } else if (added == -1 && sel.cpMin == was.end && lineStart == was.lineStart) {
    // The line break after the caret's line taken out (Delete at its end).
    watch.move = Move::JoinAfter;
  } else if (added == 0 && arrow != 0 && (lineStart - was.lineStart) * arrow > 0) {
    watch.move = Move::ArrowKey;
    place.line = was.line + arrow;
  } else {
    watch.move = Move::ReadAnew;
    place = ReadCaret(edit);
  }
  place.lineStart = lineStart;
  place.end = sel.cpMax;
  place.column = static_cast<int>(sel.cpMax - lineStart + 1);
  return watch.place = place;
}

TextStep StepOfEdit(EditControl& edit, const CaretWatch& watch) {
  using Move = CaretWatch::Move;
  // Nothing follows the caret once it stands at the text's end.
  auto atTextEnd = [&] { return edit.GetTextLengthEx() == watch.place.end; };
  switch (watch.move) {
    case Move::SameLine: return TextStep::OnCaretLine;
    case Move::BreakAtCaret: return atTextEnd() ? TextStep::BreakAtTextEnd : TextStep::BreakAtCaret;
    case Move::JoinBefore: return atTextEnd() ? TextStep::JoinEmptyLastLine : TextStep::JoinBefore;
    case Move::JoinAfter: return TextStep::JoinAfter;
    case Move::ArrowKey: return TextStep::Other;
    case Move::ReadAnew: break;
  }
  // A selection within one line typed over leaves the line count, and the
  // caret on the line where the selection began.
  const bool sameLine = watch.linesBefore == watch.lines && watch.caretOnly &&
                        watch.place.line == watch.before.line && watch.place.lineStart == watch.before.lineStart;
  return sameLine ? TextStep::OnCaretLine : TextStep::Other;
}

int FirstVisibleLine(EditControl& edit) { return static_cast<int>(edit.GetFirstVisibleLine()) + 1; }

int CaretPixelColumn(EditControl& edit, int fontSize) {
  long x = edit.PosFromCharX(edit.ExGetSel().cpMin) & 0xFFFF;
  // An estimate of a fixed-width character's width; nearbyint rounds halves
  // to the even neighbour.
  float width = static_cast<float>(fontSize) * 0.8f;
  float column = static_cast<float>(x - 1) / width + 1.0f;
  return static_cast<int>(std::nearbyint(column));
}

void SetCaret(EditControl& edit, long column, long line) {
  long start = edit.LineIndex(line - 1);
  // A column past the line's end leaves the caret at the line's start.
  if (edit.LineLength(start) >= column - 1) start += column - 1;
  edit.ExSetSel(start, start);
}

std::string GetLineText(EditControl& edit, long lineIndex) {
  long start = edit.LineIndex(lineIndex);
  if (start < 0) return "";
  // Room for the whole line and its paragraph mark, however long it is.
  std::string text = edit.GetLine(lineIndex, edit.LineLength(start) + 1);
  if (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
  return text;
}

int LineCount(EditControl& edit) { return static_cast<int>(edit.GetLineCount()); }

void ActivateEditor(EditControl& edit) { edit.Focus(); }

namespace {

enum class CharClass { Word, Blank, Other };

CharClass ClassOf(unsigned char c) {
  if (c == '_' || c >= 0x80 || (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'z'))
    return CharClass::Word;
  if (c == ' ' || c == '\t') return CharClass::Blank;
  return CharClass::Other;
}

}  // namespace

ColumnSpan WordAt(const std::string& line, long column) {
  const long length = static_cast<long>(line.size());
  if (length == 0) return {1, 1};
  long at = std::clamp(column, 1L, length) - 1;
  const CharClass kind = ClassOf(static_cast<unsigned char>(line[at]));
  long from = at, to = at + 1;
  while (from > 0 && ClassOf(static_cast<unsigned char>(line[from - 1])) == kind) --from;
  while (to < length && ClassOf(static_cast<unsigned char>(line[to])) == kind) ++to;
  return {from + 1, to + 1};
}

void SelectWordAt(EditControl& edit, long offset) {
  const long line = edit.ExLineFromChar(offset);
  const long start = edit.LineIndex(line);
  if (start < 0) return;
  const ColumnSpan word = WordAt(GetLineText(edit, line), offset - start + 1);
  SelectRange(edit, line, word.from, line, word.to);
}

uint32_t MakeColor(int red, int green, int blue) {
  return static_cast<uint32_t>(red) + static_cast<uint32_t>(green) * 256u +
         static_cast<uint32_t>(blue) * 65536u;
}

void SetSelectionColor(EditControl& edit, uint32_t color) {
  CharFormat f;
  f.mask = kCfmColor;
  f.color = color;
  edit.SetSelectionFormat(f);
}

void SetSelectionSize(EditControl& edit, int points) {
  CharFormat f;
  f.mask = kCfmSize;
  f.heightTwips = points * 20;
  edit.SetSelectionFormat(f);
}

void SetSelectionFont(EditControl& edit, const std::string& face) {
  CharFormat f;
  f.mask = kCfmFace;
  // The format record's face field holds 31 characters.
  f.face = face.substr(0, kMaxFaceLength);
  edit.SetSelectionFormat(f);
}

void SetSelectionStyle(EditControl& edit, uint32_t effects) {
  CharFormat f;
  f.mask = kCfmEffects;
  f.effects = effects & ~kEffectStrikeout;
  edit.SetSelectionFormat(f);
}

// The caret stays where it was: a select-all left behind puts the caret
// field one column past an empty script's only character.
void ApplyEditorFont(EditControl& edit, const std::string& face, int points) {
  KeepModifiedFlag keep(edit);
  const CharRange sel = edit.ExGetSel();
  SelectAll(edit);
  SetSelectionFont(edit, face);
  SelectAll(edit);
  SetSelectionSize(edit, points);
  edit.ExSetSel(sel.cpMin, sel.cpMax);
}

// Every change of the text is the user's to take back: a paste, a delete, an
// insertion from the tree or the popup each become one undo step, and none
// empties the history of the typing before it.
void ReplaceSelection(EditControl& edit, const std::string& text) { edit.ReplaceSel(text, true); }

void InsertText(EditControl& edit, int& changed, const std::string& text) {
  changed = 1;
  ReplaceSelection(edit, text);
}

void CopySelection(EditControl& edit) { edit.Copy(); }
void UndoEdit(EditControl& edit) { edit.Undo(); }
void RedoEdit(EditControl& edit) { edit.Redo(); }

void ClearEditor(EditControl& edit) { edit.SetText(""); }

void AppendEditorLine(EditControl& edit, const std::string& line) {
  edit.HideSelection(true);
  long length = edit.GetTextLength();
  edit.ExSetSel(-1, -1);  // the end of the text
  if (length != 0) edit.ReplaceSel("\n", false);
  edit.ReplaceSel(line, false);
  edit.HideSelection(false);
}

void SetEditorVisible(EditControl& edit, bool visible) { edit.SetVisible(visible); }

std::string GetEditorText(EditControl& edit) { return edit.GetText(); }
