#include "platform/win32/win32_ui.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

namespace {

constexpr const char* kWindowClass = "QvrWindow";
constexpr const char* kSplitterClass = "QvrSplitter";
constexpr int kToolbarId = 10;
constexpr int kStatusBarId = 0;
constexpr int kIconResource = 1;

Win32Ui* g_ui = nullptr;

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (g_ui) return g_ui->HandleWindowMessage(hwnd, msg, wParam, lParam);
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK SplitterProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (g_ui) return g_ui->HandleSplitterMessage(hwnd, msg, wParam, lParam);
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void RegisterClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA wc;
  ZeroMemory(&wc, sizeof(wc));
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  // The program's own icon, when it has one (the test programs do not): the
  // small image picked at the small size, so the title bar and taskbar are
  // not a scaled-down large one.
  wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(kIconResource));
  wc.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(kIconResource), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  if (!wc.hIcon) wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kWindowClass;
  RegisterClassExA(&wc);
  wc.lpfnWndProc = SplitterProc;
  wc.hIcon = nullptr;
  wc.hIconSm = nullptr;
  wc.hCursor = LoadCursorA(nullptr, IDC_SIZEWE);
  wc.lpszClassName = kSplitterClass;
  RegisterClassExA(&wc);
}

std::string TextOf(HWND hwnd) {
  int length = GetWindowTextLengthA(hwnd);
  std::string text(length + 1, '\0');
  int copied = GetWindowTextA(hwnd, &text[0], length + 1);
  text.resize(std::max(copied, 0));
  return text;
}

}  // namespace

Win32Ui::Win32Ui() {
  g_ui = this;
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_TREEVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  RegisterClasses();
}

Win32Ui::~Win32Ui() {
  for (auto& w : windows_) DestroyWindow(w.second);
  for (auto& i : images_) DeleteObject(i.second);
  if (g_ui == this) g_ui = nullptr;
}

Win32Ui* Win32Ui::Instance() { return g_ui; }

HWND Win32Ui::WindowHandle(int window) const {
  auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : it->second;
}

HWND Win32Ui::ControlHandle(int control) const {
  auto it = controls_.find(control);
  return it == controls_.end() ? nullptr : it->second;
}

int Win32Ui::WindowNumberOf(HWND hwnd) const {
  for (auto& w : windows_)
    if (w.second == hwnd) return w.first;
  return -1;
}

int Win32Ui::ControlNumberOf(HWND hwnd) const {
  for (auto& c : controls_)
    if (c.second == hwnd) return c.first;
  return -1;
}

// ---- Windows ---------------------------------------------------------------

