// The main window's status bar, menu and tool bar.
#include "platform/win32/win32_ui.h"

#include <commctrl.h>

namespace {

constexpr int kToolbarId = 10;
constexpr int kStatusBarId = 0;

}  // namespace

bool Win32Ui::CreateStatusBar(int window, const std::vector<int>& rightEdges) {
  HWND parent = WindowHandle(window);
  statusBar_ = CreateStatusWindowA(WS_CHILD | WS_VISIBLE, "", parent, kStatusBarId);
  if (!statusBar_) return false;
  std::vector<int> edges(rightEdges.begin(), rightEdges.end());
  SendMessageA(statusBar_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  return true;
}

void Win32Ui::SetStatusText(int field, const std::string& text) {
  if (statusBar_) SendMessageA(statusBar_, SB_SETTEXTA, field, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string Win32Ui::StatusText(int field) {
  if (!statusBar_) return "";
  int length = LOWORD(SendMessageA(statusBar_, SB_GETTEXTLENGTHA, field, 0));
  std::string text(length + 1, '\0');
  SendMessageA(statusBar_, SB_GETTEXTA, field, reinterpret_cast<LPARAM>(&text[0]));
  text.resize(length);
  return text;
}

void Win32Ui::SetMenu(int window, const std::vector<MenuTitle>& menu) {
  HWND hwnd = WindowHandle(window);
  if (!hwnd) return;
  HMENU bar = CreateMenu();
  for (const MenuTitle& title : menu) {
    HMENU popup = CreatePopupMenu();
    for (const MenuItem& item : title.items) {
      if (item.number == 0) AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
      else AppendMenuA(popup, MF_STRING | (item.enabled ? 0 : MF_GRAYED), item.number, item.caption.c_str());
    }
    AppendMenuA(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), title.caption.c_str());
  }
  ::SetMenu(hwnd, bar);
}

bool Win32Ui::CreateToolbar(int window, const std::vector<ToolButton>& buttons) {
  std::vector<TBBUTTON> tb;
  for (const ToolButton& b : buttons) {
    TBBUTTON button;
    ZeroMemory(&button, sizeof(button));
    if (b.number == 0) {
      button.fsStyle = TBSTYLE_SEP;
    } else {
      button.iBitmap = b.standardImage;
      button.idCommand = b.number;
      button.fsState = b.enabled ? TBSTATE_ENABLED : 0;
      button.fsStyle = TBSTYLE_BUTTON;
      toolTips_[b.number] = b.tip;
    }
    tb.push_back(button);
  }
  toolbar_ = CreateToolbarEx(WindowHandle(window), WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS,
                             kToolbarId, 15, HINST_COMMCTRL, IDB_STD_SMALL_COLOR, tb.data(),
                             static_cast<int>(tb.size()), 16, 16, 16, 16, sizeof(TBBUTTON));
  return toolbar_ != nullptr;
}
