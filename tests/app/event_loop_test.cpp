#include "support/app_fixture.h"
#include "app/main_window.h"
#include "app/settings_window.h"

namespace {

using EventLoop = AppFixture;

TEST_F(EventLoop, StartsWithTheUnnamedScriptInTheDefaultFont) {
  EXPECT_EQ(mem.ui.WindowTitle(0), "QVR Visual Script Editor - Unnamed.script");
  Rect outer = mem.ui.WindowRect(0);
  EXPECT_EQ(outer.x, 216);
  EXPECT_EQ(outer.y, 0);
  EXPECT_EQ(app.state.EditorFontName, "Lucida Console");
  EXPECT_EQ(app.state.EditorFontSize, 10);
  EXPECT_EQ(Text(), "");
  edit().SetText("x");
  ApplyEditorFont(edit(), app.state.EditorFontName, app.state.EditorFontSize);
  EXPECT_EQ(edit().FormatAt(0).face, "Lucida Console");
  EXPECT_EQ(edit().FormatAt(0).heightTwips, 200);
  EXPECT_TRUE(mem.ui.windows[0].acceptsDrops);
}

// The flag follows the text, not the keys: whatever changes the text marks
// the document, and nothing else does.
TEST_F(EventLoop, ChangedFollowsTheTextWhateverChangedIt) {
  auto unchanged = [&] {
    app.state.Changed = 0;
    edit().SetModify(false);
  };
  mem.events.Type("ab\rcd");
  Run();
  EXPECT_EQ(Text(), "ab\r\ncd");
  EXPECT_EQ(app.state.Changed, 1);
  for (int key : {kVkBack, kVkDelete}) {
    unchanged();
    edit().ExSetSel(1, 1);
    mem.events.Key(key);
    Run();
    EXPECT_EQ(app.state.Changed, 1) << key;
  }
  // A paste with Shift+Insert or a drag of text is the control's own doing,
  // with no character message for the loop to see.
  unchanged();
  mem.events.Do(kEventKeyDown, [&] { edit().ReplaceSel("dropped", true); });
  Run();
  EXPECT_EQ(app.state.Changed, 1);

  // Keys that change nothing: Ctrl+Enter with no popup, Ctrl+A, Ctrl+C,
  // Escape; neither typing into a tool window, the highlighter's formatting
  // of the line left, nor a search.
  unchanged();
  const std::string text = Text();
  mem.events.Type("\n\x01\x03");
  mem.events.Key(kVkEscape);
  mem.events.Key(kVkEscape);
  mem.events.Command(15);
  Run();
  mem.ui.focused = 57;
  mem.events.Type("ab");
  mem.events.ClickControl(58);
  Run();
  mem.ui.focused = 2;
  edit().MoveCaretTo(0);
  mem.events.Key(kVkDown);
  mem.events.Key(kVkUp);
  Run();
  EXPECT_EQ(mem.ui.ControlText(57), "ab");
  EXPECT_EQ(Text(), text);
  EXPECT_EQ(app.state.Changed, 0);
}

TEST_F(EventLoop, ShiftAndMouseTrackSelectionInProgress) {
  SetText("one\r\ntwo");
  mem.events.KeyDown(16);
  Run();
  EXPECT_EQ(app.state.selectionInProgress, 1);
  edit().MoveCaretTo(6);
  mem.events.KeyUp(16);
  Run();
  EXPECT_EQ(app.state.selectionInProgress, 0);
  EXPECT_EQ(app.state.lastCaretLine, 2);

  mem.events.MouseDown(1);
  Run();
  EXPECT_EQ(app.state.selectionInProgress, 1);
  mem.events.MouseUp();
  Run();
  EXPECT_EQ(app.state.selectionInProgress, 0);
  EXPECT_EQ(app.state.lastCaretLine, 1);
}

// Shift or the button released inside a modal dialog: the loop never sees
// the release, yet the next event must find no selection in progress.
TEST_F(EventLoop, SelectionEndsWhenItsKeyWasReleasedOutOfSight) {
  SetText("one\r\ntwo");
  for (int key : {kVkShift, kVkLButton}) {
    if (key == kVkShift) mem.events.KeyDown(key);
    else mem.events.MouseDown(1);
    Run();
    EXPECT_EQ(app.state.selectionInProgress, 1) << key;
    mem.events.Do(0, [this, key] { mem.ui.heldKeys.erase(key); });
    Run();
    EXPECT_EQ(app.state.selectionInProgress, 0) << key;
  }
}

TEST_F(EventLoop, EscapeTogglesTheSidePanel) {
  mem.events.Key(27);
  Run();
  EXPECT_EQ(app.state.PanelHidden, 1);
  EXPECT_EQ(app.state.SplitterPos, 640);
  EXPECT_EQ(mem.ui.ControlRect(2).w, 795 - 7);  // the bar pushed to the edge
  mem.events.Key(27);
  Run();
  EXPECT_EQ(app.state.PanelHidden, 0);
  EXPECT_EQ(mem.ui.SplitterPos(3), 640);

  // Escape, a drag of the bar, Escape: the panel hides again.
  mem.events.Key(27);
  mem.events.Do(13100, [this] { mem.ui.SetSplitterPos(3, 500); });
  mem.events.ControlEvent(3, 0);
  mem.events.Key(27);
  Run();
  EXPECT_EQ(app.state.PanelHidden, 1);
  EXPECT_EQ(app.state.SplitterPos, 500);
}

// Escape closes what stands in front: the popup, then the Find or Replace
// window it was pressed in; with Settings open it does nothing at all.
TEST_F(EventLoop, EscapeClosesWhatIsInFrontBeforeItTogglesThePanel) {
  app.state.VorodazedEzoze = 1;
  mem.files.files.clear();
  mem.events.Type("x.");
  Run();
  app.state.PopupShown = 1;   // whatever the catalogue holds
  mem.ui.ShowWindow(kPopupWindow, true);
  mem.events.Key(27);
  Run();
  EXPECT_EQ(app.state.PopupShown, 0);
  EXPECT_FALSE(mem.ui.IsWindowShown(kPopupWindow));
  EXPECT_EQ(app.state.PanelHidden, 0);

  for (int item : {15, 16}) {
    mem.events.Command(item);
    Run();
    const int window = item == 15 ? 3 : 4;
    ASSERT_TRUE(mem.ui.WindowExists(window));
    mem.events.Key(27);   // the focus is in its search field
    Run();
    EXPECT_FALSE(mem.ui.WindowExists(window)) << item;
    EXPECT_EQ(mem.ui.focused, kEditingArea);
    EXPECT_EQ(app.state.PanelHidden, 0);
  }

  mem.events.Command(18);
  Run();
  mem.ui.focused = kSettingsTabs;
  mem.events.Key(27);
  Run();
  EXPECT_TRUE(mem.ui.WindowExists(kSettingsWindow));
  EXPECT_EQ(app.state.PanelHidden, 0);
}

TEST_F(EventLoop, ResizeLaysTheWindowOut) {
  mem.ui.ResizeClient(0, 1000, 700 - mem.ui.MenuBarHeight());
  EXPECT_EQ(mem.ui.ControlRect(3), (Rect{5, 30, 995, 615}));
  EXPECT_EQ(mem.ui.ControlRect(5), (Rect{10, 646, 830, 15}));
  EXPECT_EQ(mem.ui.ControlRect(4), (Rect{860, 648, 140, 10}));
  // The panes follow the splitter; the editing area takes the extra width.
  EXPECT_EQ(mem.ui.ControlRect(2), (Rect{5, 30, 840, 615}));
  EXPECT_EQ(mem.ui.ControlRect(0), (Rect{852, 30, 148, 615}));
}

// The tree keeps its width (148 at the start) while the editing area has
// room; below the editing area's minimum the tree gives way, then both.
TEST(SplitterShare, TheEditingAreaTakesTheChange) {
  const struct { int splitter, tree, editor; } cases[] = {
      {795, 148, 640}, {1195, 148, 1040}, {500, 148, 345}, {395, 148, 240},
      {300, 148, 240}, {200, 148, 193}, {0, 148, 0}, {795, 0, 788}, {795, 900, 240},
  };
  for (const auto& c : cases) EXPECT_EQ(EditorShare(c.splitter, c.tree), c.editor) << c.splitter << " " << c.tree;
}

// Minimised or shrunk for a while, the window gets its text area back as it was.
TEST_F(EventLoop, ShrinkingTheWindowLeavesTheBarWhereTheUserPutIt) {
  for (int width : {0, 300}) {
    mem.ui.ResizeClient(0, width, 0);
    mem.ui.ResizeClient(0, 800, 700 - mem.ui.MenuBarHeight());
    EXPECT_EQ(mem.ui.ControlRect(2).w, 640) << width;
    EXPECT_EQ(mem.ui.SplitterPos(3), 640) << width;
  }
  mem.events.Key(kVkEscape);
  mem.events.Key(kVkEscape);
  Run();
  EXPECT_EQ(mem.ui.ControlRect(2).w, 640);
}

TEST_F(EventLoop, CreationLayoutMatchesTheResizeFormulas) {
  Rect splitter = mem.ui.ControlRect(3), line = mem.ui.ControlRect(5), box = mem.ui.ControlRect(4);
  mem.ui.ResizeClient(0, 800, 600 - mem.ui.MenuBarHeight());
  EXPECT_EQ(mem.ui.ControlRect(3), splitter);
  EXPECT_EQ(mem.ui.ControlRect(5), line);
  EXPECT_EQ(mem.ui.ControlRect(4), box);
}

TEST_F(EventLoop, MenuAndToolbarNumbering) {
  std::vector<int> items;
  for (const MenuTitle& t : mem.ui.windows[0].menu)
    for (const MenuItem& i : t.items)
      if (i.number) items.push_back(i.number);
  EXPECT_EQ(items, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 20}));
  std::vector<int> buttons;
  std::vector<std::string> tips;
  for (const ToolButton& b : mem.ui.toolbar)
    if (b.number) {
      buttons.push_back(b.number);
      tips.push_back(b.tip);
    }
  EXPECT_EQ(buttons, (std::vector<int>{22, 23, 24, 26, 27, 28, 29, 30, 31, 32, 33, 34}));
  EXPECT_EQ(tips[0], "New");
  EXPECT_EQ(tips[4], "Redo");
  EXPECT_EQ(tips.back(), "Settings");
  EXPECT_EQ(mem.ui.statusEdges, (std::vector<int>{500, 800}));
}

