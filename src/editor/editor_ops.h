#pragma once
// The editing-area operations: every read and change of the script text goes
// through these. Lines are addressed by number (1-based) for the caret and by
// index (0-based) for ranges and line text; columns are 1-based; a range ends
// before its to-column, and -1 means the end of the line or the last line.
#include <string>

#include "editor/looks_known.h"
#include "platform/clipboard.h"
#include "platform/edit_control.h"

// Selection and caret.
void SelectRange(EditControl& edit, long fromLine, long fromColumn, long toLine, long toColumn);
void SelectAll(EditControl& edit);
int CaretLine(EditControl& edit);
int CaretColumn(EditControl& edit);
// Both at once, with the offsets they come from. Each line query walks the
// whole text in some controls, so the loop asks once per event.
struct CaretPlace {
  int line = 1, column = 1;
  long lineStart = 0;   // offset of the caret line's first character
  long end = 0;         // offset of the selection's end, where the caret is
};
CaretPlace ReadCaret(EditControl& edit);
// The caret as last read, for reading it again cheaply.
struct CaretWatch {
  CaretPlace place;
  long lines = -1;          // the line count then; -1 until first read
  bool caretOnly = false;   // the selection was empty then
  // After Enter: where the line the caret left lies now; -1 otherwise.
  CharRange lineLeft{-1, -1};
  // How the last read found the caret had come, and where it was before.
  enum class Move { ReadAnew, SameLine, BreakAtCaret, JoinBefore, JoinAfter, ArrowKey } move = Move::ReadAnew;
  CaretPlace before;
  long linesBefore = -1;
};
// The caret now. A line query walks the control's text in Wine (2 ms each at
// the end of 50,000 lines), and most events (paints, timers, the keystroke
// itself) leave the caret on its line; the start of the caret's line and the
// line count are at hand, and while both are as they were, so is the line.
// Only an edit before the caret that removes and adds line breaks at once
// could keep both, and such an edit moves the caret. Enter and Backspace at
// a line's start are told by the line count and the caret's move alone.
// `arrow` is 1 or -1 when the step was a plain arrow key towards the text's
// end or start: a caret that left its line went to the next or the one before.
CaretPlace ReadCaret(EditControl& edit, CaretWatch& watch, int arrow = 0);
// What an edit made in the step the watch last read did to the text, if it
// was made at the caret, as typing is.
TextStep StepOfEdit(EditControl& edit, const CaretWatch& watch);
int FirstVisibleLine(EditControl& edit);
int CaretPixelColumn(EditControl& edit, int fontSize);
void SetCaret(EditControl& edit, long column, long line);
std::string GetLineText(EditControl& edit, long lineIndex);
int LineCount(EditControl& edit);
void ActivateEditor(EditControl& edit);

// The word around a 1-based column of a line, as columns [from, to): letters,
// digits, '_' and the bytes from 0x80 belong to words; a run of blanks, or
// of any other characters, counts as a word of its own.
struct ColumnSpan {
  long from = 1, to = 1;
};
ColumnSpan WordAt(const std::string& line, long column);
// Selects the word that holds the character at a control offset.
void SelectWordAt(EditControl& edit, long offset);

// Formatting of the selection.
uint32_t MakeColor(int red, int green, int blue);
void SetSelectionColor(EditControl& edit, uint32_t color);
void SetSelectionSize(EditControl& edit, int points);
void SetSelectionFont(EditControl& edit, const std::string& face);
void SetSelectionStyle(EditControl& edit, uint32_t effects);
void ApplyEditorFont(EditControl& edit, const std::string& face, int points);

// The editor's own formatting (the highlighter, the editor font) is no edit
// of the user's: the control's modified flag, from which the document's
// changed flag is read, comes out of it as it went in.
class KeepModifiedFlag {
 public:
  explicit KeepModifiedFlag(EditControl& edit) : edit_(edit), modified_(edit.GetModify()) {}
  ~KeepModifiedFlag() { edit_.SetModify(modified_); }
  KeepModifiedFlag(const KeepModifiedFlag&) = delete;
  KeepModifiedFlag& operator=(const KeepModifiedFlag&) = delete;

 private:
  EditControl& edit_;
  bool modified_;
};

// Text changes.
void ReplaceSelection(EditControl& edit, const std::string& text);
void InsertText(EditControl& edit, int& changed, const std::string& text);
void CopySelection(EditControl& edit);
void UndoEdit(EditControl& edit);
void RedoEdit(EditControl& edit);

// Whole text.
void ClearEditor(EditControl& edit);
void AppendEditorLine(EditControl& edit, const std::string& line);
void SetEditorVisible(EditControl& edit, bool visible);
std::string GetEditorText(EditControl& edit);

// The control's own limit stops typing at 32,767 characters; scripts may be
// many megabytes.
constexpr long kEditorTextLimit = 0x7FFFFFFE;
// The control keeps 100 steps of its own accord, which a morning's typing
// outruns; Wine's control keeps at most 1,000 whatever it is asked.
constexpr long kEditorUndoLimit = 1000;
