#include "catalogue/tree_event.h"

#include <gtest/gtest.h>

#include "app/app_state.h"
#include "catalogue/tree_outline.h"
#include "editor/editor_ops.h"
#include "platform/events.h"
#include "platform/memory/memory_ui.h"

namespace {

long Link(LinkKind kind, int index) { return EncodeTreeLink({kind, index}); }

Catalogue SampleCatalogue() {
  Catalogue c;
  c.reference = {
      {"Sleep", "()", "Sleep(ms)", "Waits.", "Game"},      // 0
      {"GetName", "()", "GetName()", "Game's name.", "Game"},
      {"GetName", "()", "GetName()", "Actor's name.", "Actor"},
      {"Title", "", "", "Window title.", "Game"},          // 3
      {"Wait", "()", "Wait(n)", "Reference wait.", "Game"},
      {"OnKey", "", "", "A key was pressed.", "Game"},     // 5
  };
  c.events = {"OnKey", "OnQuit"};
  c.commands = {"Wait", "Say \"\";", "  "};
  c.users = {"Wait"};
  c.codeBlocks = {{"Wait", "Block wait.", "wait 1\nwait 2\n"}, {"Empty", "", ""}};
  return c;
}

}  // namespace

TEST(TreeEvent, MethodInsertsNameAndSuffixOrFullSignature) {
  const Catalogue c = SampleCatalogue();
  TreeEventOutcome plain = DecideTreeEvent(c, "Sleep", Link(LinkKind::Reference, 0), true, false);
  EXPECT_TRUE(plain.insert);
  EXPECT_EQ(plain.text, "Sleep()");
  EXPECT_EQ(plain.description, "Waits.");
  EXPECT_EQ(plain.signature, "Sleep(ms)");
  EXPECT_EQ(DecideTreeEvent(c, "Sleep", Link(LinkKind::Reference, 0), true, true).text, "Sleep(ms)");
  // Without a signature the full-parameter insert falls back to the name.
  TreeEventOutcome attr = DecideTreeEvent(c, "Title", Link(LinkKind::Reference, 3), true, true);
  EXPECT_EQ(attr.text, "Title");
  EXPECT_TRUE(attr.showSignature);
  EXPECT_EQ(attr.signature, "");
}

TEST(TreeEvent, SelectionShowsButOnlyDoubleClickInserts) {
  const Catalogue c = SampleCatalogue();
  TreeEventOutcome click = DecideTreeEvent(c, "Sleep", Link(LinkKind::Reference, 0), false, false);
  EXPECT_FALSE(click.insert);
  EXPECT_TRUE(click.showDescription);
  // A list line has nothing to show: the description line keeps its text.
  TreeEventOutcome line = DecideTreeEvent(c, "  ", Link(LinkKind::Command, 2), true, false);
  EXPECT_FALSE(line.showDescription);
  EXPECT_FALSE(line.showSignature);
  EXPECT_EQ(line.text, "  ");
}

TEST(TreeEvent, LinkedItemStandsForItsOwnEntryAmongSameNames) {
  const Catalogue c = SampleCatalogue();
  TreeEventOutcome game = DecideTreeEvent(c, "GetName", Link(LinkKind::Reference, 1), true, false);
  TreeEventOutcome actor = DecideTreeEvent(c, "GetName", Link(LinkKind::Reference, 2), true, false);
  EXPECT_EQ(game.description, "Game's name.");
  EXPECT_EQ(actor.description, "Actor's name.");
  TreeEventOutcome block = DecideTreeEvent(c, "Wait", Link(LinkKind::CodeBlock, 0), true, false);
  EXPECT_EQ(block.text, "wait 1\nwait 2\n");
  EXPECT_TRUE(block.insertsCodeBlock);
  EXPECT_EQ(block.description, "Block wait.");
  EXPECT_FALSE(block.showSignature);
  EXPECT_EQ(DecideTreeEvent(c, "Wait", Link(LinkKind::User, 0), true, false).text, "Wait");
}

// A list line that is also a reference member shows the member's text and
// still inserts itself; one that is not shows nothing.
TEST(TreeEvent, ListLineShowsTheMemberOfItsName) {
  const Catalogue c = SampleCatalogue();
  TreeEventOutcome member = DecideTreeEvent(c, "OnKey", Link(LinkKind::Event, 0), true, true);
  EXPECT_EQ(member.description, "A key was pressed.");
  EXPECT_TRUE(member.showSignature);
  EXPECT_EQ(member.text, "OnKey");
  TreeEventOutcome plain = DecideTreeEvent(c, "OnQuit", Link(LinkKind::Event, 1), false, false);
  EXPECT_FALSE(plain.showDescription);
}

TEST(TreeEvent, UnlinkedOrStaleItemsMatchByText) {
  const Catalogue c = SampleCatalogue();
  // Shown in turn: the reference entry's signature stays, the code block's
  // description is the last one shown; the first match is inserted.
  for (long data : {0L, Link(LinkKind::Reference, 0), Link(LinkKind::Command, 99)}) {
    TreeEventOutcome o = DecideTreeEvent(c, "Wait", data, true, false);
    EXPECT_EQ(o.description, "Block wait.");
    EXPECT_EQ(o.signature, "Wait(n)");
    EXPECT_EQ(o.text, "Wait()");
    EXPECT_FALSE(o.insertsCodeBlock);
  }
  TreeEventOutcome none = DecideTreeEvent(c, "QVR Methods", 0, true, true);
  EXPECT_FALSE(none.insert);
  EXPECT_FALSE(none.showDescription);
  EXPECT_FALSE(none.showSignature);
}

