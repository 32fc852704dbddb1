// Controls by number: making them, the tab pages, and what the logic reads
// and sets on them.
#include "platform/win32/win32_ui.h"

#include <commctrl.h>

bool Win32Ui::CreateControl(int control, int window, ControlKind kind, const Rect& at,
                            const std::string& text, unsigned dialogKeys) {
  HWND parent = WindowHandle(window);
  if (!parent) return false;
  const char* cls = "STATIC";
  DWORD style = WS_CHILD | WS_VISIBLE, exStyle = 0;
  switch (kind) {
    case ControlKind::Tree:
      cls = WC_TREEVIEWA;
      style |= TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
      exStyle = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::RichEdit:
      cls = RichEditClassName();
      style |= WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL |
               ES_WANTRETURN;
      exStyle = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::Splitter: cls = kSplitterClass; style |= WS_CLIPCHILDREN; break;
    case ControlKind::Static: cls = "STATIC"; style |= SS_LEFTNOWORDWRAP; break;
    case ControlKind::WrappingStatic: cls = "STATIC"; style |= SS_LEFT; break;
    // A caption wider than its box in a wider font wraps instead of being cut.
    case ControlKind::CheckBox: cls = "BUTTON"; style |= BS_AUTOCHECKBOX | BS_MULTILINE; break;
    case ControlKind::ListBox:
      cls = "LISTBOX";
      style |= WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_NODATA | LBS_OWNERDRAWFIXED;
      exStyle = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::TextField:
      cls = "EDIT";
      style |= ES_AUTOHSCROLL;
      exStyle = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::Button:
      cls = "BUTTON";
      style |= dialogKeys & kDefaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
      break;
    case ControlKind::Frame: cls = "BUTTON"; style |= BS_GROUPBOX; break;
    case ControlKind::OptionFirst: cls = "BUTTON"; style |= BS_AUTORADIOBUTTON; break;
    case ControlKind::Option: cls = "BUTTON"; style |= BS_AUTORADIOBUTTON; break;
    case ControlKind::Toggle: cls = "BUTTON"; style |= BS_AUTOCHECKBOX | BS_PUSHLIKE; break;
    case ControlKind::ImageButton: cls = "BUTTON"; style |= BS_PUSHBUTTON | BS_BITMAP; break;
  }
  if (dialogKeys & kTabStop) style |= WS_TABSTOP;
  if (dialogKeys & kGroupStart) style |= WS_GROUP;
  HWND hwnd = CreateWindowExA(exStyle, cls, text.c_str(), style, at.x, at.y, at.w, at.h, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kChildIdBase + control)),
                              GetModuleHandleA(nullptr), nullptr);
  if (!hwnd) return false;
  controls_[control] = hwnd;
  controlKinds_[control] = kind;
  if (dialogKeys & kDefaultButton) defaultButtons_[GetAncestor(hwnd, GA_ROOT)] = control;
  if (kind != ControlKind::RichEdit && kind != ControlKind::Splitter)
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
  if (kind == ControlKind::RichEdit) {
    PrepareRichEdit(hwnd);
    editors_[control] =
        std::make_unique<Win32EditControl>(hwnd, [this, control](HWND fresh) { controls_[control] = fresh; });
  }
  if (kind == ControlKind::Splitter) splitters_[control] = Splitter();
  return true;
}

bool Win32Ui::ControlExists(int control) { return ControlHandle(control) != nullptr; }