bool Win32Ui::MakeWindow(int window, const WindowSpec& form) {
  DWORD style = 0, exStyle = 0;
  switch (form.kind) {
    case WindowKind::Main: style = WS_OVERLAPPEDWINDOW; break;
    // Owned by the main window, it stays above it without standing above
    // every other program.
    case WindowKind::Popup: style = WS_POPUP; exStyle = WS_EX_TOOLWINDOW; break;
    case WindowKind::Tool: style = WS_CAPTION | WS_SYSMENU | WS_POPUP; exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW; break;
    case WindowKind::Fixed: style = WS_CAPTION | WS_POPUP; break;
  }
  // The size is the client area before any menu bar is added.
  RECT r{0, 0, form.clientW, form.clientH};
  AdjustWindowRectEx(&r, style, FALSE, exStyle);
  HWND owner = form.kind == WindowKind::Main ? nullptr : WindowHandle(0);
  int x = form.x, y = form.y;
  if (form.centred) {
    x = form.centreOver.x + (form.centreOver.w - (r.right - r.left)) / 2;
    y = form.centreOver.y + (form.centreOver.h - (r.bottom - r.top)) / 2;
  }
  HWND hwnd = CreateWindowExA(exStyle, kWindowClass, form.title.c_str(), style, x, y,
                              r.right - r.left, r.bottom - r.top, owner, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  if (!hwnd) return false;
  windows_[window] = hwnd;
  if (form.kind == WindowKind::Tool || form.kind == WindowKind::Fixed) dialogKeyWindows_.insert(hwnd);
  if (form.kind != WindowKind::Popup) ::ShowWindow(hwnd, SW_SHOW);
  return true;
}

bool Win32Ui::WindowExists(int window) { return WindowHandle(window) != nullptr; }

void Win32Ui::CloseWindow(int window) {
  HWND hwnd = WindowHandle(window);
  if (!hwnd) return;
  for (auto it = controls_.begin(); it != controls_.end();) {
    if (GetAncestor(it->second, GA_ROOT) == hwnd) {
      editors_.erase(it->first);
      splitters_.erase(it->first);
      listItems_.erase(it->first);
      controlKinds_.erase(it->first);
      tabPages_.erase(it->first);
      it = controls_.erase(it);
    } else {
      ++it;
    }
  }
  for (auto it = windows_.begin(); it != windows_.end();) {
    if (it->first != window && GetAncestor(it->second, GA_ROOT) == hwnd) it = windows_.erase(it);
    else ++it;
  }
  windows_.erase(window);
  dialogKeyWindows_.erase(hwnd);
  defaultButtons_.erase(hwnd);
  DestroyWindow(hwnd);
}

void Win32Ui::SetWindowTitle(int window, const std::string& title) {
  if (HWND hwnd = WindowHandle(window)) SetWindowTextA(hwnd, title.c_str());
}

std::string Win32Ui::WindowTitle(int window) {
  HWND hwnd = WindowHandle(window);
  return hwnd ? TextOf(hwnd) : "";
}

void Win32Ui::EnableWindow(int window, bool enabled) {
  if (HWND hwnd = WindowHandle(window)) ::EnableWindow(hwnd, enabled);
}

bool Win32Ui::IsWindowEnabled(int window) {
  HWND hwnd = WindowHandle(window);
  return hwnd && ::IsWindowEnabled(hwnd);
}

void Win32Ui::ShowWindow(int window, bool shown) {
  HWND hwnd = WindowHandle(window);
  if (!hwnd) return;
  bool popup = GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW;
  ::ShowWindow(hwnd, shown ? (popup ? SW_SHOWNOACTIVATE : SW_SHOW) : SW_HIDE);
}

bool Win32Ui::IsWindowShown(int window) {
  HWND hwnd = WindowHandle(window);
  return hwnd && IsWindowVisible(hwnd);
}

Rect Win32Ui::WindowRect(int window) {
  RECT r{0, 0, 0, 0};
  if (HWND hwnd = WindowHandle(window)) GetWindowRect(hwnd, &r);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

int Win32Ui::ActiveWindow() { return WindowNumberOf(GetActiveWindow()); }

void Win32Ui::MoveWindowTo(int window, int x, int y) {
  if (HWND hwnd = WindowHandle(window))
    SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Ui::ClientSize(int window, int& w, int& h) {
  RECT r{0, 0, 0, 0};
  if (HWND hwnd = WindowHandle(window)) GetClientRect(hwnd, &r);
  w = r.right;
  h = r.bottom;
}

int Win32Ui::MenuBarHeight() { return GetSystemMetrics(SM_CYMENU); }

void Win32Ui::AcceptDroppedFiles(int window) {
  if (HWND hwnd = WindowHandle(window)) DragAcceptFiles(hwnd, TRUE);
}

// The loop translates no accelerators, and dialog keys only for the tool
// windows, so there is nothing to take away: Tab and Shift+Tab already reach
// the editing area.
void Win32Ui::RemoveKeyboardShortcuts(int) {}

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

// ---- Bars and menu ---------------------------------------------------------

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

// ---- Controls --------------------------------------------------------------

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
  if (HWND hwnd = ControlHandle(control)) SetWindowTextA(hwnd, text.c_str());
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

void Win32Ui::ControlToScreen(int control, int& x, int& y) {
  HWND hwnd = ControlHandle(control);
  if (!hwnd) return;
  POINT point{x, y};
  ClientToScreen(hwnd, &point);
  x = point.x;
  y = point.y;
}

Rect Win32Ui::WorkArea() {
  RECT r{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

Rect Win32Ui::WorkAreaAt(int x, int y) {
  MONITORINFO info;
  info.cbSize = sizeof(info);
  if (!GetMonitorInfoA(MonitorFromPoint(POINT{x, y}, MONITOR_DEFAULTTONEAREST), &info)) return WorkArea();
  const RECT& r = info.rcWork;
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

EditControl* Win32Ui::Editor(int control) {
  auto it = editors_.find(control);
  return it == editors_.end() ? nullptr : it->second.get();
}