namespace {

struct TreeWindow {
  AppState state;
  MemoryUi ui;
  MemoryEditControl* edit = nullptr;
  int hides = 0;
  int highlights = 0;
  CommandTreeHooks hooks;

  TreeWindow() {
    ui.MakeWindow(kMainWindow, {});
    ui.CreateStatusBar(kMainWindow, {200, -1});
    ui.CreateControl(kCommandTree, kMainWindow, ControlKind::Tree, {}, "");
    ui.CreateControl(kEditingArea, kMainWindow, ControlKind::RichEdit, {}, "");
    ui.CreateControl(kFullParametersBox, kMainWindow, ControlKind::CheckBox, {}, "");
    ui.CreateControl(kDescriptionLine, kMainWindow, ControlKind::Static, {}, "");
    edit = static_cast<MemoryEditControl*>(ui.Editor(kEditingArea));
    state.catalogue = SampleCatalogue();
    hooks.hidePopup = [this] { ++hides; state.PopupShown = 0; };
    hooks.highlightAll = [this] { ++highlights; SetCaret(*edit, 1, 1); };
  }
  // Selects a new item and double-clicks it, presses Enter or clicks it.
  void Pick(const std::string& label, long data, int type) {
    const TreeItem item = ui.TreeAdd(kCommandTree, kTreeRoot, label, data);
    ui.TreeSelect(kCommandTree, item);
    OnCommandTreeEvent(state, ui, type, type == kControlDoubleClick ? item : kTreeRoot, hooks);
  }
};

}  // namespace

TEST(TreeEvent, DoubleClickInsertsAtTheCaretAndReturnsToTheEditor) {
  TreeWindow w;
  ASSERT_NE(w.edit, nullptr);
  w.edit->SetText("ab");
  w.edit->ExSetSel(1, 1);
  w.ui.SetChecked(kFullParametersBox, true);
  w.state.PopupShown = 1;
  w.Pick("Sleep", Link(LinkKind::Reference, 0), kControlDoubleClick);
  EXPECT_EQ(w.edit->GetText(), "aSleep(ms)b");
  EXPECT_EQ(w.state.Changed, 1);
  EXPECT_EQ(w.hides, 1);
  EXPECT_EQ(w.ui.FocusedControl(), kEditingArea);
  EXPECT_EQ(w.ui.ControlText(kDescriptionLine), "Waits.");
  EXPECT_EQ(w.ui.StatusText(kStatusSyntaxField), "Sleep(ms)");
  EXPECT_EQ(w.highlights, 0);
}

TEST(TreeEvent, SingleClickOnAListLineChangesNothing) {
  TreeWindow w;
  w.ui.SetControlText(kDescriptionLine, "before");
  w.Pick("Say \"\";", Link(LinkKind::Command, 1), kControlSelChanged);
  w.Pick("Say \"\";", Link(LinkKind::Command, 1), kControlClick);
  EXPECT_EQ(w.ui.ControlText(kDescriptionLine), "before");
  EXPECT_EQ(w.edit->GetText(), "");
  EXPECT_EQ(w.state.Changed, 0);
}

TEST(TreeEvent, CodeBlockReHighlightsAndPutsTheCaretBack) {
  TreeWindow w;
  w.Pick("Wait", Link(LinkKind::CodeBlock, 0), kControlDoubleClick);
  EXPECT_EQ(w.highlights, 1);
  EXPECT_EQ(CaretLine(*w.edit), 3);
  EXPECT_EQ(CaretColumn(*w.edit), 1);
  EXPECT_EQ(w.state.lastCaretLine, 3);  // no pass over line 1 to follow

  TreeWindow off;
  off.state.Realtime = 0;
  off.Pick("Wait", Link(LinkKind::CodeBlock, 0), kControlDoubleClick);
  EXPECT_EQ(off.highlights, 0);
}

// The tree tells where a double-click landed; what was selected before is
// not what the user pointed at, and a button or empty space inserts nothing.
TEST(TreeEvent, DoubleClickTakesTheItemUnderThePointerAndEnterTheSelectedOne) {
  TreeWindow w;
  const TreeItem earlier = w.ui.TreeAdd(kCommandTree, kTreeRoot, "Say \"\";", Link(LinkKind::Command, 1));
  const TreeItem pointed = w.ui.TreeAdd(kCommandTree, kTreeRoot, "Sleep", Link(LinkKind::Reference, 0));
  w.ui.TreeSelect(kCommandTree, earlier);
  OnCommandTreeEvent(w.state, w.ui, kControlDoubleClick, kTreeRoot, w.hooks);  // on a button
  EXPECT_EQ(w.edit->GetText(), "");
  EXPECT_EQ(w.state.Changed, 0);
  OnCommandTreeEvent(w.state, w.ui, kControlDoubleClick, pointed, w.hooks);
  EXPECT_EQ(w.edit->GetText(), "Sleep()");
  EXPECT_EQ(w.ui.TreeSelected(kCommandTree), pointed);
  w.ui.TreeSelect(kCommandTree, earlier);
  OnCommandTreeEvent(w.state, w.ui, kControlEnter, kTreeRoot, w.hooks);
  EXPECT_EQ(w.edit->GetText(), "Sleep()Say \"\";");
}
