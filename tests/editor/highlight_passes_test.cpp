// The passes may reach their result any way they like (merged runs, one
// rich-text transfer), but every character must end exactly as if every
// step had been applied one by one, as the plain algorithm does.
#include <functional>
#include <map>
#include <random>

#include "app/script_files.h"
#include "catalogue/line_reader.h"
#include "editor/format_runs.h"
#include "editor/highlight_passes.h"
#include "editor/large_edits.h"
#include "editor/line_breaks.h"
#include "editor/search.h"
#include "support/app_fixture.h"

namespace {

void ApplyStepLiterally(EditControl& edit, long line, const FormatStep& step, const CategoryStyles& styles,
                        const AppState& s) {
  const CategoryStyle& style = styles[static_cast<int>(step.category)];
  if (s.ApplyColors == 1) {
    SelectRange(edit, line, step.start, line, step.end);
    SetSelectionColor(edit, ColorOf(style));
  }
  if (s.ApplyFontStyles == 1) {
    SelectRange(edit, line, step.start, line, step.end);
    SetSelectionStyle(edit, EffectsOf(style));
  }
}

void LiteralHighlightAll(App& app, EditControl& edit) {
  std::vector<FormatStep> steps;
  for (long i = 0; i < LineCount(edit); ++i) {
    ScanLine(app.scanner, GetLineText(edit, i), HighlightPass::WholeText, steps);
    for (const FormatStep& step : steps) ApplyStepLiterally(edit, i, step, CategoryStylesOf(app.state), app.state);
  }
  ApplyEditorFont(edit, app.state.EditorFontName, app.state.EditorFontSize);
  SetCaret(edit, 1, 1);
}

void LiteralHighlightLine(App& app, EditControl& edit, int line, int caretLine) {
  long i = std::max(line - 1, 0);
  int column = CaretColumn(edit);
  std::string text = GetLineText(edit, i);
  SelectRange(edit, i, 1, i, -1);
  SetSelectionColor(edit, 0);
  std::vector<FormatStep> steps;
  ScanLine(app.scanner, text, HighlightPass::SingleLine, steps);
  for (const FormatStep& step : steps) ApplyStepLiterally(edit, i, step, CategoryStylesOf(app.state), app.state);
  SetCaret(edit, column, caretLine);
}

void ExpectSameFormats(const MemoryEditControl& a, const MemoryEditControl& b) {
  ASSERT_EQ(a.RawText(), b.RawText());
  for (long i = 0; i < a.Length(); ++i) {
    ASSERT_EQ(a.FormatAt(i).color, b.FormatAt(i).color) << "offset " << i;
    ASSERT_EQ(a.FormatAt(i).effects, b.FormatAt(i).effects) << "offset " << i;
    ASSERT_EQ(a.FormatAt(i).face, b.FormatAt(i).face) << "offset " << i;
    ASSERT_EQ(a.FormatAt(i).heightTwips, b.FormatAt(i).heightTwips) << "offset " << i;
  }
}

// A started editor whose catalogue and lists come from the shipped data.
class Highlighting : public AppFixture {
 protected:
  void Prepare() override {
    std::string bytes;
    for (const char* name : {"QVR_Command_List.txt", "QVR_Keyword_List.txt", "QVR_Events_List.txt",
                             "QVR_Dirs_List.txt"})
      if (ReadDisk(std::string(QVR_DATA_DIR) + "/" + name, bytes)) mem.files.files[name] = bytes;
    mem.files.files["QVR_UserBlocks_List.txt"] = "#Loop#Repeats\r\nwhile x // again\r\nend\r\n";
    mem.files.files["QVR_Docs\\scripting_ref_game.txt"] =
        "*tit Game\r\n*grp Methods\r\n*met Log(text)\r\n*des Writes.\r\n*atr Title\r\n";
  }
  static bool ReadDisk(const std::string& path, std::string& bytes) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    bytes.clear();
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof(buffer), f)) > 0) bytes.append(buffer, n);
    std::fclose(f);
    return true;
  }
  std::vector<std::string> SampleLines() {
    std::string bytes;
    EXPECT_TRUE(ReadDisk(std::string(QVR_DATA_DIR) + "/samples/demo.script", bytes));
    std::vector<std::string> lines = SplitFileLines(bytes);
    lines.push_back("if (x) while(y) Game.Log(\"a // b\") // tail \"q\"");
    lines.push_back("\"one\" two \"three");
    lines.push_back("");
    return lines;
  }
  // A second control holding the same text, for the literal algorithm.
  MemoryEditControl& Twin() {
    twin_.SetText(Text());
    return twin_;
  }
  MemoryEditControl twin_;
};

