// Edits of thousands of lines go in by loading the text whole; they must
// stay one undoable step each, in the order the user made them.
#include "editor/large_edits.h"

#include "editor/find_replace.h"
#include "editor/line_breaks.h"
#include "support/app_fixture.h"

namespace {

class LargeEdits : public AppFixture {
 protected:
  void Menu(int item) {
    mem.events.Command(item);
    Run();
  }
  void Select(long fromLine, long toLine) {
    SelectRange(edit(), fromLine, 1, toLine, 1);
    Run();
  }
};

std::string Lines(int count, const std::string& stem) {
  std::string text;
  for (int i = 0; i < count; ++i) text += (i ? "\r\n" : "") + stem + std::to_string(i);
  return text;
}

constexpr int kSelectAll = 14, kDelete = 13, kCut = 10, kPaste = 12, kUndo = 8, kRedo = 9;
// Keys rather than menu items, in the table below.
constexpr int kDeleteKey = -kVkDelete, kBackspaceKey = -kVkBack, kEnterKey = -kVkReturn, kTypeZ = -'z';

TEST_F(LargeEdits, EachIsOneStepThatUndoAndRedoTakeWhole) {
  // A tab, an empty line and no line break at the end, past a Replace all's
  // whole-text length.
  const std::string text = Lines(kWholeTextReplaceLines + 100, "Game.Log(\"a\") // ") + "\r\n\tend\r\n\r\nlast";
  const std::string pasted = Lines(kLargeEditLines + 100, "Say ") + "\r\n";
  const long middle = static_cast<long>(text.find("// 1000"));
  struct Case {
    const char* name;
    long fromLine, toLine;   // the selection, from the start of one line to another's; -1 selects all
    int command;
    std::string after;
    std::string beforeCaret;  // the text before the caret after the edit
  };
  const std::string tail = text.substr(text.find("Game.Log(\"a\") // 900\r\n"));
  const std::string head = text.substr(0, text.find("Game.Log(\"a\") // 100\r\n"));
  const Case cases[] = {
      {"select all, delete", -1, -1, kDelete, "", ""},
      {"cut of 800 lines", 100, 900, kCut, head + tail, head},
      {"paste inside a line", 0, 0, kPaste, text.substr(0, middle) + pasted + text.substr(middle),
       text.substr(0, middle) + pasted},
      {"typing over all by a paste", -1, -1, kPaste, pasted, pasted},
      {"the Delete key over 800 lines", 100, 900, kDeleteKey, head + tail, head},
      {"Backspace over all", -1, -1, kBackspaceKey, "", ""},
      {"a character typed over 800 lines", 100, 900, kTypeZ, head + "z" + tail, head + "z"},
      {"Enter over 800 lines", 100, 900, kEnterKey, head + "\r\n" + tail, head + "\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetText(text);
    mem.clipboard.SetText(pasted);
    if (c.fromLine < 0) Menu(kSelectAll);
    else if (c.command == kPaste) SetCaret(edit(), 15, 1001);
    else Select(c.fromLine, c.toLine);
    app.state.Changed = 0;
    mem.ui.focused = kEditingArea;
    if (c.command > 0) Menu(c.command);
    else if (c.command == kTypeZ) mem.events.Type("z");
    else mem.events.Key(-c.command);
    Run();
    EXPECT_TRUE(Text() == c.after);
    EXPECT_FALSE(edit().CanUndo());   // made by the editor, not left to the control
    EXPECT_EQ(app.state.Changed, 1);
    if (c.command == kCut) {
      EXPECT_EQ(mem.clipboard.GetText().size(), text.size() - c.after.size());
    }
    EXPECT_EQ(edit().ExGetSel().cpMin, static_cast<long>(ToParagraphMarks(c.beforeCaret).size()));
    for (int round = 0; round < 2; ++round) {
      Menu(kUndo);
      EXPECT_TRUE(Text() == text);
      Menu(kRedo);
      EXPECT_TRUE(Text() == c.after);
    }
    // Typing after it is taken back first, then the edit.
    mem.ui.focused = kEditingArea;
    mem.events.Type("x");
    Run();
    Menu(kUndo);
    EXPECT_TRUE(Text() == c.after);
    Menu(kUndo);
    EXPECT_TRUE(Text() == text);
  }

  // A Replace all over the whole text, then a large delete: Undo takes back
  // the delete, then the Replace all.
  SetText(text);
  Menu(16);
  mem.ui.SetControlText(kReplaceFindText, "Log");
  mem.ui.SetControlText(kReplaceWithText, "Say");
  edit().ExSetSel(0, 0);
  mem.events.ControlEvent(kReplaceAllButton, kControlClick);
  Run();
  const std::string replaced = Text();
  ASSERT_NE(replaced, text);
  Menu(kSelectAll);
  Menu(kDelete);
  Menu(kUndo);
  EXPECT_TRUE(Text() == replaced);
  Menu(kUndo);
  EXPECT_TRUE(Text() == text);
  // A small delete stays the control's own.
  Select(3, 5);
  Menu(kDelete);
  EXPECT_TRUE(app.state.ownUndo.undo.empty() || Text().size() != app.state.ownUndo.undo.back().after.length);
  Menu(kUndo);
  EXPECT_TRUE(Text() == text);
  // So do the keys on a few lines.
  Select(3, 5);
  mem.ui.focused = kEditingArea;
  mem.events.Key(kVkDelete);
  mem.events.Type("q");
  Run();
  EXPECT_TRUE(edit().CanUndo());
}

}  // namespace
