#include "platform/memory/memory_ui.h"

#include <algorithm>

static constexpr int kWmMove = 3;
static constexpr int kWmActivate = 6;
static constexpr int kWmSize = 5;

bool MemoryUi::MakeWindow(int window, const WindowSpec& form) {
  Window w;
  w.form = form;
  w.clientW = form.clientW;
  w.clientH = form.clientH;
  bool framed = form.kind != WindowKind::Popup;
  w.shown = form.kind != WindowKind::Popup;  // a popup waits hidden until shown
  int fx = framed ? frameX : 0, ft = framed ? frameTop : 0, fb = framed ? frameBottom : 0;
  w.outer = {form.x, form.y, form.clientW + 2 * fx, form.clientH + ft + fb};
  if (form.centred) {
    w.outer.x = form.centreOver.x + (form.centreOver.w - w.outer.w) / 2;
    w.outer.y = form.centreOver.y + (form.centreOver.h - w.outer.h) / 2;
  }
  windows[window] = w;
  return true;
}

void MemoryUi::CloseWindow(int window) {
  for (auto it = windows.begin(); it != windows.end();) {
    if (it->second.parent == window) {
      const int page = it->first;
      ++it;
      CloseWindow(page);
    } else {
      ++it;
    }
  }
  windows.erase(window);
  for (auto it = controls.begin(); it != controls.end();) {
    if (it->second.window == window) {
      editors.erase(it->first);
      tabPages.erase(it->first);
      creationOrder.erase(std::remove(creationOrder.begin(), creationOrder.end(), it->first), creationOrder.end());
      it = controls.erase(it);
    } else {
      ++it;
    }
  }
}

void MemoryUi::SetWindowTitle(int window, const std::string& title) {
  if (windows.count(window)) windows[window].form.title = title;
}

std::string MemoryUi::WindowTitle(int window) {
  return windows.count(window) ? windows[window].form.title : "";
}

void MemoryUi::EnableWindow(int window, bool enabled) {
  if (windows.count(window)) windows[window].enabled = enabled;
}

bool MemoryUi::IsWindowEnabled(int window) {
  return windows.count(window) && windows[window].enabled;
}

void MemoryUi::ShowWindow(int window, bool shown) {
  if (windows.count(window)) windows[window].shown = shown;
}

bool MemoryUi::IsWindowShown(int window) {
  return windows.count(window) && windows[window].shown;
}

Rect MemoryUi::WindowRect(int window) {
  return windows.count(window) ? windows[window].outer : Rect{};
}

void MemoryUi::MoveWindowTo(int window, int x, int y) {
  if (!windows.count(window)) return;
  windows[window].outer.x = x;
  windows[window].outer.y = y;
  if (hook) hook(window, kWmMove);
}

void MemoryUi::ClientSize(int window, int& w, int& h) {
  w = h = 0;
  if (!windows.count(window)) return;
  w = windows[window].clientW;
  h = windows[window].clientH;
}

void MemoryUi::ResizeClient(int window, int w, int h) {
  Window& win = windows.at(window);
  win.outer.w += w - win.clientW;
  win.outer.h += h - win.clientH;
  win.clientW = w;
  win.clientH = h;
  if (hook) hook(window, kWmSize);
}

void MemoryUi::DragWindowBy(int window, int dx, int dy) {
  Rect r = WindowRect(window);
  MoveWindowTo(window, r.x + dx, r.y + dy);
}

void MemoryUi::AcceptDroppedFiles(int window) {
  if (windows.count(window)) windows[window].acceptsDrops = true;
}

void MemoryUi::RemoveKeyboardShortcuts(int window) {
  if (windows.count(window)) windows[window].shortcutsRemoved = true;
}

bool MemoryUi::CreateStatusBar(int, const std::vector<int>& rightEdges) {
  statusEdges = rightEdges;
  statusFields.assign(rightEdges.size(), "");
  return true;
}

void MemoryUi::SetStatusText(int field, const std::string& text) {
  if (field >= 0 && field < static_cast<int>(statusFields.size())) statusFields[field] = text;
}

std::string MemoryUi::StatusText(int field) {
  return field >= 0 && field < static_cast<int>(statusFields.size()) ? statusFields[field] : "";
}

void MemoryUi::SetMenu(int window, const std::vector<MenuTitle>& menu) {
  if (!windows.count(window)) return;
  Window& w = windows[window];
  // The menu bar takes its height out of the client area.
  if (w.menu.empty() && !menu.empty()) w.clientH -= menuBarHeight;
  w.menu = menu;
}

bool MemoryUi::CreateToolbar(int, const std::vector<ToolButton>& buttons) {
  toolbar = buttons;
  return true;
}

