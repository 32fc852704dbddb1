// The Find and Replace windows in the running editor.
#include "editor/find_replace.h"

#include "app/script_files.h"

#include "support/app_fixture.h"

namespace {

class FindReplace : public AppFixture {
 protected:
  void Menu(int item) {
    mem.events.Command(item);
    Run();
  }
  void Press(int control) {
    mem.events.ControlEvent(control, kControlClick);
    Run();
  }
  std::string Selected() {
    CharRange sel = edit().ExGetSel();
    return edit().RawText().substr(sel.cpMin, sel.cpMax - sel.cpMin);
  }
};

TEST_F(FindReplace, TheWindowsOpenCentredWithTheirFieldsResetAtEveryOpening) {
  app.state.searchText = "keep";
  Menu(15);
  ASSERT_TRUE(mem.ui.WindowExists(kFindWindow));
  const Rect main = mem.ui.WindowRect(kMainWindow), find = mem.ui.WindowRect(kFindWindow);
  EXPECT_EQ(mem.ui.windows[kFindWindow].form.title, "Find");
  EXPECT_EQ(mem.ui.windows[kFindWindow].clientW, 385);
  EXPECT_EQ(mem.ui.windows[kFindWindow].clientH, 91);
  EXPECT_NEAR(find.x + find.w / 2, main.x + main.w / 2, 1);
  EXPECT_NEAR(find.y + find.h / 2, main.y + main.h / 2, 1);
  EXPECT_EQ(mem.ui.ControlText(kFindText), "keep");
  EXPECT_TRUE(mem.ui.IsChecked(kFindMatchCase));
  EXPECT_EQ(mem.ui.ControlRect(kFindNextButton), (Rect{290, 40, 80, 20}));
  mem.ui.SetControlText(kFindText, "other");
  mem.ui.SetChecked(kFindMatchCase, false);
  Press(kFindMatchCase);
  EXPECT_EQ(app.state.findMatchCase, 0);
  Menu(32);  // the toolbar button reopens it, reset
  EXPECT_EQ(mem.ui.ControlText(kFindText), "keep");
  EXPECT_FALSE(mem.ui.IsChecked(kFindMatchCase));
  mem.ui.TypeInto(kFindText, "new");   // the old search is selected: typing replaces it
  EXPECT_EQ(mem.ui.ControlText(kFindText), "new");
  Press(kFindCancelButton);
  EXPECT_FALSE(mem.ui.WindowExists(kFindWindow));

  Menu(33);
  ASSERT_TRUE(mem.ui.WindowExists(kReplaceWindow));
  EXPECT_EQ(mem.ui.windows[kReplaceWindow].form.title, "Replace");
  EXPECT_EQ(mem.ui.ControlText(kReplaceWithText), "");
  EXPECT_EQ(mem.ui.ControlText(61), "Replace with:");
  mem.ui.TypeInto(kReplaceFindText, "x");
  EXPECT_EQ(mem.ui.ControlText(kReplaceFindText), "x");
  mem.events.Close(kReplaceWindow);
  Run();
  EXPECT_FALSE(mem.ui.WindowExists(kReplaceWindow));
}

TEST_F(FindReplace, FindNextGoesLineByLineAndReplaceAllIsOneUndoStep) {
  app.state.Realtime = 0;  // only the search's own formatting at work
  SetText("Game above\r\nx game game\r\nnone\r\nGAME \xC9t\xE9\r\nend");
  edit().ExSetSel(0, 4);
  SetSelectionColor(edit(), MakeColor(200, 0, 0));
  edit().ExSetSel(17, 21);  // the second "game" on line 2
  SetSelectionColor(edit(), MakeColor(0, 0, 200));
  edit().MoveCaretTo(13);   // line 2
  Run();
  Menu(15);
  mem.ui.SetControlText(kFindText, "game");
  Press(kFindNextButton);
  EXPECT_EQ(edit().ExGetSel().cpMin, 13);          // the first occurrence on the caret's line
  EXPECT_EQ(app.state.lastCaretLine, 2);
  Press(kFindNextButton);
  EXPECT_EQ(edit().ExGetSel().cpMin, 13);          // match case: "GAME" is no match, nothing moves
  mem.ui.SetChecked(kFindMatchCase, false);
  Press(kFindNextButton);
  EXPECT_EQ(Selected(), "GAME");

  // Replace all with match case off, from line 2; each replacement becomes the last match.
  Menu(16);
  mem.ui.SetChecked(kReplaceMatchCase, false);
  Press(kReplaceMatchCase);
  mem.ui.SetControlText(kReplaceWithText, "Scene");
  edit().MoveCaretTo(13);
  Run();
  app.state.Changed = 0;
  Press(kReplaceAllButton);
  EXPECT_EQ(Text(), "Game above\r\nx Scene game\r\nnone\r\nScene \xC9t\xE9\r\nend");
  EXPECT_EQ(app.state.Changed, 1);
  EXPECT_EQ(app.state.lastFoundLine, 3);
  EXPECT_EQ(edit().FormatAt(0).color, MakeColor(200, 0, 0));            // above the caret: untouched
  EXPECT_EQ(edit().FormatAt(12 + 8).color, MakeColor(0, 0, 200));       // the second "game" kept its look
  mem.ui.SetControlText(kReplaceFindText, "\xE9T\xC9");                 // 0xE9 folds onto 0xC9
  edit().MoveCaretTo(0);
  Run();
  Press(kReplaceAllButton);
  EXPECT_EQ(Text(), "Game above\r\nx Scene game\r\nnone\r\nScene Scene\r\nend");
  Menu(8);
  EXPECT_EQ(Text(), "Game above\r\nx Scene game\r\nnone\r\nScene \xC9t\xE9\r\nend");
  Menu(8);
  EXPECT_EQ(Text(), "Game above\r\nx game game\r\nnone\r\nGAME \xC9t\xE9\r\nend");

  // "Replace" replaces the current match only; any other selection, or a
  // caret, only finds the next match, so a misclick edits nothing.
  mem.ui.SetControlText(kReplaceFindText, "game");
  std::string before = Text();
  edit().ExSetSel(0, 4);
  Press(kReplaceButton);
  EXPECT_EQ(Text(), before);
  EXPECT_EQ(Selected(), "Game");
  Press(kReplaceButton);
  EXPECT_EQ(Text().substr(0, 11), "Scene above");
  before = Text();
  edit().ExSetSel(0, 0);
  Press(kReplaceButton);
  EXPECT_EQ(Text(), before);
  EXPECT_EQ(Selected(), "game");
  // An empty search text finds nothing and replaces nothing.
  mem.ui.SetControlText(kReplaceFindText, "");
  edit().ExSetSel(0, 0);
  Press(kReplaceButton);
  Press(kReplaceAllButton);
  EXPECT_EQ(Text(), before);
}

// Past some thousands of touched lines the new text goes in whole, by
// pieces; Undo, by menu or by key, brings the old one back the same way,
// after what the control can undo itself, and never into another script.
TEST_F(FindReplace, AReplaceAllOverALongScriptIsLoadedWholeAndUndoneWhole) {
  std::string text;
  for (int i = 0; i < kWholeTextReplaceLines + 500; ++i) text += (i ? "\r\n" : "") + std::string("Game.e(") + std::to_string(i) + ");";
  mem.files.files["C:\\s\\long.script"] = text;
  LoadScript(app, "C:\\s\\long.script");
  Menu(16);
  mem.ui.SetControlText(kReplaceFindText, "e(");
  mem.ui.SetControlText(kReplaceWithText, "Say(");
  Press(kReplaceAllButton);
  std::string expected = text;
  for (size_t at = expected.find("e("); at != std::string::npos; at = expected.find("e(", at + 4))
    expected.replace(at, 2, "Say(");
  EXPECT_TRUE(Text() == expected);
  EXPECT_EQ(app.state.Changed, 1);
  EXPECT_EQ(edit().FormatAt(0).face, "Lucida Console");
  mem.ui.focused = kEditingArea;
  mem.events.Type("x");
  Run();
  Menu(8);
  EXPECT_TRUE(Text() == expected);
  Menu(8);
  EXPECT_TRUE(Text() == text);

  Press(kReplaceAllButton);
  mem.files.files["C:\\s\\other.script"] = "other";
  LoadScript(app, "C:\\s\\other.script");
  Menu(8);
  EXPECT_EQ(Text(), "other");
}

// The editor's own step for a long Replace all sits in the history among
// the control's steps: taken back only when it is the next step back, done
// again only when it is the next step forward. Typed letters go at the end;
// 'R' replaces all, 'u' undoes, 'r' redoes. "old" is the text before the
// Replace all, "new" the text after it.
TEST_F(FindReplace, AWholeTextReplaceAllIsUndoneAndRedoneOnlyInItsPlaceInTheHistory) {
  struct Case {
    const char* steps;
    long undoLimit;
    const char* base;
    const char* typedAfter;
  };
  const Case cases[] = {
      {"Ru", kEditorUndoLimit, "old", ""},
      {"Rur", kEditorUndoLimit, "new", ""},
      {"Ruru", kEditorUndoLimit, "old", ""},
      {"Rabuuu", kEditorUndoLimit, "old", ""},
      {"Rauur", kEditorUndoLimit, "new", ""},
      // Past the control's limit the first letter's step is forgotten: the
      // letter stays, and so does the replacement under it.
      {"Rabcuuuuu", 2, "new", "a"},
      {"Rabcuuuuurr", 2, "new", "abc"},
      // An edit after the undo leaves nothing to redo but itself.
      {"Ruar", kEditorUndoLimit, "old", "a"},
      {"Ruaurr", kEditorUndoLimit, "old", "a"},
  };
  std::string old;
  for (int i = 0; i < kWholeTextReplaceLines + 10; ++i) old += (i ? "\r\n" : "") + std::string("e(1);");
  std::string replaced = old;
  for (size_t at = replaced.find("e("); at != std::string::npos; at = replaced.find("e(", at + 2))
    replaced.replace(at, 2, "S(");
  mem.files.files["C:\\s\\long.script"] = old;
  Menu(16);
  mem.ui.SetControlText(kReplaceFindText, "e(");
  mem.ui.SetControlText(kReplaceWithText, "S(");
  for (const Case& c : cases) {
    LoadScript(app, "C:\\s\\long.script");
    edit().SetUndoLimit(c.undoLimit);
    app.state.lastFoundLine = -1;
    for (const char* step = c.steps; *step; ++step) {
      if (*step == 'R') {
        Press(kReplaceAllButton);
      } else if (*step == 'u' || *step == 'r') {
        Menu(*step == 'u' ? 8 : 9);
      } else {
        edit().MoveCaretTo(edit().Length());
        mem.ui.focused = kEditingArea;
        mem.events.Type(std::string(1, *step));
        Run();
      }
    }
    const std::string expected = (std::string(c.base) == "old" ? old : replaced) + c.typedAfter;
    EXPECT_TRUE(Text() == expected) << c.steps << ": ends in \"" << Text().substr(Text().size() - 10) << "\"";
  }
}

}  // namespace
