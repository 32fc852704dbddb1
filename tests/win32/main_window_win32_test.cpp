// The real main window under the real message loop: keyboard and command
// messages go through the system's queue, the loop and the controls.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "app/app.h"
#include "editor/editor_ops.h"
#include "platform/win32/win32_platform.h"
#include "win32/real_app.h"

namespace {

class RealWindow : public RealApp {
 protected:
  void Post(HWND to, UINT msg, WPARAM w, LPARAM l = 0) { PostMessageA(to, msg, w, l); }
  void TypeText(const std::string& text) {
    for (char c : text) Post(Control(2), WM_CHAR, static_cast<unsigned char>(c));
    Run();
  }
  void PressKey(int vk) {
    Post(Control(2), WM_KEYDOWN, vk);
    Post(Control(2), WM_KEYUP, vk, 0xC0000001);
    Run();
  }
  std::string Text() { return app.edit->GetText(); }
};

TEST_F(RealWindow, OpensWithItsTitleSizeAndControls) {
  char title[256];
  GetWindowTextA(Main(), title, sizeof(title));
  EXPECT_STREQ(title, "QVR Visual Script Editor - Unnamed.script");
  RECT client;
  GetClientRect(Main(), &client);
  EXPECT_EQ(client.right, 800);
  EXPECT_EQ(client.bottom + GetSystemMetrics(SM_CYMENU), 600);
  EXPECT_EQ(platform.ui.ControlRect(3), (Rect{5, 30, 795, 515}));
  EXPECT_EQ(platform.ui.ControlRect(2), (Rect{5, 30, 640, 515}));
  EXPECT_EQ(platform.ui.ControlRect(5), (Rect{10, 546, 630, 15}));
  EXPECT_EQ(platform.ui.ControlRect(4), (Rect{660, 548, 140, 10}));
  char box[64];
  GetWindowTextA(Control(4), box, sizeof(box));
  EXPECT_STREQ(box, "Insert full parameters");
  HMENU menu = GetMenu(Main());
  EXPECT_EQ(GetMenuItemCount(menu), 4);
  EXPECT_EQ(GetMenuState(menu, 19, MF_BYCOMMAND), static_cast<UINT>(-1));
  EXPECT_NE(GetMenuState(menu, 20, MF_BYCOMMAND), static_cast<UINT>(-1));
}

TEST_F(RealWindow, TypingGoesThroughTheLoopAndMarksChanged) {
  EXPECT_EQ(app.state.Changed, 0);
  TypeText("hello");
  EXPECT_EQ(Text(), "hello");
  EXPECT_EQ(app.state.Changed, 1);
  Post(Control(2), WM_KEYDOWN, VK_RETURN);
  Post(Control(2), WM_CHAR, '\r');
  Run();
  TypeText("world");
  EXPECT_EQ(Text(), "hello\r\nworld");
  EXPECT_EQ(CaretLine(*app.edit), 2);
  EXPECT_EQ(app.state.lastCaretLine, 2);
}

TEST_F(RealWindow, EditCommandsFromMenuAndToolbar) {
  TypeText("alpha beta");
  Post(Main(), WM_COMMAND, 14);  // Select all
  Post(Main(), WM_COMMAND, 11);  // Copy
  Run();
  EXPECT_EQ(platform.clipboard.GetText(), "alpha beta");
  app.edit->ExSetSel(0, 6);
  Post(Main(), WM_COMMAND, 13);  // Delete
  Run();
  EXPECT_EQ(Text(), "beta");
  app.edit->ExSetSel(4, 4);
  // A toolbar button reports with the toolbar as sender.
  HWND toolbar = FindWindowExA(Main(), nullptr, TOOLBARCLASSNAMEA, nullptr);
  ASSERT_NE(toolbar, nullptr);
  Post(Main(), WM_COMMAND, 30, reinterpret_cast<LPARAM>(toolbar));  // Paste
  Run();
  EXPECT_EQ(Text(), "betaalpha beta");
}

TEST_F(RealWindow, EscapeHidesAndRestoresTheTree) {
  PressKey(VK_ESCAPE);
  EXPECT_EQ(app.state.PanelHidden, 1);
  EXPECT_EQ(platform.ui.ControlRect(0).w, 0);
  PressKey(VK_ESCAPE);
  EXPECT_EQ(app.state.PanelHidden, 0);
  EXPECT_EQ(platform.ui.ControlRect(0), (Rect{652, 30, 148, 515}));
}

TEST_F(RealWindow, ResizingLaysTheControlsOut) {
  RECT outer{0, 0, 1000, 700};
  AdjustWindowRect(&outer, WS_OVERLAPPEDWINDOW, FALSE);
  SetWindowPos(Main(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER);
  Run();
  RECT client;
  GetClientRect(Main(), &client);
  int h = client.bottom + GetSystemMetrics(SM_CYMENU);
  int w = client.right;
  EXPECT_EQ(platform.ui.ControlRect(3), (Rect{5, 30, w - 5, h - 85}));
  EXPECT_EQ(platform.ui.ControlRect(5), (Rect{10, h - 54, w - 170, 15}));
  EXPECT_EQ(platform.ui.ControlRect(4), (Rect{w - 140, h - 52, 140, 10}));
  EXPECT_EQ(platform.ui.ControlRect(2).h, h - 85);
}

// What is on screen after a resize must be what a full repaint draws: no
// control left unpainted at its new place, no strip clipped at the old size.
TEST_F(RealWindow, EveryResizeRepaintsWhatMoved) {
  auto resize = [&](int w, int h) {
    RECT outer{0, 0, w, h};
    AdjustWindowRect(&outer, WS_OVERLAPPEDWINDOW, TRUE);
    SetWindowPos(Main(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    Run();
  };
  auto pixels = [&] {
    RECT client;
    GetClientRect(Main(), &client);
    HDC screen = GetDC(Main());
    HDC copy = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
    std::vector<COLORREF> out;
    for (int y = 0; y < client.bottom; y += 2)
      for (int x = 0; x < client.right; x += 2) out.push_back(GetPixel(copy, x, y));
    SelectObject(copy, old);
    DeleteObject(bitmap);
    DeleteDC(copy);
    ReleaseDC(Main(), screen);
    return out;
  };
  for (auto [w, h] : {std::pair{1000, 700}, std::pair{800, 560}, std::pair{1100, 760}}) {
    resize(w, h);
    std::vector<COLORREF> shown = pixels();
    RedrawWindow(Main(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Run();
    std::vector<COLORREF> repainted = pixels();
    ASSERT_EQ(shown.size(), repainted.size());
    size_t differing = 0;
    for (size_t i = 0; i < shown.size(); ++i) differing += shown[i] != repainted[i];
    EXPECT_EQ(differing, 0u) << w << " x " << h;
  }
}

TEST_F(RealWindow, CloseBoxEndsTheLoop) {
  Post(Main(), WM_CLOSE, 0);
  EXPECT_FALSE(Run());
  EXPECT_EQ(app.state.QuitRequested, 1);
}

}  // namespace
