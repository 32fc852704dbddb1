// The splitter, the tree control and the list box.
#include "platform/win32/win32_ui.h"

#include <commctrl.h>

#include <algorithm>

// ---- Splitter --------------------------------------------------------------

void Win32Ui::SetSplitterPanes(int splitter, int left, int right, int barWidth) {
  HWND hwnd = ControlHandle(splitter);
  if (!hwnd || !splitters_.count(splitter)) return;
  Splitter& s = splitters_[splitter];
  s.left = left;
  s.right = right;
  s.barWidth = barWidth;
  // The panes become the splitter's children; it sizes them from now on.
  for (int pane : {left, right})
    if (HWND child = ControlHandle(pane)) SetParent(child, hwnd);
  LayOutSplitter(splitter);
}

void Win32Ui::SetSplitterPos(int splitter, int pos) {
  if (!splitters_.count(splitter)) return;
  splitters_[splitter].pos = pos;
  LayOutSplitter(splitter);
}

int Win32Ui::SplitterPos(int splitter) {
  return splitters_.count(splitter) ? splitters_[splitter].pos : 0;
}

void Win32Ui::LayOutSplitter(int splitter) {
  HWND hwnd = ControlHandle(splitter);
  Splitter& s = splitters_[splitter];
  RECT r;
  GetClientRect(hwnd, &r);
  // Only the layout is clamped: a window minimised or shrunk for a moment
  // gets its bar back where the user left it.
  const int shown = std::clamp(s.pos, 0, std::max(0, static_cast<int>(r.right) - s.barWidth));
  if (HWND left = ControlHandle(s.left)) MoveWindow(left, 0, 0, shown, r.bottom, TRUE);
  if (HWND right = ControlHandle(s.right)) {
    int x = shown + s.barWidth;
    MoveWindow(right, x, 0, std::max(0, static_cast<int>(r.right) - x), r.bottom, TRUE);
  }
}