bool Win32Ui::CreateTabs(int control, int window, const Rect& at, const std::vector<std::string>& captions,
                         int firstPage) {
  HWND parent = WindowHandle(window);
  if (!parent) return false;
  HWND tabs = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | WS_GROUP, at.x,
                              at.y, at.w, at.h, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kChildIdBase + control)),
                              GetModuleHandleA(nullptr), nullptr);
  if (!tabs) return false;
  SendMessageA(tabs, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
  controls_[control] = tabs;
  controlKinds_[control] = ControlKind::Static;
  for (size_t i = 0; i < captions.size(); ++i) {
    TCITEMA item;
    ZeroMemory(&item, sizeof(item));
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(captions[i].c_str());
    SendMessageA(tabs, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
  }
  // The pages fill the tab control's display area, so their controls'
  // positions count from the page. They are the window's children after
  // the tab control, not the tab control's: the dialog keys walk into a
  // child only when it is a control parent, and the tab control must stay
  // a tab stop of its own for the arrow keys to change pages. It clips
  // them out of its painting and lets clicks outside its tabs through.
  RECT area{0, 0, at.w, at.h};
  SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  std::vector<int>& pages = tabPages_[control];
  for (size_t i = 0; i < captions.size(); ++i) {
    HWND page = CreateWindowExA(WS_EX_CONTROLPARENT, kWindowClass, "", WS_CHILD | (i == 0 ? WS_VISIBLE : 0),
                                at.x + area.left, at.y + area.top, area.right - area.left, area.bottom - area.top,
                                parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!page) return false;
    windows_[firstPage + static_cast<int>(i)] = page;
    pages.push_back(firstPage + static_cast<int>(i));
  }
  return true;
}

void Win32Ui::ShowTabPage(int control) {
  HWND tabs = ControlHandle(control);
  auto pages = tabPages_.find(control);
  if (!tabs || pages == tabPages_.end()) return;
  const int selected = static_cast<int>(SendMessageA(tabs, TCM_GETCURSEL, 0, 0));
  for (size_t i = 0; i < pages->second.size(); ++i)
    ::ShowWindow(WindowHandle(pages->second[i]), static_cast<int>(i) == selected ? SW_SHOW : SW_HIDE);
}

void Win32Ui::EnableControl(int control, bool enabled) {
  if (HWND hwnd = ControlHandle(control)) ::EnableWindow(hwnd, enabled);
}

bool Win32Ui::IsControlEnabled(int control) {
  HWND hwnd = ControlHandle(control);
  return hwnd && ::IsWindowEnabled(hwnd);
}

void Win32Ui::SetControlImage(int control, int image) {
  HWND hwnd = ControlHandle(control);
  auto it = images_.find(image);
  if (!hwnd || it == images_.end()) return;
  SendMessageA(hwnd, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(it->second));
  // The bitmap may be the one it already showed, repainted.
  InvalidateRect(hwnd, nullptr, TRUE);
}

void Win32Ui::MoveControl(int control, const Rect& at) {
  if (HWND hwnd = ControlHandle(control)) MoveWindow(hwnd, at.x, at.y, at.w, at.h, TRUE);
}

Rect Win32Ui::ControlRect(int control) {
  HWND hwnd = ControlHandle(control);
  if (!hwnd) return {};
  RECT r;
  GetWindowRect(hwnd, &r);
  // In the client area of the top-level window, also for a splitter's panes.
  MapWindowPoints(nullptr, GetAncestor(hwnd, GA_ROOT), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void Win32Ui::SetControlText(int control, const std::string& text) {
  HWND hwnd = ControlHandle(control);
  if (!hwnd) return;
  SetWindowTextA(hwnd, text.c_str());
  // Wine's label paints its new text at once, and a window that is still
  // being shown for the first time loses that painting: it stays a blank
  // box until something else repaints it. A later paint of its own does not.
  if (controlKinds_[control] == ControlKind::Static || controlKinds_[control] == ControlKind::WrappingStatic)
    InvalidateRect(hwnd, nullptr, TRUE);
}

void Win32Ui::SelectControlText(int control) {
  if (HWND hwnd = ControlHandle(control)) SendMessageA(hwnd, EM_SETSEL, 0, -1);
}

std::string Win32Ui::ControlText(int control) {
  HWND hwnd = ControlHandle(control);
  return hwnd ? TextOf(hwnd) : "";
}

bool Win32Ui::IsChecked(int control) {
  HWND hwnd = ControlHandle(control);
  return hwnd && SendMessageA(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32Ui::SetChecked(int control, bool checked) {
  if (HWND hwnd = ControlHandle(control))
    SendMessageA(hwnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Win32Ui::Focus(int control) {
  if (HWND hwnd = ControlHandle(control)) SetFocus(hwnd);
}

int Win32Ui::FocusedControl() { return ControlNumberOf(GetFocus()); }

bool Win32Ui::CreateImage(int image, int w, int h, uint32_t color) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  // A button may be showing the image: repaint the same bitmap rather than
  // delete one that is in use.
  HBITMAP bitmap = nullptr;
  auto existing = images_.find(image);
  BITMAP info;
  if (existing != images_.end() && GetObjectA(existing->second, sizeof(info), &info) &&
      info.bmWidth == w && info.bmHeight == h)
    bitmap = existing->second;
  else
    bitmap = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(dc, bitmap);
  HBRUSH brush = CreateSolidBrush(color);
  RECT r{0, 0, w, h};
  FillRect(dc, &r, brush);
  DeleteObject(brush);
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  if (images_.count(image) && images_[image] != bitmap) DeleteObject(images_[image]);
  images_[image] = bitmap;
  return bitmap != nullptr;
}

void Win32Ui::ControlToScreen(int control, int& x, int& y) {
  HWND hwnd = ControlHandle(control);
  if (!hwnd) return;
  POINT point{x, y};
  ClientToScreen(hwnd, &point);
  x = point.x;
  y = point.y;
}

EditControl* Win32Ui::Editor(int control) {
  auto it = editors_.find(control);
  return it == editors_.end() ? nullptr : it->second.get();
}