TEST_F(Highlighting, LoadingInOneTransferEqualsTheLiteralPass) {
  std::vector<std::string> lines = SampleLines();
  app.state.Comments.italic = 1;
  app.scanner = BuildLineScanner(app.state.catalogue);
  edit().formatCalls = 0;
  LoadText(app, lines, true);
  EXPECT_EQ(edit().richTextCalls, 1);
  EXPECT_EQ(edit().formatCalls, 0);

  MemoryEditControl literal;
  ClearEditor(literal);
  for (const std::string& line : lines) AppendEditorLine(literal, line);
  SelectAll(literal);
  SetSelectionColor(literal, 0);
  SetSelectionStyle(literal, 0);
  LiteralHighlightAll(app, literal);
  ExpectSameFormats(edit(), literal);
  EXPECT_EQ(edit().ExGetSel().cpMin, 0);

  // Highlighting again with nothing changed leaves the control's text alone;
  // a changed look goes in again.
  HighlightAll(app);
  EXPECT_EQ(edit().richTextCalls, 1);
  app.state.Comments.italic = 0;
  HighlightAll(app);
  EXPECT_EQ(edit().richTextCalls, 2);
  LiteralHighlightAll(app, literal);
  ExpectSameFormats(edit(), literal);
}

// Beyond a thousand lines, with nothing to undo, the whole-text pass loads
// the text anew a piece at a time: nothing may show at the seams.
TEST_F(Highlighting, ALongTextFormattedAnewEqualsTheLiteralPass) {
  const std::string line = "if (x) while(y) Game.Log(\"a // b\") // tail";
  std::string block, longLine;
  for (int i = 0; i < 1100; ++i) block += line + "\r\n";
  while (longLine.size() < 100000) longLine += line + " ";
  const std::string seamAt = block.substr(0, 999 * (line.size() + 2));
  const std::pair<const char*, std::string> cases[] = {
      {"no line break at the end", block + "last"},
      {"an empty last line", block},
      {"a tab and an empty line at a seam", seamAt + "\t" + line + "\r\n\r\n" + block},
      {"a line of 100,000 characters across a seam", seamAt + longLine + "\r\n" + block},
      {"a line longer than a piece", block + longLine + longLine + longLine + "\r\nx"},
  };
  std::mt19937 random(11);
  for (const auto& [name, text] : cases) {
    SCOPED_TRACE(name);
    SetText(text);
    MemoryEditControl& literal = Twin();
    literal.SuspendUndo(true);
    edit().SuspendUndo(true);
    for (int k = 0; k < 200; ++k) {
      const long from = random() % edit().Length(), to = from + random() % 40;
      const uint32_t effects = random() % 8, color = random() % 0xFFFFFF;
      for (MemoryEditControl* control : {&edit(), &literal}) {
        control->ExSetSel(from, to);
        SetSelectionStyle(*control, effects);
        SetSelectionColor(*control, color);
      }
    }
    edit().SuspendUndo(false);
    HighlightAll(app);
    LiteralHighlightAll(app, literal);
    ExpectSameFormats(edit(), literal);
    EXPECT_EQ(edit().ExGetSel().cpMin, 0);
    const std::string formatted = Text();
    mem.events.Command(8);
    Run();
    EXPECT_TRUE(Text() == formatted);
  }
}

