// The member popup in the running editor: opened, narrowed, accepted and
// closed by the caret watch after every event.
#include "catalogue/member_popup.h"

#include "support/app_fixture.h"

namespace {

constexpr int kCtrl = 17, kShift = 16, kBackspace = 8;

class MemberPopup : public AppFixture {
 protected:
  void Prepare() override {
    mem.files.files["QVR_Docs\\scripting_ref_game.txt"] =
        "*tit Game\r\n*met Msg(text)\r\n*met MoveCamera(x, y)\r\n*atr Title\r\n";
    mem.files.files["QVR_Docs\\scripting_ref_actor.txt"] = "*tit Actor\r\n*met Move(x)\r\n*met Say(text)\r\n";
  }
  void SetUp() override {
    AppFixture::SetUp();
    app.state.VorodazedEzoze = 1;
  }
  void Type(const std::string& text) {
    mem.events.Type(text);
    Run();
  }
  void MoveCaret(long offset) {
    mem.events.Do(0, [this, offset] { edit().MoveCaretTo(offset); });
    Run();
  }
  bool Shown() { return app.state.PopupShown == 1 && mem.ui.IsWindowShown(kPopupWindow); }
  std::vector<std::string> Items() { return mem.ui.controls[kPopupList].items; }
  std::string Status() { return mem.ui.StatusText(kStatusCaretField); }
};

TEST_F(MemberPopup, GameDotListsGameMembersNarrowsAndAcceptsWithCtrlEnter) {
  Type("x\rGame.");
  ASSERT_TRUE(Shown());
  EXPECT_EQ(Items(), (std::vector<std::string>{"Msg()", "MoveCamera()", "Title()"}));
  EXPECT_EQ(mem.ui.ListSelection(kPopupList), -1);
  EXPECT_EQ(Status(), "L: 2, C:6 -0");
  EXPECT_EQ(mem.ui.focused, kEditingArea);
  Type("ms");
  EXPECT_EQ(Items(), (std::vector<std::string>{"Msg()"}));
  mem.events.KeyDown(kCtrl);
  Run();
  EXPECT_EQ(mem.ui.focused, kPopupList);
  mem.ui.ListSelect(kPopupList, 0);  // Down in the list
  Type("\n");                        // Enter with Ctrl held
  EXPECT_EQ(Text(), "x\r\nGame.Msg()");
  EXPECT_EQ(edit().ExGetSel().cpMin, edit().Length());
  EXPECT_FALSE(Shown());
  EXPECT_EQ(app.state.Changed, 1);
  mem.events.KeyUp(kCtrl);
  Run();
  EXPECT_EQ(mem.ui.focused, kEditingArea);
}

TEST_F(MemberPopup, ItClosesLeftOfTheDotOnANonMatchAndOnAnotherLine) {
  // Deleting the dot.
  Type("actor.");
  ASSERT_TRUE(Shown());
  EXPECT_EQ(Items(), (std::vector<std::string>{"Move()", "Say()"}));
  mem.events.Key(kBackspace);
  Run();
  EXPECT_FALSE(Shown());
  // A prefix that matches nothing leaves no empty box on the screen, and
  // the dot alone brings the list back.
  Type(".z");
  EXPECT_FALSE(Shown());
  EXPECT_FALSE(mem.ui.IsWindowShown(kPopupWindow));
  mem.events.Key(kBackspace);
  Run();
  EXPECT_TRUE(Shown());
  // Enter, with realtime highlighting off: Ctrl+Enter must not reach into
  // the new line.
  app.state.Realtime = 0;
  Type("\r");
  EXPECT_FALSE(Shown());
  app.state.Realtime = 1;
  // Shift down on another line than the one the loop saw last.
  Type("\rq.");
  ASSERT_TRUE(Shown());
  mem.events.Do(0, [this] { edit().MoveCaretTo(0); });
  mem.events.KeyDown(kShift);
  Run();
  EXPECT_FALSE(Shown());
  mem.events.KeyUp(kShift);
  Run();
}

TEST_F(MemberPopup, TheCaretMovedBehindAnExistingDotOpensItButNotAtColumnOne) {
  SetText(".Game.x\r\n");
  MoveCaret(3);
  MoveCaret(0);            // column 1 of a line that starts with a dot
  EXPECT_FALSE(Shown());
  MoveCaret(1);            // right after that dot
  EXPECT_TRUE(Shown());
  EXPECT_EQ(app.state.ObjectWord, "");
  MoveCaret(0);
  EXPECT_FALSE(Shown());
  MoveCaret(6);
  EXPECT_TRUE(Shown());
  EXPECT_EQ(app.state.ObjectWord, ".Game");
  MoveCaret(4);            // left of the dot
  EXPECT_FALSE(Shown());
  MoveCaret(8);            // the start of line 2 is column 1
  EXPECT_FALSE(Shown());
}

TEST_F(MemberPopup, ItSitsBelowTheCaretLineAndFollowsTheMainWindow) {
  Type("\r\rGame.");
  ASSERT_TRUE(Shown());
  // The memory control draws 8-pixel characters and 16-pixel lines.
  int x = 1 + 5 * 8, y = 1 + 2 * 16 + 16;
  mem.ui.ControlToScreen(kEditingArea, x, y);
  Rect main = mem.ui.WindowRect(kMainWindow);
  EXPECT_EQ(app.state.PopupOffsetX, x - main.x);
  EXPECT_EQ(app.state.PopupOffsetY, y - main.y);
  EXPECT_EQ(mem.ui.WindowRect(kPopupWindow).x, x);
  EXPECT_EQ(mem.ui.WindowRect(kPopupWindow).y, y);
  mem.ui.DragWindowBy(kMainWindow, 30, 12);
  EXPECT_EQ(mem.ui.WindowRect(kPopupWindow).x, x + 30);
  EXPECT_EQ(mem.ui.WindowRect(kPopupWindow).y, y + 12);
}

TEST_F(MemberPopup, EditorShortcutsStillWorkWhileCtrlHoldsTheFocusInTheList) {
  mem.clipboard.SetText("Ms");
  Type("Game.");
  mem.events.KeyDown(kCtrl);
  mem.events.KeyDown('V');
  Run();
  EXPECT_EQ(Text(), "Game.Ms");
  mem.events.KeyDown('Z');
  Run();
  EXPECT_EQ(Text(), "Game.");
  ASSERT_EQ(mem.ui.focused, kPopupList);
  mem.events.KeyDown(kBackspace);   // the editing keys too, as the editing area takes them
  Run();
  EXPECT_EQ(Text(), "Game");
  // The dot went and the popup with it: the focus is back in the editor.
  EXPECT_FALSE(Shown());
  EXPECT_EQ(mem.ui.focused, kEditingArea);
  mem.events.KeyUp(kCtrl);
  mem.events.KeyDown('V');   // without Ctrl a letter is no shortcut
  Run();
  EXPECT_EQ(Text(), "Game");
}

// The caret field follows the caret whatever is switched on, and the bar
// is given a text only when it changes.
TEST_F(MemberPopup, TheCaretFieldFollowsEveryMoveAndIsWrittenOnlyOnAChange) {
  EXPECT_EQ(Status(), "L: 1, C:1 -0");   // a fresh script: nothing selected
  app.state.VorodazedEzoze = 0;
  app.state.Realtime = 0;
  Type("Game.x\ry");
  EXPECT_EQ(Status(), "L: 2, C:2 -0");
  EXPECT_FALSE(Shown());
  mem.events.Key(kVkHome);
  Run();
  EXPECT_EQ(Status(), "L: 2, C:1 -0");
  MoveCaret(3);
  EXPECT_EQ(Status(), "L: 1, C:4 -0");
  mem.ui.SetStatusText(kStatusCaretField, "other");
  mem.events.Other(15);   // a paint: the caret stays, so does the text
  Run();
  EXPECT_EQ(Status(), "other");
}

// The popup is in the way once the user leaves the editor, the list of
// Ctrl is the popup's own, and near a second monitor's edge it stays on
// that monitor.
TEST_F(MemberPopup, ItHidesWhenTheEditorIsLeftAndStaysOnTheCaretsMonitor) {
  Type("Game.");
  ASSERT_TRUE(Shown());
  mem.ui.Activate(kPopupWindow);   // Ctrl puts the focus in its list
  EXPECT_TRUE(Shown());
  mem.ui.Activate(kMainWindow);
  mem.ui.Activate(-1);             // another program
  EXPECT_FALSE(Shown());
  mem.ui.Activate(kMainWindow);

  // A monitor left of the primary one, the editor on it.
  mem.ui.moreMonitors.push_back({{-1280, 0, 1280, 1024}, {-1280, 0, 1280, 994}});
  mem.ui.MoveWindowTo(kMainWindow, -1100, 100);
  Type("\rGame.");
  ASSERT_TRUE(Shown());
  const Rect popup = mem.ui.WindowRect(kPopupWindow);
  EXPECT_LT(popup.x, 0);
  EXPECT_GE(popup.x, -1280);
}

}  // namespace