TEST_F(EventLoop, MenuAndToolbarRunTheSameEditCommands) {
  SetText("alpha beta");
  for (int item : {11, 29}) {
    mem.clipboard.text.clear();
    edit().ExSetSel(0, 5);
    mem.events.Command(item);
    Run();
    EXPECT_EQ(mem.clipboard.text, "alpha") << item;
  }
  for (int item : {9, 27}) {
    edit().SetText("one");
    edit().ExSetSel(3, 3);
    edit().ReplaceSel("two", true);
    mem.events.Command(item == 9 ? 8 : 26);  // undo first
    Run();
    EXPECT_EQ(Text(), "one") << item;
    mem.events.Command(item);
    Run();
    EXPECT_EQ(Text(), "onetwo") << item;
  }
}

TEST_F(EventLoop, CutPasteAndDeleteMarkTheDocumentChanged) {
  SetText("alpha beta");
  app.state.Changed = 0;
  edit().ExSetSel(0, 6);
  mem.events.Command(10);
  Run();
  EXPECT_EQ(Text(), "beta");
  EXPECT_EQ(app.state.Changed, 1);
  app.state.Changed = 0;
  edit().ExSetSel(4, 4);
  mem.events.Command(30);
  Run();
  EXPECT_EQ(Text(), "betaalpha ");
  EXPECT_EQ(app.state.Changed, 1);
  app.state.Changed = 0;
  mem.clipboard.text.clear();
  edit().ExSetSel(0, 4);
  mem.events.Command(12);  // an empty clipboard deletes the selection
  Run();
  EXPECT_EQ(Text(), "alpha ");
  EXPECT_EQ(app.state.Changed, 1);
  app.state.Changed = 0;
  mem.events.Command(14);
  mem.events.Command(13);
  Run();
  EXPECT_EQ(Text(), "");
  EXPECT_EQ(app.state.Changed, 1);
}

