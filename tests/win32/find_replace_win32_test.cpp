// Find and Replace on the real tool windows, buttons and rich-edit control.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/app.h"
#include "editor/editor_ops.h"
#include "editor/find_replace.h"
#include "win32/real_app.h"

namespace {

class RealFindReplace : public RealApp {
 protected:
  std::string Selected() {
    CharRange sel = app.edit->ExGetSel();
    return app.edit->GetTextRange(sel.cpMin, sel.cpMax);
  }
};

TEST_F(RealFindReplace, FindNextTwiceThenReplaceAllAndUndoItInOneStep) {
  for (char c : std::string("one Cat\rcat two cat\rthree CAT")) {
    if (c == '\r') PostMessageA(Control(kEditingArea), WM_KEYDOWN, VK_RETURN, 0);
    PostMessageA(Control(kEditingArea), WM_CHAR, static_cast<unsigned char>(c), 0);
  }
  Run();
  const std::string typed = "one Cat\r\ncat two cat\r\nthree CAT";
  ASSERT_EQ(app.edit->GetText(), typed);
  SetCaret(*app.edit, 1, 1);

  Menu(15);
  HWND find = platform.ui.WindowHandle(kFindWindow);
  ASSERT_TRUE(find);
  EXPECT_TRUE(GetWindowLongA(find, GWL_EXSTYLE) & WS_EX_TOPMOST);
  RECT client;
  GetClientRect(find, &client);
  EXPECT_EQ(client.right, 385);
  EXPECT_EQ(client.bottom, 91);
  SetWindowTextA(Control(kFindText), "cat");
  Click(kFindNextButton);
  EXPECT_EQ(app.edit->ExGetSel().cpMin, 8);   // match case: "Cat" on line 1 is passed
  EXPECT_EQ(Selected(), "cat");
  Click(kFindNextButton);
  EXPECT_EQ(app.edit->ExGetSel().cpMin, 8);   // one occurrence per line: nothing further
  Click(kFindCancelButton);
  EXPECT_FALSE(IsWindow(find));

  Menu(16);
  Click(kReplaceMatchCase);  // clears the box
  EXPECT_EQ(app.state.replaceMatchCase, 0);
  SetWindowTextA(Control(kReplaceWithText), "dog");
  app.edit->SuspendUndo(true);        // coloured as the highlighter colours: outside the history
  SelectRange(*app.edit, 1, 5, 1, 8);  // "two" on line 2
  SetSelectionColor(*app.edit, MakeColor(0, 0, 200));
  app.edit->SuspendUndo(false);
  SetCaret(*app.edit, 1, 1);
  Click(kReplaceAllButton);
  EXPECT_EQ(app.edit->GetText(), "one dog\r\ndog two cat\r\nthree dog");
  SelectRange(*app.edit, 1, 5, 1, 8);  // what stayed keeps its look
  EXPECT_EQ(app.edit->GetSelectionFormat().color, MakeColor(0, 0, 200));
  Menu(8);
  EXPECT_EQ(app.edit->GetText(), typed);
  Menu(8);
  EXPECT_NE(app.edit->GetText(), typed);   // then the typing goes
}

// The system's dialog keys in the tool windows: Tab and Shift+Tab in the
// order the controls are seen, Space and Enter press, Escape closes; the
// search text comes back selected.
TEST_F(RealFindReplace, TabSpaceEnterAndEscapeInTheToolWindows) {
  app.edit->SetText("one\r\ncat");
  SetCaret(*app.edit, 1, 1);
  app.state.searchText = "cat";
  Menu(15);
  HWND find = platform.ui.WindowHandle(kFindWindow);
  ASSERT_TRUE(find);
  ASSERT_EQ(GetFocus(), Control(kFindText));
  DWORD from = 0, to = 0;
  SendMessageA(Control(kFindText), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  EXPECT_EQ(from, 0u);
  EXPECT_EQ(to, 3u);
  std::vector<int> order;
  for (int i = 0; i < 4; ++i) {
    Press(VK_TAB);
    order.push_back(platform.ui.FocusedControl());
  }
  EXPECT_EQ(order, (std::vector<int>{kFindMatchCase, kFindNextButton, kFindCancelButton, kFindText}));
  Press(VK_TAB, true);
  EXPECT_EQ(platform.ui.FocusedControl(), kFindCancelButton);
  Press(VK_TAB, true);
  Press(VK_TAB, true);
  Screenshot(find, "find-after-tabs");
  ASSERT_EQ(platform.ui.FocusedControl(), kFindMatchCase);
  Press(VK_SPACE);
  EXPECT_EQ(app.state.findMatchCase, 0);
  Press(VK_TAB, true);
  Press(VK_RETURN);   // in the field: the default button, "Find next"
  EXPECT_EQ(app.edit->ExGetSel().cpMin, 4);
  EXPECT_EQ(Selected(), "cat");
  EXPECT_TRUE(IsWindow(find));
  EXPECT_EQ(app.state.PanelHidden, 0);
  Press(VK_ESCAPE);
  EXPECT_FALSE(IsWindow(find));
  EXPECT_EQ(app.state.PanelHidden, 0);
  EXPECT_EQ(GetFocus(), Control(kEditingArea));

  Menu(16);
  HWND replace = platform.ui.WindowHandle(kReplaceWindow);
  ASSERT_TRUE(replace);
  Press(VK_TAB);
  EXPECT_EQ(platform.ui.FocusedControl(), kReplaceWithText);
  PostMessageA(Control(kReplaceWithText), WM_CHAR, 'x', 0);
  Press(VK_TAB);
  Press(VK_TAB);
  Press(VK_TAB);
  EXPECT_EQ(platform.ui.FocusedControl(), kReplaceButton);
  SelectRange(*app.edit, 1, 1, 1, 4);   // the match Find next selected
  Run();   // the realtime highlighter sees the caret on another line and takes the focus
  SetFocus(Control(kReplaceButton));
  Press(VK_RETURN);   // a focused button is the one Enter presses
  EXPECT_EQ(app.edit->GetText(), "one\r\nx");
  Press(VK_ESCAPE);
  EXPECT_FALSE(IsWindow(replace));
}

}  // namespace