// A long text loaded anew for its looks loses the control's history, which
// the editor keeps as its own: Undo and Redo then go through the same texts
// as the control's own history would, and lines put back are formatted.
TEST_F(Highlighting, ALongTextFormattedAnewKeepsEveryStepToUndoAndRedo) {
  constexpr int kUndo = 8, kRedo = 9, kDelete = 13, kPaste = 12;
  const std::string line = "if (x) while(y) Game.Log(\"a // b\") // tail";
  std::string text;
  for (int i = 0; i < 1100; ++i) text += line + "\r\n";
  std::string sixty;
  for (int i = 0; i < 60; ++i) sixty += "while Game.Log(" + std::to_string(i) + ")\r\n";
  mem.clipboard.SetText(sixty);
  auto at = [&](long lineIndex, int column) { SetCaret(edit(), column, static_cast<int>(lineIndex) + 1); };
  auto run = [&](int command) {
    const std::string before = Text();
    mem.events.Command(command);
    Run();
    return Text() != before;
  };
  for (const int undone : {0, 2}) {
    SCOPED_TRACE(undone ? "with steps to redo" : "with nothing to redo");
    SetText(text);
    ForgetOwnUndoSteps(app.state);
    at(4, 1);
    mem.events.Type("x");
    at(700, 1);
    mem.events.Type("Game.Log(1)\r");
    Run();
    SelectRange(edit(), 9, 1, 14, 1);
    run(kDelete);
    at(20, 3);
    run(kPaste);
    for (int i = 0; i < undone; ++i) run(kUndo);
    // The texts the control's own history goes through, back and forward.
    std::vector<std::string> back, forward;
    for (std::string now = Text(); run(kUndo);) back.push_back(Text());
    for (size_t i = 0; i < back.size(); ++i) run(kRedo);
    for (std::string now = Text(); run(kRedo);) forward.push_back(Text());
    for (size_t i = 0; i < forward.size(); ++i) run(kUndo);
    ASSERT_EQ(forward.size(), static_cast<size_t>(undone));

    app.state.Keywords.red = 200;
    HighlightAll(app);
    MemoryEditControl& literal = Twin();
    literal.SuspendUndo(true);
    LiteralHighlightAll(app, literal);
    ExpectSameFormats(edit(), literal);
    EXPECT_FALSE(edit().CanUndo());
    for (const std::string& expected : back) ASSERT_TRUE(run(kUndo) && Text() == expected);
    EXPECT_FALSE(run(kUndo));
    for (size_t i = back.size() - 1; i-- > 0;) ASSERT_TRUE(run(kRedo) && Text() == back[i]);
    ASSERT_TRUE(run(kRedo));
    for (const std::string& expected : forward) ASSERT_TRUE(run(kRedo) && Text() == expected);
    EXPECT_FALSE(run(kRedo));
    // The pasted lines came back as the editor's own step: formatted.
    const long pasted = static_cast<long>(ToParagraphMarks(Text()).find("while Game.Log(59)"));
    LiteralHighlightAll(app, Twin());
    EXPECT_EQ(edit().FormatAt(pasted).color, twin_.FormatAt(pasted).color);
  }
}

// Enter, Backspace and Delete joining lines are told from the caret's move
// alone, and typing from a move by the control's modified flag: after every
// key the caret watch must agree with a full read, and every line the
// editor takes for formatted, the caret's aside, must look exactly as a
// pass would leave it, whether a pass looked at it or not.
TEST_F(Highlighting, TheCaretWatchAgreesWithAFullReadAndSkippedLinesAreFormatted) {
  // E Enter, B Backspace, D Delete, < and > left and right, ^ and v up and
  // down, H and N Home and End, P Paste; anything else is typed.
  const std::map<char, int> keys = {{'E', 13}, {'B', 8}, {'D', 46}, {'<', 37}, {'>', 39},
                                    {'^', 38}, {'v', 40}, {'H', 36}, {'N', 35}};
  const std::string text = "if (x) Game.Log(\"a\") // c\r\n\tsecond while\r\n\r\nlast";
  const struct {
    const char* name;
    int line;  // where the caret starts: the end of this line
    const char* keys;
  } cases[] = {
      {"Enter at a line's end", 1, "E^"},
      {"Enter inside a line", 2, "<<Ev"},
      {"Enter on an empty line, then Backspace", 3, "EB^"},
      {"Backspace at a line's start", 2, "HBv"},
      {"Delete at a line's end, then down", 1, "Dv"},
      {"Enter twice at the text's end, back up", 4, "EEN^^^"},
      {"a keyword typed over, then up and back", 2, "s^vv"},
      {"typed on a new last line, joined up", 4, "E whileHB^"},
      {"typed, the text's end left empty and joined", 4, "EwBB^"},
      {"a line split inside a string", 1, "<<<<<<<<<<<E^v"},
      {"Delete joining a typed line", 2, "xD^"},
      {"arrows across line ends", 2, "H<>>^vvvN>"},
      {"a word pasted, then up", 2, "P^"},
  };
  MemoryEditControl& literal = Twin();
  mem.clipboard.SetText(" if");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LoadText(app, SplitTextLines(text), true);
    const long start = edit().LineIndex(c.line - 1), end = start + edit().LineLength(start);
    edit().ExSetSel(end, end);
    mem.events.Other(0);
    Run();
    for (const char* k = c.keys; *k; ++k) {
      SCOPED_TRACE(std::string("after ") + *k);
      if (*k == 'P') mem.events.Command(12);
      else if (keys.count(*k)) mem.events.Key(keys.at(*k));
      else mem.events.Type(std::string(1, *k));
      Run();
      const CaretPlace full = ReadCaret(edit());
      EXPECT_EQ(app.caret.place.line, full.line);
      EXPECT_EQ(app.caret.place.column, full.column);
      EXPECT_EQ(app.caret.place.lineStart, full.lineStart);
      literal.SetText(Text());
      for (long i = 0; i < edit().Length(); ++i) {
        const CharLook& look = edit().FormatAt(i);
        literal.ExSetSel(i, i + 1);
        literal.SetSelectionFormat(
            {kCfmColor | kCfmEffects | kCfmFace | kCfmSize, look.effects, look.heightTwips, look.color, look.face});
      }
      for (int line = 1; line <= LineCount(edit()); ++line)
        if (line != full.line && !NeedsPass(app.looks, line)) LiteralHighlightLine(app, literal, line, full.line);
      ExpectSameFormats(edit(), literal);
    }
    // Typing and pasting never leave the editor knowing nothing.
    EXPECT_TRUE(app.looks.known);
  }
}