TEST_F(EventLoop, DoubleClickSelectsTheScriptWordUnderThePointer) {
  // Word characters are letters, digits, '_' and high bytes; anything else
  // parts words, and a run of it is a "word" of its own.
  const std::string line = "Scene.GetActor(\"Keeper\")  x_1 \xE9t\xE9";
  const std::pair<long, std::string> cases[] = {
      {1, "Scene"}, {5, "Scene"}, {6, "."}, {7, "GetActor"}, {17, "Keeper"}, {15, "(\""},
      {26, "  "}, {28, "x_1"}, {32, "\xE9t\xE9"}, {99, "\xE9t\xE9"}};
  for (const auto& [column, word] : cases) {
    ColumnSpan span = WordAt(line, column);
    EXPECT_EQ(line.substr(span.from - 1, span.to - span.from), word) << column;
  }
  EXPECT_EQ(WordAt("", 1).from, WordAt("", 1).to);

  // In the editor, on coloured text, on any line.
  SetText("first\r\n" + line);
  edit().ExSetSel(6, 11);
  SetSelectionColor(edit(), MakeColor(200, 0, 0));
  mem.events.DoubleClick(6 + 8);   // inside "GetActor"
  Run();
  EXPECT_EQ(edit().ExGetSel().cpMin, 6 + 6);
  EXPECT_EQ(edit().ExGetSel().cpMax, 6 + 14);
}