bool MemoryUi::CreateControl(int control, int window, ControlKind kind, const Rect& at,
                             const std::string& text, unsigned dialogKeys) {
  Control c;
  c.dialogKeys = dialogKeys;
  c.window = window;
  c.kind = kind;
  c.at = at;
  c.text = text;
  controls[control] = c;
  creationOrder.push_back(control);
  if (kind == ControlKind::RichEdit) {
    editors[control] = std::make_unique<MemoryEditControl>(clipboard);
    editors[control]->onFocus = [this, control] { focused = control; };
  }
  return true;
}

void MemoryUi::MoveControl(int control, const Rect& at) {
  if (!controls.count(control)) return;
  Control& c = controls[control];
  c.at = at;
  if (c.kind == ControlKind::Splitter) LayOutSplitter(c);
}

Rect MemoryUi::ControlRect(int control) {
  return controls.count(control) ? controls[control].at : Rect{};
}

// As an edit field does: new text puts the caret at its start.
void MemoryUi::SetControlText(int control, const std::string& text) {
  if (!controls.count(control)) return;
  controls[control].text = text;
  controls[control].selFrom = controls[control].selTo = 0;
}

void MemoryUi::SelectControlText(int control) {
  if (!controls.count(control)) return;
  controls[control].selFrom = 0;
  controls[control].selTo = controls[control].text.size();
}

void MemoryUi::TypeInto(int control, const std::string& typed) {
  Control& c = controls.at(control);
  c.text.replace(c.selFrom, c.selTo - c.selFrom, typed);
  c.selFrom = c.selTo = c.selFrom + typed.size();
}

void MemoryUi::Activate(int window) {
  const int old = activeWindow;
  activeWindow = window;
  if (!hook) return;
  if (old >= 0) hook(old, kWmActivate);
  if (window >= 0) hook(window, kWmActivate);
}

Rect MemoryUi::WorkAreaAt(int x, int y) {
  for (const Monitor& m : moreMonitors)
    if (x >= m.area.x && x < m.area.x + m.area.w && y >= m.area.y && y < m.area.y + m.area.h) return m.work;
  return workArea;
}

std::string MemoryUi::ControlText(int control) {
  return controls.count(control) ? controls[control].text : "";
}

bool MemoryUi::IsChecked(int control) {
  return controls.count(control) && controls[control].checked;
}

void MemoryUi::SetChecked(int control, bool checked) {
  if (controls.count(control)) controls[control].checked = checked;
}

bool MemoryUi::CreateTabs(int control, int window, const Rect& at, const std::vector<std::string>& captions,
                          int firstPage) {
  if (!windows.count(window)) return false;
  CreateControl(control, window, ControlKind::Static, at, "");
  controls[control].items = captions;
  controls[control].selected = 0;
  std::vector<int>& pages = tabPages[control];
  for (size_t i = 0; i < captions.size(); ++i) {
    Window page;
    page.parent = window;
    page.shown = i == 0;
    // The page area inside a tab row 20 high and a 2-pixel border.
    page.outer = {at.x + 2, at.y + 22, at.w - 4, at.h - 24};
    page.clientW = page.outer.w;
    page.clientH = page.outer.h;
    windows[firstPage + static_cast<int>(i)] = page;
    pages.push_back(firstPage + static_cast<int>(i));
  }
  return true;
}

void MemoryUi::SelectTab(int control, int index) {
  if (!tabPages.count(control)) return;
  controls[control].selected = index;
  const std::vector<int>& pages = tabPages[control];
  for (size_t i = 0; i < pages.size(); ++i) windows[pages[i]].shown = static_cast<int>(i) == index;
}

bool MemoryUi::ControlVisible(int control) {
  if (!controls.count(control)) return false;
  int window = controls[control].window;
  while (window >= 0 && windows.count(window)) {
    if (!windows[window].shown) return false;
    window = windows[window].parent;
  }
  return true;
}

void MemoryUi::EnableControl(int control, bool enabled) {
  if (controls.count(control)) controls[control].enabled = enabled;
}

bool MemoryUi::IsControlEnabled(int control) { return controls.count(control) && controls[control].enabled; }

void MemoryUi::SetControlImage(int control, int image) {
  if (controls.count(control)) controls[control].image = image;
}