LRESULT Win32Ui::HandleSplitterMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  int number = ControlNumberOf(hwnd);
  auto it = splitters_.find(number);
  if (it == splitters_.end()) return DefWindowProcA(hwnd, msg, wParam, lParam);
  Splitter& s = it->second;
  switch (msg) {
    case WM_SIZE:
      LayOutSplitter(number);
      return 0;
    case WM_LBUTTONDOWN:
      s.dragging = true;
      s.dragOffset = static_cast<short>(LOWORD(lParam)) - s.pos;
      SetCapture(hwnd);
      return 0;
    case WM_MOUSEMOVE:
      if (s.dragging) {
        RECT r;
        GetClientRect(hwnd, &r);
        s.pos = std::clamp(static_cast<short>(LOWORD(lParam)) - s.dragOffset, 0,
                           std::max(0, static_cast<int>(r.right) - s.barWidth));
        LayOutSplitter(number);
      }
      return 0;
    case WM_LBUTTONUP:
      if (s.dragging) {
        s.dragging = false;
        ReleaseCapture();
        Event e;
        e.code = kEventControl;
        e.control = number;
        e.type = kControlOther;
        Queue(e);
      }
      return 0;
    case WM_NOTIFY:
    case WM_COMMAND:
      // The panes' notifications belong to the window the splitter sits in.
      return SendMessageA(GetParent(hwnd), msg, wParam, lParam);
    default:
      return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

// ---- Tree ------------------------------------------------------------------

void Win32Ui::TreeClear(int control) {
  if (HWND hwnd = ControlHandle(control)) SendMessageA(hwnd, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
}

TreeItem Win32Ui::TreeAdd(int control, TreeItem parent, const std::string& label, long data) {
  HWND hwnd = ControlHandle(control);
  if (!hwnd) return 0;
  TVINSERTSTRUCTA insert;
  ZeroMemory(&insert, sizeof(insert));
  insert.hParent = parent == kTreeRoot ? TVI_ROOT : reinterpret_cast<HTREEITEM>(parent);
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_PARAM;
  insert.item.pszText = const_cast<char*>(label.c_str());
  insert.item.lParam = data;
  return static_cast<TreeItem>(SendMessageA(hwnd, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

void Win32Ui::TreeExpand(int control, TreeItem item) {
  if (HWND hwnd = ControlHandle(control)) SendMessageA(hwnd, TVM_EXPAND, TVE_EXPAND, static_cast<LPARAM>(item));
}

void Win32Ui::TreeSelect(int control, TreeItem item) {
  if (HWND hwnd = ControlHandle(control)) SendMessageA(hwnd, TVM_SELECTITEM, TVGN_CARET, static_cast<LPARAM>(item));
}

TreeItem Win32Ui::TreeSelected(int control) {
  HWND hwnd = ControlHandle(control);
  return hwnd ? static_cast<TreeItem>(SendMessageA(hwnd, TVM_GETNEXTITEM, TVGN_CARET, 0)) : 0;
}

std::string Win32Ui::TreeItemText(int control, TreeItem item) {
  HWND hwnd = ControlHandle(control);
  if (!hwnd || !item) return "";
  char buffer[1024] = {0};
  TVITEMA tv;
  ZeroMemory(&tv, sizeof(tv));
  tv.mask = TVIF_TEXT;
  tv.hItem = reinterpret_cast<HTREEITEM>(item);
  tv.pszText = buffer;
  tv.cchTextMax = sizeof(buffer);
  SendMessageA(hwnd, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
  return buffer;
}

long Win32Ui::TreeItemData(int control, TreeItem item) {
  HWND hwnd = ControlHandle(control);
  if (!hwnd || !item) return 0;
  TVITEMA tv;
  ZeroMemory(&tv, sizeof(tv));
  tv.mask = TVIF_PARAM;
  tv.hItem = reinterpret_cast<HTREEITEM>(item);
  SendMessageA(hwnd, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
  return static_cast<long>(tv.lParam);
}

std::vector<TreeItem> Win32Ui::TreeChildren(int control, TreeItem parent) {
  std::vector<TreeItem> out;
  HWND hwnd = ControlHandle(control);
  if (!hwnd) return out;
  LPARAM first = parent == kTreeRoot ? 0 : static_cast<LPARAM>(parent);
  TreeItem item = static_cast<TreeItem>(
      SendMessageA(hwnd, TVM_GETNEXTITEM, parent == kTreeRoot ? TVGN_ROOT : TVGN_CHILD, first));
  while (item) {
    out.push_back(item);
    item = static_cast<TreeItem>(SendMessageA(hwnd, TVM_GETNEXTITEM, TVGN_NEXT, static_cast<LPARAM>(item)));
  }
  return out;
}

// ---- List box ----------------------------------------------------------------

void Win32Ui::ListSetItems(int control, const std::vector<std::string>& items) {
  HWND hwnd = ControlHandle(control);
  if (!hwnd) return;
  listItems_[control] = items;
  // The widest item sets how far the horizontal scroll bar reaches.
  HDC dc = GetDC(hwnd);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(hwnd, WM_GETFONT, 0, 0)));
  LONG widest = 0;
  for (const std::string& item : items) {
    SIZE size{0, 0};
    GetTextExtentPoint32A(dc, item.c_str(), static_cast<int>(item.size()), &size);
    widest = std::max(widest, size.cx);
  }
  SelectObject(dc, old);
  ReleaseDC(hwnd, dc);
  // Wine's list box updates its scroll bars at once on a reset, a new count
  // and a new extent, several milliseconds each: one update at the end.
  SendMessageA(hwnd, WM_SETREDRAW, FALSE, 0);
  SendMessageA(hwnd, LB_RESETCONTENT, 0, 0);
  SendMessageA(hwnd, LB_SETCOUNT, items.size(), 0);
  if (SendMessageA(hwnd, LB_GETHORIZONTALEXTENT, 0, 0) != widest + 4)
    SendMessageA(hwnd, LB_SETHORIZONTALEXTENT, widest + 4, 0);
  SendMessageA(hwnd, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hwnd, nullptr, TRUE);
}

void Win32Ui::DrawListItem(const DRAWITEMSTRUCT& item) {
  const int control = ControlNumberOf(item.hwndItem);
  const auto& items = listItems_[control];
  const bool selected = item.itemState & ODS_SELECTED;
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (item.itemID < items.size()) {
    const std::string& text = items[item.itemID];
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT r = item.rcItem;
    r.left += 2;
    DrawTextA(item.hDC, text.c_str(), static_cast<int>(text.size()), &r,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}

int Win32Ui::ListCount(int control) {
  HWND hwnd = ControlHandle(control);
  return hwnd ? static_cast<int>(SendMessageA(hwnd, LB_GETCOUNT, 0, 0)) : 0;
}

int Win32Ui::ListSelection(int control) {
  HWND hwnd = ControlHandle(control);
  if (!hwnd) return -1;
  LRESULT index = SendMessageA(hwnd, LB_GETCURSEL, 0, 0);
  return index == LB_ERR ? -1 : static_cast<int>(index);
}

void Win32Ui::ListSelect(int control, int index) {
  if (HWND hwnd = ControlHandle(control)) SendMessageA(hwnd, LB_SETCURSEL, index, 0);
}

std::string Win32Ui::ListItem(int control, int index) {
  auto it = listItems_.find(control);
  if (it == listItems_.end() || index < 0 || index >= static_cast<int>(it->second.size())) return "";
  return it->second[index];
}
