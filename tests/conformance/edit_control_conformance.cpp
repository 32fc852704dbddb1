// One suite, two controls: the memory control natively and the real
// rich-edit control under Wine must agree on everything the editor uses.
#include <gtest/gtest.h>

#include "conformance/control_harness.h"
#include "editor/editor_ops.h"
#include "editor/rich_text.h"

namespace {

class Conformance : public ::testing::Test {
 protected:
  void SetUp() override {
    harness_ = MakeControlHarness();
    edit().SetTextLimit(kEditorTextLimit);
  }
  EditControl& edit() { return harness_->Edit(); }
  void Load(const std::string& text) { edit().SetText(text); }
  CharRange Sel() { return edit().ExGetSel(); }
  CharFormat FormatOf(long from, long to) {
    edit().ExSetSel(from, to);
    return edit().GetSelectionFormat();
  }
  std::unique_ptr<ControlHarness> harness_;
};

// "line0 abc" / "line1 defgh" / "" / "last": 27 characters with marks.
const char* kFourLines = "line0 abc\r\nline1 defgh\r\n\r\nlast";

TEST_F(Conformance, OffsetsCountOneMarkPerLineBreak) {
  Load(kFourLines);
  EXPECT_EQ(edit().GetTextLength(), 30);
  EXPECT_EQ(edit().GetTextLengthEx(), 27);
  EXPECT_EQ(edit().GetText(), kFourLines);
  EXPECT_EQ(edit().GetLineCount(), 4);
  EXPECT_EQ(edit().LineIndex(0), 0);
  EXPECT_EQ(edit().LineIndex(1), 10);
  EXPECT_EQ(edit().LineIndex(2), 22);
  EXPECT_EQ(edit().LineIndex(3), 23);
  EXPECT_EQ(edit().LineIndex(4), -1);
  EXPECT_EQ(edit().LineLength(10), 11);
  EXPECT_EQ(edit().LineLength(22), 0);
  EXPECT_EQ(edit().LineLength(23), 4);
  EXPECT_EQ(edit().ExLineFromChar(0), 0);
  EXPECT_EQ(edit().ExLineFromChar(9), 0);
  EXPECT_EQ(edit().ExLineFromChar(10), 1);
  EXPECT_EQ(edit().ExLineFromChar(27), 3);
}

TEST_F(Conformance, LineFeedsAndLoneReturnsBecomeOneMark) {
  Load("a\nb\rc\r\nd");
  EXPECT_EQ(edit().GetLineCount(), 4);
  EXPECT_EQ(edit().GetText(), "a\r\nb\r\nc\r\nd");
  edit().ExSetSel(1, 1);
  edit().ReplaceSel("x\ny", false);
  EXPECT_EQ(edit().GetText(), "ax\r\ny\r\nb\r\nc\r\nd");
}

TEST_F(Conformance, GetLineCopiesTheParagraphMarkOfEveryLine) {
  Load(kFourLines);
  EXPECT_EQ(edit().GetLine(0, 100), "line0 abc\r");
  EXPECT_EQ(edit().GetLine(2, 100), "\r");
  EXPECT_EQ(edit().GetLine(3, 100), "last\r");
  EXPECT_EQ(edit().GetLine(0, 3), "lin");
  EXPECT_EQ(edit().GetLine(4, 100), "");
  EXPECT_EQ(GetLineText(edit(), 0), "line0 abc");
  EXPECT_EQ(GetLineText(edit(), 2), "");
  EXPECT_EQ(GetLineText(edit(), 3), "last");
  EXPECT_EQ(GetLineText(edit(), 9), "");
}

TEST_F(Conformance, SelectionIsClampedToTheText) {
  Load(kFourLines);
  edit().ExSetSel(0, -1);
  EXPECT_EQ(Sel().cpMin, 0);
  EXPECT_EQ(Sel().cpMax, 28);  // through the final paragraph mark
  edit().ExSetSel(5, 1000);
  EXPECT_EQ(Sel().cpMin, 5);
  EXPECT_EQ(Sel().cpMax, 28);
  edit().ExSetSel(8, 3);
  EXPECT_EQ(Sel().cpMin, 3);
  EXPECT_EQ(Sel().cpMax, 8);
  edit().ExSetSel(500, 600);
  EXPECT_EQ(Sel().cpMin, 27);
  EXPECT_EQ(Sel().cpMax, 27);
  edit().ExSetSel(-1, -1);
  EXPECT_EQ(Sel().cpMin, 27);
  EXPECT_EQ(Sel().cpMax, 27);
  edit().ExSetSel(3, 11);   // a start of -1 leaves the caret at the selection's end
  edit().ExSetSel(-1, 0);
  EXPECT_EQ(Sel().cpMin, 11);
  EXPECT_EQ(Sel().cpMax, 11);
}

TEST_F(Conformance, SelectRangeCoversLinesAndTheirEnds) {
  Load(kFourLines);
  SelectRange(edit(), 1, 1, 1, -1);
  EXPECT_EQ(Sel().cpMin, 10);
  EXPECT_EQ(Sel().cpMax, 21);  // the whole line without its mark
  SelectRange(edit(), 1, 7, 1, 7 + 5);
  EXPECT_EQ(Sel().cpMin, 16);
  EXPECT_EQ(Sel().cpMax, 21);
  SelectRange(edit(), 1, 1, -1, -1);
  EXPECT_EQ(Sel().cpMin, 10);
  EXPECT_EQ(Sel().cpMax, 27);  // to the end of the text
  SelectRange(edit(), 3, 1, 3, 40);
  EXPECT_EQ(Sel().cpMin, 23);
  EXPECT_EQ(Sel().cpMax, 28);  // past the end: clamped
}

TEST_F(Conformance, CaretLineAndColumn) {
  Load("");
  EXPECT_EQ(CaretLine(edit()), 1);
  EXPECT_EQ(CaretColumn(edit()), 1);
  Load(kFourLines);
  edit().ExSetSel(14, 14);
  EXPECT_EQ(CaretLine(edit()), 2);
  EXPECT_EQ(CaretColumn(edit()), 5);
  edit().ExSetSel(2, 12);  // a selection spanning lines
  EXPECT_EQ(CaretLine(edit()), 1);
  EXPECT_EQ(CaretColumn(edit()), 13);
  CaretPlace place = ReadCaret(edit());
  EXPECT_EQ(place.line, 1);
  EXPECT_EQ(place.column, 13);
  EXPECT_EQ(place.end, 12);
  // A range reads a line break as one mark and stops at the text's end.
  const long mark = edit().LineIndex(1) - 1;
  EXPECT_EQ(edit().GetTextRange(mark - 1, mark + 2), GetLineText(edit(), 0).substr(mark - 1) + "\r" +
                                                         GetLineText(edit(), 1).substr(0, 1));
  const long end = edit().LineIndex(3) + 4;
  EXPECT_EQ(edit().GetTextRange(end - 1, end + 50), "t");
  edit().ExSetSel(mark - 1, mark + 2);
  EXPECT_EQ(edit().GetSelText(), edit().GetTextRange(mark - 1, mark + 2));
}

TEST_F(Conformance, SetCaretOnShortLines) {
  Load("first line\r\nsecond line\r\nfifth");
  SetCaret(edit(), 6, 3);  // one past the last character: the line's end
  EXPECT_EQ(Sel().cpMin, 23 + 5);
  EXPECT_EQ(Sel().cpMax, 23 + 5);
  SetCaret(edit(), 7, 3);  // further: the line's start
  EXPECT_EQ(Sel().cpMin, 23);
  EXPECT_EQ(CaretLine(edit()), 3);
  EXPECT_EQ(CaretColumn(edit()), 1);
  SetCaret(edit(), 3, 1);
  EXPECT_EQ(Sel().cpMin, 2);
}

TEST_F(Conformance, CaretPixelColumnAtTheLineStartIsOne) {
  Load("abcdef");
  ApplyEditorFont(edit(), "Courier New", 10);
  SetCaret(edit(), 1, 1);
  EXPECT_EQ(CaretPixelColumn(edit(), 10), 1);
  SetCaret(edit(), 4, 1);
  EXPECT_GT(CaretPixelColumn(edit(), 10), 1);
  // Every character of a line stands on its line's pixel row; the next line below.
  Load("abc\r\ndef\r\nghi");
  EXPECT_EQ(edit().PosFromCharY(1), edit().PosFromCharY(2));
  EXPECT_GT(edit().PosFromCharY(4), edit().PosFromCharY(2));
  EXPECT_EQ(edit().PosFromCharY(8) - edit().PosFromCharY(4), edit().PosFromCharY(4) - edit().PosFromCharY(0));
}

TEST_F(Conformance, FormatsApplyToTheSelectionOnly) {
  Load("red green blue");
  ApplyEditorFont(edit(), "Courier New", 10);
  SelectRange(edit(), 0, 1, 0, 4);
  SetSelectionColor(edit(), MakeColor(200, 0, 0));
  SelectRange(edit(), 0, 5, 0, 10);
  SetSelectionStyle(edit(), kEffectBold | kEffectUnderline);

  CharFormat red = FormatOf(0, 3);
  EXPECT_TRUE(red.mask & kCfmColor);
  EXPECT_EQ(red.color, MakeColor(200, 0, 0));
  EXPECT_EQ(red.effects & kEffectBold, 0u);
  CharFormat green = FormatOf(4, 9);
  EXPECT_EQ(green.color, 0u);
  EXPECT_EQ(green.effects & (kEffectBold | kEffectUnderline), kEffectBold | kEffectUnderline);
  CharFormat mixed = FormatOf(0, 9);
  EXPECT_FALSE(mixed.mask & kCfmColor);
  EXPECT_FALSE(mixed.mask & kCfmBold);
  CharFormat all = FormatOf(0, 14);
  EXPECT_TRUE(all.mask & kCfmFace);
  EXPECT_EQ(all.face, "Courier New");
  EXPECT_TRUE(all.mask & kCfmSize);
  EXPECT_EQ(all.heightTwips, 200);
}

TEST_F(Conformance, StyleWithNoFlagsClearsEffects) {
  Load("word");
  SelectAll(edit());
  SetSelectionStyle(edit(), kEffectBold | kEffectItalic);
  SelectAll(edit());
  SetSelectionStyle(edit(), 0);
  EXPECT_EQ(FormatOf(0, 4).effects & (kEffectBold | kEffectItalic), 0u);
}

TEST_F(Conformance, ReplaceSelectionAndUndo) {
  Load("hello world");
  edit().ExSetSel(6, 11);
  edit().ReplaceSel("there", true);
  EXPECT_EQ(edit().GetText(), "hello there");
  EXPECT_TRUE(edit().CanUndo());
  edit().Undo();
  EXPECT_EQ(edit().GetText(), "hello world");
  edit().Redo();
  EXPECT_EQ(edit().GetText(), "hello there");
  // A replacement that cannot be undone leaves nothing older to undo.
  edit().ExSetSel(0, 5);
  edit().ReplaceSel("HELLO", false);
  EXPECT_FALSE(edit().CanUndo());
  EXPECT_EQ(Sel().cpMin, 5);
  EXPECT_EQ(Sel().cpMax, 5);
}

// The history keeps as many steps as the editor asks; past them the oldest
// goes and the others stay.
TEST_F(Conformance, TheUndoHistoryKeepsTheStepsItIsToldAndForgetsTheOldest) {
  EXPECT_EQ(edit().SetUndoLimit(kEditorUndoLimit), kEditorUndoLimit);
  EXPECT_EQ(edit().SetUndoLimit(3), 3);
  Load("");
  for (const char* typed : {"a", "b", "c", "d"}) {
    edit().ExSetSel(-1, -1);
    edit().ReplaceSel(typed, true);
  }
  for (int i = 0; i < 3; ++i) edit().Undo();
  EXPECT_EQ(edit().GetText(), "a");
  EXPECT_FALSE(edit().CanUndo());
}

TEST_F(Conformance, FormatChangesAreUndoStepsUnlessSuspended) {
  Load("abc");
  edit().ExSetSel(3, 3);
  edit().ReplaceSel("d", true);
  SelectAll(edit());
  SetSelectionColor(edit(), MakeColor(0, 0, 200));
  edit().Undo();  // takes the colour away, the typing stays
  EXPECT_EQ(edit().GetText(), "abcd");
  EXPECT_EQ(FormatOf(0, 4).color, 0u);

  edit().SuspendUndo(true);
  SelectAll(edit());
  SetSelectionColor(edit(), MakeColor(0, 0, 200));
  edit().SuspendUndo(false);
  edit().Undo();  // the typing goes, the colour was never recorded
  EXPECT_EQ(edit().GetText(), "abc");
}

// The document's changed flag is read from the control's modified flag:
// loading and selecting leave it clear, a replacement of either kind sets
// it, and the editor's own formatting sets it too (so the editor keeps the
// flag across its formatting itself).
TEST_F(Conformance, TheModifiedFlagIsSetByChangesAndClearedOnRequest) {
  std::string seen;
  auto note = [&](const char* step) { seen += std::string(step) + (edit().GetModify() ? "=1 " : "=0 "); };
  edit().SetModify(true);
  Load("one two");
  note("load");
  edit().ExSetSel(0, 3);
  edit().Copy();
  note("copy");
  SetSelectionColor(edit(), MakeColor(200, 0, 0));
  note("format");
  edit().SetModify(false);
  note("cleared");
  edit().ReplaceSel("x", true);
  note("replace");
  edit().SetModify(false);
  edit().ExSetSel(0, 2);
  edit().ReplaceSel("y", false);
  note("quiet-replace");
  edit().SetModify(false);
  edit().ExSetSel(0, 2);
  edit().SetRichText(WriteRichText("zz", std::vector<CharLook>(2), RichTextTarget::Selection), true);
  note("rich-text");
  EXPECT_EQ(seen, "load=0 copy=0 format=1 cleared=0 replace=1 quiet-replace=1 rich-text=1 ");
}

TEST_F(Conformance, CutCopyAndPasteThroughTheClipboard) {
  Load("one two\r\nthree");
  edit().ExSetSel(4, 11);
  edit().Copy();
  EXPECT_EQ(harness_->Clip().GetText(), "two\r\nthr");
  edit().ExSetSel(0, 4);
  edit().Cut();
  EXPECT_EQ(harness_->Clip().GetText(), "one ");
  EXPECT_EQ(edit().GetText(), "two\r\nthree");
  // Paste with nothing on the clipboard deletes the selection.
  harness_->Clip().SetText("");
  edit().ExSetSel(0, 3);
  ReplaceSelection(edit(), harness_->Clip().GetText());
  EXPECT_EQ(edit().GetText(), "\r\nthree");
}

TEST_F(Conformance, AppendEditorLineBuildsLines) {
  ClearEditor(edit());
  AppendEditorLine(edit(), "first");
  AppendEditorLine(edit(), "");
  AppendEditorLine(edit(), "third");
  EXPECT_EQ(edit().GetText(), "first\r\n\r\nthird");
}

// Replace all puts its lines back as one formatted, undoable transfer.
TEST_F(Conformance, RichTextOverASelectionIsOneUndoStepThatKeepsTheRest) {
  Load("keep\r\nold one\r\nold two\r\ntail");
  edit().ExSetSel(0, 1);
  SetSelectionColor(edit(), MakeColor(0, 0, 200));  // a format outside the range stays
  edit().ExSetSel(4, 4);
  edit().ReplaceSel("!", true);                      // something older to undo
  SelectRange(edit(), 1, 1, 2, -1);
  edit().SetRichText("{\\rtf1\\ansi{\\colortbl ;\\red200\\green0\\blue0;}new \\cf1 one\\cf0\\par new two}", true);
  EXPECT_EQ(edit().GetText(), "keep!\r\nnew one\r\nnew two\r\ntail");
  EXPECT_EQ(FormatOf(0, 1).color, MakeColor(0, 0, 200));
  const long one = edit().LineIndex(1) + 4;
  EXPECT_EQ(FormatOf(one, one + 3).color, MakeColor(200, 0, 0));
  edit().Undo();
  EXPECT_EQ(edit().GetText(), "keep!\r\nold one\r\nold two\r\ntail");
  edit().Undo();
  EXPECT_EQ(edit().GetText(), "keep\r\nold one\r\nold two\r\ntail");
}

// Large scripts go in and are re-formatted a piece of lines at a time: a
// piece appended at the end keeps its closing mark, and a selection read out
// with its formats reads back as exactly its text and goes back in place.
TEST_F(Conformance, PiecesOfRichTextAppendAndReadBackInPlace) {
  Load("");
  edit().SuspendUndo(true);  // as a load does: nothing of it is the user's to undo
  for (const char* piece : {"{\\rtf1\\ansi one\\par two\\par}", "{\\rtf1\\ansi{\\colortbl ;\\red0\\green0\\blue200;}\\cf1 three}"}) {
    edit().ExSetSel(-1, -1);
    edit().SetRichText(piece, true);
  }
  edit().SuspendUndo(false);
  EXPECT_EQ(edit().GetText(), "one\r\ntwo\r\nthree");
  EXPECT_FALSE(edit().CanUndo());
  const long from = edit().LineIndex(1), to = edit().LineIndex(2) + 5;
  edit().ExSetSel(from, to);
  std::string text;
  std::vector<CharLook> looks;
  ASSERT_TRUE(ReadRichText(edit().GetSelectionRichText(), text, looks, RichTextTarget::Selection));
  EXPECT_EQ(text, "two\rthree");
  EXPECT_EQ(text, edit().GetTextRange(from, to));
  EXPECT_EQ(looks[4].color, MakeColor(0, 0, 200));
  looks[0].color = MakeColor(200, 0, 0);
  edit().SetRichText(WriteRichText(text, looks, RichTextTarget::Selection), true);
  EXPECT_EQ(edit().GetText(), "one\r\ntwo\r\nthree");
  EXPECT_EQ(FormatOf(from, from + 1).color, MakeColor(200, 0, 0));
  EXPECT_EQ(FormatOf(to - 5, to).color, MakeColor(0, 0, 200));
}

// A line is re-formatted by writing it back over itself in one transfer,
// out of the history: what the user can undo stays exactly as it was.
TEST_F(Conformance, ALineRewrittenOverItselfOutOfTheHistoryLeavesTheHistoryAlone) {
  Load("alpha\r\nbeta");
  edit().ExSetSel(-1, -1);
  edit().ReplaceSel("!", true);
  edit().SuspendUndo(true);
  edit().ExSetSel(0, 5);
  edit().SetRichText("{\\rtf1\\ansi{\\colortbl ;\\red200\\green0\\blue0;}\\cf1 alpha}", true);
  edit().SuspendUndo(false);
  EXPECT_EQ(edit().GetText(), "alpha\r\nbeta!");
  edit().Undo();
  EXPECT_EQ(edit().GetText(), "alpha\r\nbeta");
  EXPECT_EQ(FormatOf(0, 5).color, MakeColor(200, 0, 0));
  EXPECT_FALSE(edit().CanUndo());
}

// The caret watch relies on the start of the caret's line being at hand
// without a line number.
TEST_F(Conformance, LineIndexOfMinusOneIsTheStartOfTheCaretsLine) {
  Load("ab\r\ncd\r\nef");
  for (long caret : {0L, 2L, 3L, 5L, 8L}) {
    edit().ExSetSel(caret, caret);
    EXPECT_EQ(edit().LineIndex(-1), edit().LineIndex(edit().ExLineFromChar(caret))) << caret;
  }
}

TEST_F(Conformance, TextPastTheDefaultLimitIsKeptWhole) {
  std::string line(70000, 'x');
  std::string text = line + "\r\n" + line;
  Load(text);
  EXPECT_EQ(edit().GetTextLength(), 140002);
  EXPECT_EQ(GetLineText(edit(), 1), line);
  edit().ExSetSel(-1, -1);
  edit().ReplaceSel("y", false);
  EXPECT_EQ(GetEditorText(edit()), text + "y");
}

TEST_F(Conformance, RichTextLoadsColoursInOneTransfer) {
  edit().SetRichText(
      "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Courier New;}}{\\colortbl ;\\red200\\green0\\blue0;}"
      "\\f0\\fs20 plain \\cf1\\b red\\b0\\cf0 \\par next\\par}",
      false);
  EXPECT_EQ(edit().GetText(), "plain red\r\nnext");
  CharFormat red = FormatOf(6, 9);
  EXPECT_EQ(red.color, MakeColor(200, 0, 0));
  EXPECT_EQ(red.effects & kEffectBold, kEffectBold);
  CharFormat plain = FormatOf(0, 5);
  edit().SetRichText("{\\rtf1\\ansi one\\par\\par}", false);
  EXPECT_EQ(edit().GetText(), "one\r\n");  // only the very last mark is dropped
  EXPECT_EQ(plain.color, 0u);
  EXPECT_EQ(plain.face, "Courier New");
  EXPECT_EQ(plain.heightTwips, 200);
}

std::string NumberedLines(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += (i ? "\r\n" : "") + std::string("line ") + std::to_string(i);
  return text;
}

// Replacing the whole text must come out the same whether the control held a
// few lines or thousands (a long text is taken out in parts, for speed): the
// new text in the control's default look, whatever the old text looked like,
// no undo left, and a control that edits and undoes as before.
TEST_F(Conformance, SettingTheWholeTextOverShortAndLongTexts) {
  Load("first\r\nsecond");
  const CharFormat defaultLook = FormatOf(0, 5);
  for (int oldLines : {3, 3000}) {
    SCOPED_TRACE(oldLines);
    Load(NumberedLines(oldLines));
    ApplyEditorFont(edit(), "Courier New", 10);
    SelectRange(edit(), 0, 1, 0, 5);
    SetSelectionColor(edit(), MakeColor(200, 0, 0));
    SetSelectionStyle(edit(), kEffectBold);
    edit().ExSetSel(-1, -1);
    edit().ReplaceSel("x", true);  // something to undo
    Load("first\r\nsecond");
    EXPECT_EQ(edit().GetText(), "first\r\nsecond");
    EXPECT_EQ(edit().GetLineCount(), 2);
    EXPECT_FALSE(edit().CanUndo());
    CharFormat look = FormatOf(0, 5);
    EXPECT_EQ(look.color, defaultLook.color);
    EXPECT_EQ(look.effects, defaultLook.effects);
    EXPECT_EQ(look.face, defaultLook.face);
    EXPECT_EQ(look.heightTwips, defaultLook.heightTwips);
    edit().ExSetSel(-1, -1);
    edit().ReplaceSel("!", true);
    EXPECT_EQ(edit().GetText(), "first\r\nsecond!");
    edit().Undo();
    EXPECT_EQ(edit().GetText(), "first\r\nsecond");
  }
}

TEST_F(Conformance, LoadingRichTextOverShortAndLongTexts) {
  for (int oldLines : {3, 3000}) {
    SCOPED_TRACE(oldLines);
    Load(NumberedLines(oldLines));
    SelectAll(edit());
    SetSelectionStyle(edit(), kEffectItalic);
    edit().SetRichText(
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Courier New;}}{\\colortbl ;\\red0\\green0\\blue200;}"
        "\\f0\\fs20 a \\cf1 b\\cf0\\par c\\par}",
        false);
    EXPECT_EQ(edit().GetText(), "a b\r\nc");
    EXPECT_FALSE(edit().CanUndo());
    EXPECT_EQ(FormatOf(2, 3).color, MakeColor(0, 0, 200));
    EXPECT_EQ(FormatOf(0, 5).effects & kEffectItalic, 0u);
    EXPECT_EQ(GetLineText(edit(), 1), "c");
  }
}