bool MemoryUi::PressControl(int control) {
  if (!controls.count(control) || !controls[control].enabled || !ControlVisible(control)) return false;
  Control& c = controls[control];
  if (c.kind == ControlKind::CheckBox || c.kind == ControlKind::Toggle) c.checked = !c.checked;
  if (c.kind != ControlKind::Option && c.kind != ControlKind::OptionFirst) return true;
  // The group runs from its first option to the next first option, over
  // the other kinds of control between them.
  auto at = std::find(creationOrder.begin(), creationOrder.end(), control);
  auto first = at;
  while (first != creationOrder.begin() && controls[*first].kind != ControlKind::OptionFirst) --first;
  for (auto it = first; it != creationOrder.end(); ++it) {
    Control& o = controls[*it];
    if (it != first && o.kind == ControlKind::OptionFirst) break;
    if (o.kind == ControlKind::Option || o.kind == ControlKind::OptionFirst) o.checked = it == at;
  }
  return true;
}

EditControl* MemoryUi::Editor(int control) {
  auto it = editors.find(control);
  return it == editors.end() ? nullptr : it->second.get();
}

void MemoryUi::SetSplitterPanes(int splitter, int left, int right, int barWidth) {
  if (!controls.count(splitter)) return;
  Control& s = controls[splitter];
  s.left = left;
  s.right = right;
  s.barWidth = barWidth;
  LayOutSplitter(s);
}

void MemoryUi::SetSplitterPos(int splitter, int pos) {
  if (!controls.count(splitter)) return;
  Control& s = controls[splitter];
  s.pos = pos;
  LayOutSplitter(s);
}

int MemoryUi::SplitterPos(int splitter) {
  return controls.count(splitter) ? controls[splitter].pos : 0;
}

void MemoryUi::LayOutSplitter(Control& s) {
  const int shown = std::clamp(s.pos, 0, std::max(0, s.at.w - s.barWidth));
  if (controls.count(s.left)) controls[s.left].at = {s.at.x, s.at.y, shown, s.at.h};
  if (controls.count(s.right)) {
    int x = shown + s.barWidth;
    controls[s.right].at = {s.at.x + x, s.at.y, std::max(0, s.at.w - x), s.at.h};
  }
}

void MemoryUi::TreeClear(int) {
  treeNodes.clear();
  treeOrder.clear();
  treeSelected = 0;
}

TreeItem MemoryUi::TreeAdd(int, TreeItem parent, const std::string& label, long data) {
  TreeItem item = nextTreeItem_++;
  treeNodes[item] = {parent, label, data, false};
  treeOrder.push_back(item);
  return item;
}

void MemoryUi::TreeExpand(int, TreeItem item) {
  if (treeNodes.count(item)) treeNodes[item].expanded = true;
}

void MemoryUi::TreeSelect(int, TreeItem item) { treeSelected = item; }

std::string MemoryUi::TreeItemText(int, TreeItem item) {
  return treeNodes.count(item) ? treeNodes[item].label : "";
}

long MemoryUi::TreeItemData(int, TreeItem item) {
  return treeNodes.count(item) ? treeNodes[item].data : 0;
}

std::vector<TreeItem> MemoryUi::TreeChildren(int, TreeItem parent) {
  std::vector<TreeItem> out;
  for (TreeItem item : treeOrder)
    if (treeNodes[item].parent == parent) out.push_back(item);
  return out;
}

bool MemoryUi::CreateImage(int image, int w, int h, uint32_t color) {
  images[image] = {w, h, color};
  return true;
}

// ---- List box ---------------------------------------------------------------

void MemoryUi::ListSetItems(int control, const std::vector<std::string>& items) {
  if (!controls.count(control)) return;
  controls[control].items = items;
  controls[control].selected = -1;
}

int MemoryUi::ListCount(int control) {
  return controls.count(control) ? static_cast<int>(controls[control].items.size()) : 0;
}

int MemoryUi::ListSelection(int control) { return controls.count(control) ? controls[control].selected : -1; }

void MemoryUi::ListSelect(int control, int index) {
  if (!controls.count(control)) return;
  Control& c = controls[control];
  c.selected = index >= 0 && index < static_cast<int>(c.items.size()) ? index : -1;
}

std::string MemoryUi::ListItem(int control, int index) {
  if (!controls.count(control)) return "";
  const Control& c = controls[control];
  return index >= 0 && index < static_cast<int>(c.items.size()) ? c.items[index] : "";
}

void MemoryUi::ControlToScreen(int control, int& x, int& y) {
  if (!controls.count(control) || !windows.count(controls[control].window)) return;
  const Control& c = controls[control];
  const Window& w = windows[c.window];
  const bool framed = w.form.kind != WindowKind::Popup;
  x += w.outer.x + (framed ? frameX : 0) + c.at.x;
  y += w.outer.y + (framed ? frameTop : 0) + (w.menu.empty() ? 0 : menuBarHeight) + c.at.y;
}