TEST_F(Highlighting, MergedPassesEqualTheLiteralPassesOverExistingFormats) {
  std::vector<std::string> lines = SampleLines();
  std::string text;
  for (const std::string& l : lines) text += l + "\r\n";
  std::mt19937 random(7);
  for (int applyColors : {1, 0})
    for (int applyStyles : {1, 0}) {
      app.state.ApplyColors = applyColors;
      app.state.ApplyFontStyles = applyStyles;
      edit().SetText(text);
      // Leftover formats from earlier edits, which uncovered stretches keep.
      for (int k = 0; k < 60; ++k) {
        long from = random() % edit().Length();
        edit().ExSetSel(from, from + random() % 12);
        SetSelectionStyle(edit(), random() % 8);
        SetSelectionColor(edit(), random() % 0xFFFFFF);
      }
      MemoryEditControl& literal = Twin();
      for (long i = 0; i < edit().Length(); ++i) {
        literal.ExSetSel(i, i + 1);
        SetSelectionColor(literal, edit().FormatAt(i).color);
        SetSelectionStyle(literal, edit().FormatAt(i).effects);
      }
      HighlightAll(app);
      LiteralHighlightAll(app, literal);
      ExpectSameFormats(edit(), literal);

      edit().ExSetSel(3, 3);
      literal.ExSetSel(3, 3);
      for (int line : {5, 1, 0, static_cast<int>(lines.size())}) {
        HighlightLine(app, line);
        LiteralHighlightLine(app, literal, line, 1);  // the caret's own line
        ExpectSameFormats(edit(), literal);
        EXPECT_EQ(edit().ExGetSel().cpMin, literal.ExGetSel().cpMin);
      }
    }
}

TEST_F(Highlighting, TheLineTheCaretLeavesIsFormattedAndUndoTakesBackTyping) {
  app.state.Methods.bold = 1;
  mem.events.Type("while x // note\r");
  Run();
  uint32_t blue = MakeColor(0, 0, 200), green = MakeColor(0, 200, 0), red = MakeColor(200, 0, 0);
  EXPECT_EQ(edit().FormatAt(0).color, red);         // a command word
  EXPECT_EQ(edit().FormatAt(0).effects & 1, 1u);    // Methods is bold here
  EXPECT_EQ(edit().FormatAt(8).color, green);       // the comment
  EXPECT_EQ(CaretLine(edit()), 2);
  (void)blue;
  // Undo takes back what was typed, not the colours.
  mem.events.Command(8);
  Run();
  EXPECT_EQ(Text(), "while x // note");
}

TEST_F(Highlighting, NoFormattingWhileSelectingOrWithRealtimeOff) {
  SetText("while a\r\nwhile b");
  edit().MoveCaretTo(0);
  Run();
  mem.events.KeyDown(16);
  mem.events.Do(0, [this] { edit().MoveCaretTo(10); });
  Run();
  EXPECT_EQ(edit().FormatAt(8).color, 0u);  // line 1 was left during a selection
  mem.events.KeyUp(16);
  Run();
  app.state.Realtime = 0;
  mem.events.Do(0, [this] { edit().MoveCaretTo(0); });
  Run();
  EXPECT_EQ(edit().FormatAt(8).color, 0u);
}