// The keys the member popup's list passes on while Ctrl is held: words are
// runs of anything but blanks, a line break is a word of its own.
TEST_F(Conformance, CtrlKeysMoveByWordsAndToTheEnds) {
  Load("ab, cd  ef\r\ngh");
  edit().ExSetSel(9, 9);   // inside "ef"
  std::vector<long> lefts, rights;
  for (int i = 0; i < 4; ++i) {
    edit().CtrlKey(37);
    lefts.push_back(Sel().cpMin);
  }
  EXPECT_EQ(lefts, (std::vector<long>{8, 4, 0, 0}));
  // Wine's control jumps past the text from the line's last word: the
  // editor relies only on the moves within a line.
  for (int i = 0; i < 2; ++i) {
    edit().CtrlKey(39);
    rights.push_back(Sel().cpMin);
  }
  EXPECT_EQ(rights, (std::vector<long>{4, 8}));
  edit().CtrlKey(35);
  EXPECT_EQ(Sel().cpMin, 13);
  edit().CtrlKey(8);
  EXPECT_EQ(edit().GetText(), "ab, cd  ef\r\ng");
  edit().CtrlKey(36);
  EXPECT_EQ(Sel().cpMin, 0);
  edit().CtrlKey(46);
  EXPECT_EQ(edit().GetText(), "b, cd  ef\r\ng");
}

}  // namespace