TEST_F(EventLoop, UnusedNumbersDoNothing) {
  SetText("keep");
  for (int number : {19, 21, 25, 99}) mem.events.Command(number);
  mem.events.ControlEvent(42, 2);
  mem.events.Other(123);
  EXPECT_TRUE(Run());
  EXPECT_EQ(Text(), "keep");
}

TEST_F(EventLoop, AboutShowsTitleVersionAndCredit) {
  mem.events.Command(20);
  Run();
  ASSERT_EQ(mem.dialogs.shown.size(), 1u);
  EXPECT_EQ(mem.dialogs.shown[0].title, "About");
  EXPECT_EQ(mem.dialogs.shown[0].text.rfind("QVR Visual Script Editor V0.5\r\n\r\n", 0), 0u);
  EXPECT_GT(mem.dialogs.shown[0].text.size(), 40u);
}

TEST_F(EventLoop, CloseRequests) {
  mem.ui.MakeWindow(3, {WindowKind::Tool, "Find", 0, 0, 385, 91});
  mem.ui.MakeWindow(4, {WindowKind::Tool, "Replace", 0, 0, 385, 120});
  mem.ui.focused = 57;
  mem.events.Close(3);
  mem.events.Close(4);
  mem.events.Close(1);
  EXPECT_TRUE(Run());
  EXPECT_FALSE(mem.ui.WindowExists(3));
  EXPECT_FALSE(mem.ui.WindowExists(4));
  EXPECT_EQ(mem.ui.focused, 2);

  // Unsaved text and Cancel: the program goes on with the text as it was.
  mem.events.Type("draft");
  mem.dialogs.messageAnswers = {kAnswerCancel};
  mem.events.Close(0);
  EXPECT_TRUE(Run());
  EXPECT_EQ(Text(), "draft");
  EXPECT_EQ(mem.dialogs.shown.back().title, "Warning:");

  mem.dialogs.messageAnswers = {kAnswerNo};
  mem.events.Close(0);
  EXPECT_FALSE(Run());
  EXPECT_TRUE(mem.files.files.empty());
}

TEST_F(EventLoop, ExitWithNothingChangedEndsAtOnce) {
  mem.events.Command(7);
  mem.events.Type("never seen");
  EXPECT_FALSE(Run());
  EXPECT_EQ(Text(), "");
  EXPECT_TRUE(mem.dialogs.shown.empty());
}

TEST(FirstProgramArgument, QuotedAndPlainArguments) {
  EXPECT_EQ(FirstProgramArgument("qvrvse.exe"), "");
  EXPECT_EQ(FirstProgramArgument("qvrvse.exe   "), "");
  EXPECT_EQ(FirstProgramArgument("qvrvse.exe a.script b"), "a.script");
  EXPECT_EQ(FirstProgramArgument("\"C:\\Program Files\\qvrvse.exe\" \"C:\\my scripts\\a.script\" x"),
            "C:\\my scripts\\a.script");
  EXPECT_EQ(FirstProgramArgument("\"C:\\q\\qvrvse.exe\" C:\\a.script"), "C:\\a.script");
  EXPECT_EQ(FirstProgramArgument("qvrvse.exe \"unterminated name"), "unterminated name");
}

}  // namespace
