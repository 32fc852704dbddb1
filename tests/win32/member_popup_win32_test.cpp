// The member popup on the real window, list box and loop.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/app.h"
#include "editor/editor_ops.h"
#include "win32/real_app.h"

namespace {

class RealPopup : public RealApp {
 protected:
  void SetUp() override {
    RealApp::SetUp();
    app.state.VorodazedEzoze = 1;
  }
  void PostTo(HWND to, UINT msg, WPARAM w, LPARAM l = 0) { PostMessageA(to, msg, w, l); }
  HWND Popup() { return platform.ui.WindowHandle(kPopupWindow); }
  HWND List() { return Control(kPopupList); }
  void HoldCtrl(bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = down ? 0x80 : 0;
    SetKeyboardState(keys);
  }
};

TEST_F(RealPopup, GameDotOpensTheListBelowTheDotAndCtrlDownEnterInsertsTheEntry) {
  for (char c : std::string("Game.")) PostTo(Control(kEditingArea), WM_CHAR, c);
  Run();
  ASSERT_TRUE(IsWindowVisible(Popup()));
  EXPECT_EQ(app.state.PopupShown, 1);
  const int count = static_cast<int>(SendMessageA(List(), LB_GETCOUNT, 0, 0));
  EXPECT_GT(count, 0);
  EXPECT_EQ(count, app.state.MatchCount);
  EXPECT_EQ(platform.ui.StatusText(kStatusCaretField), "L: 1, C:6 -0");
  RECT popup, window;
  GetWindowRect(Popup(), &popup);
  GetWindowRect(Main(), &window);
  EXPECT_EQ(popup.right - popup.left, 100);
  EXPECT_EQ(popup.bottom - popup.top, 120);
  EXPECT_EQ(popup.left - window.left, app.state.PopupOffsetX);
  // Just below the caret's line: under the dot's own pixel row.
  POINT dot{static_cast<short>(LOWORD(SendMessageA(Control(kEditingArea), EM_POSFROMCHAR, 5, 0))),
            static_cast<short>(HIWORD(SendMessageA(Control(kEditingArea), EM_POSFROMCHAR, 5, 0)))};
  ClientToScreen(Control(kEditingArea), &dot);
  EXPECT_EQ(popup.left, dot.x);
  EXPECT_GT(popup.top, dot.y);
  EXPECT_LT(popup.top, dot.y + 40);

  HoldCtrl(true);
  PostTo(Control(kEditingArea), WM_KEYDOWN, VK_CONTROL);
  Run();
  EXPECT_EQ(GetFocus(), List());
  PostTo(List(), WM_KEYDOWN, VK_DOWN);
  Run();
  const int chosen = static_cast<int>(SendMessageA(List(), LB_GETCURSEL, 0, 0));
  ASSERT_GE(chosen, 0);
  const std::string item = platform.ui.ListItem(kPopupList, chosen);
  EXPECT_EQ(item, app.state.MatchList[chosen]);
  PostTo(List(), WM_CHAR, 10);  // Enter with Ctrl held
  Run();
  EXPECT_EQ(app.edit->GetText(), std::string("Game.") + item);
  EXPECT_EQ(app.edit->ExGetSel().cpMin, static_cast<long>(5 + item.size()));
  EXPECT_FALSE(IsWindowVisible(Popup()));
  PostTo(List(), WM_KEYUP, VK_CONTROL, 0xC0000001);
  HoldCtrl(false);
  Run();
  EXPECT_EQ(GetFocus(), Control(kEditingArea));
}

// Above the editor, not above other programs; the editing area's word keys
// still work while Ctrl holds the focus in the list; Escape hides it.
TEST_F(RealPopup, ItStaysWithTheEditorAndItsKeysAndEscapeHidesIt) {
  EXPECT_FALSE(GetWindowLongA(Popup(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(GetWindow(Popup(), GW_OWNER), Main());
  for (char c : std::string("go Game.")) PostTo(Control(kEditingArea), WM_CHAR, c);
  Run();
  ASSERT_TRUE(IsWindowVisible(Popup()));
  HoldCtrl(true);
  PostTo(Control(kEditingArea), WM_KEYDOWN, VK_CONTROL);
  Run();
  ASSERT_EQ(GetFocus(), List());
  app.state.Changed = 0;
  PostTo(List(), WM_KEYDOWN, VK_BACK);   // as the control takes it: one character
  Run();
  EXPECT_EQ(app.edit->GetText(), "go Game");
  EXPECT_EQ(app.state.Changed, 1);
  EXPECT_FALSE(IsWindowVisible(Popup()));   // the dot went: so did the popup, and the focus is back
  EXPECT_EQ(GetFocus(), Control(kEditingArea));
  PostTo(Control(kEditingArea), WM_CHAR, '.');
  Run();
  ASSERT_TRUE(IsWindowVisible(Popup()));
  PostTo(Control(kEditingArea), WM_KEYDOWN, VK_CONTROL);
  Run();
  PostTo(List(), WM_KEYDOWN, VK_LEFT);
  Run();
  EXPECT_EQ(app.edit->ExGetSel().cpMin, 3);
  PostTo(List(), WM_KEYUP, VK_CONTROL, 0xC0000001);
  HoldCtrl(false);
  Run();

  for (char c : std::string(" Game.")) PostTo(Control(kEditingArea), WM_CHAR, c);
  Run();
  ASSERT_TRUE(IsWindowVisible(Popup()));
  PostTo(Control(kEditingArea), WM_KEYDOWN, VK_ESCAPE);
  Run();
  EXPECT_FALSE(IsWindowVisible(Popup()));
  EXPECT_EQ(app.state.PanelHidden, 0);
}

}  // namespace