TEST_F(Highlighting, SelectAllFromAnotherLineFormatsTheRememberedLineAndStaysSelected) {
  SetText("x\r\nwhile y\r\nz");
  for (int how : {0, 1}) {  // Edit > Select all, and the control's own Ctrl+A
    mem.events.Do(0, [this] { edit().MoveCaretTo(5); });
    Run();
    EXPECT_EQ(app.state.lastCaretLine, 2);
    if (how == 0) mem.events.Command(14);
    else mem.events.Do(0, [this] { edit().ExSetSel(0, -1); });
    Run();
    EXPECT_EQ(edit().FormatAt(2).color, MakeColor(200, 0, 0)) << how;
    EXPECT_EQ(edit().ExGetSel().cpMin, 0) << how;
    EXPECT_EQ(edit().ExGetSel().cpMax, edit().Length() + 1) << how;
  }
}

// A line pass would turn a selection made upwards round; the line it left
// waits for the selection to go. Select all (its anchor at neither end) is
// formatted at once.
TEST_F(Highlighting, ASelectionMadeUpwardsKeepsItsAnchor) {
  const uint32_t red = MakeColor(200, 0, 0);
  struct Case { long from, to; bool formattedAtOnce; } cases[] = {{0, 5, false}, {0, -1, true}};
  for (const Case& c : cases) {
    SetText("x\r\nwhile b\r\nz");
    mem.events.Do(0, [this] { edit().MoveCaretTo(5); });  // into line 2
    Run();
    mem.events.Do(0, [this, c] { edit().ExSetSel(c.from, c.to); });  // Shift+click on line 1
    Run();
    EXPECT_EQ(edit().ExGetSel().cpMin, 0);
    EXPECT_EQ(edit().FormatAt(2).color == red, c.formattedAtOnce) << c.to;
    mem.events.Do(0, [this] { edit().MoveCaretTo(10); });
    Run();
    EXPECT_EQ(edit().FormatAt(2).color, red) << c.to;
  }
}

TEST_F(Highlighting, TheFirstEventFormatsLineOne) {
  edit().SetText("while z");
  EXPECT_EQ(app.state.lastCaretLine, 0);
  mem.events.Other(0);
  Run();
  EXPECT_EQ(edit().FormatAt(0).color, MakeColor(200, 0, 0));
  EXPECT_EQ(app.state.lastCaretLine, 1);
}

}  // namespace

// Opening and saving a script unedited must give back the very bytes, final
// line break included, whichever road the text takes into the control.
TEST_F(Highlighting, EveryShippedSampleOpensAndSavesBackByteForByte) {
  for (const char* name : {"demo.script", "intro.script", "inventory.script", "common.inc"}) {
    std::string bytes;
    ASSERT_TRUE(ReadDisk(std::string(QVR_DATA_DIR) + "/samples/" + name, bytes)) << name;
    for (const std::string& variant : {bytes, bytes + "\r\n", bytes.substr(0, bytes.find_last_not_of("\r\n") + 1)}) {
      for (int onOpening : {1, 0}) {
        app.state.OnOpening = onOpening;
        mem.files.files["C:\\s\\in.script"] = variant;
        LoadScript(app, "C:\\s\\in.script");
        ASSERT_TRUE(SaveScript(app, "C:\\s\\out.script"));
        EXPECT_TRUE(mem.files.files["C:\\s\\out.script"] == variant) << name << " highlighted " << onOpening;
      }
    }
  }
}

// Formatting never enters the undo history, and an insertion from the tree
// is one step: Undo takes it back, then the typing before it.
TEST_F(Highlighting, UndoAfterATreeInsertionTakesBackTheInsertionThenTheTyping) {
  for (const char* label : {"Loop", "Log"}) {  // a code block re-highlights; a member does not
    app.state.Changed = 0;
    edit().SetModify(false);
    NewScript(app);
    mem.events.Type("a\rb ");
    Run();
    TreeItem pointed = kTreeRoot;
    for (const auto& [item, node] : mem.ui.treeNodes)
      if (node.label == label) pointed = item;
    mem.events.TreeDoubleClick(kCommandTree, pointed);
    Run();
    const std::string inserted = Text();
    ASSERT_NE(inserted, "a\r\nb ") << label;
    mem.events.Command(8);
    Run();
    EXPECT_EQ(Text(), "a\r\nb ") << label;
    mem.events.Command(8);
    Run();
    EXPECT_NE(Text(), "a\r\nb ") << label;  // the typing goes too, step by step
    mem.events.Command(9);
    mem.events.Command(9);
    Run();
    EXPECT_EQ(Text(), inserted) << label;
  }
}
