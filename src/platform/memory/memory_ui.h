#pragma once
// Windows and controls kept as plain records, for tests. Moves and resizes
// call the window hook as the real main window does.
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "platform/memory/memory_edit_control.h"
#include "platform/ui.h"

class MemoryUi : public Ui {
 public:
  struct Window {
    WindowSpec form;
    Rect outer;
    int clientW = 0, clientH = 0;
    bool enabled = true, shown = true, acceptsDrops = false, shortcutsRemoved = false;
    std::vector<MenuTitle> menu;
    int parent = -1;   // a tab page: the window holding its tab control
  };
  struct Control {
    int window = 0;
    ControlKind kind = ControlKind::Static;
    Rect at;
    std::string text;
    bool checked = false;
    bool enabled = true;
    int image = -1;
    unsigned dialogKeys = kNoDialogKeys;
    // A text field's selection, [selFrom, selTo).
    size_t selFrom = 0, selTo = 0;
    // Splitter panes.
    int left = -1, right = -1, barWidth = 0, pos = 0;
    // List box.
    std::vector<std::string> items;
    int selected = -1;
  };
  struct TreeNode {
    TreeItem parent = kTreeRoot;
    std::string label;
    long data = 0;
    bool expanded = false;
  };

  std::map<int, Window> windows;
  std::map<int, Control> controls;
  std::vector<std::string> statusFields;
  std::vector<int> statusEdges;
  std::vector<ToolButton> toolbar;
  std::map<TreeItem, TreeNode> treeNodes;   // keyed by handle, in creation order
  std::vector<TreeItem> treeOrder;
  TreeItem treeSelected = 0;
  int focused = -1;
  std::vector<FontFace> faces;   // none: nothing known, every face counts as installed
  std::set<int> heldKeys;   // kept by MemoryEvents; a test lets go inside a "dialog"
  int menuBarHeight = 20;   // a one-line menu bar
  int frameX = 4, frameTop = 23, frameBottom = 4;  // outer minus client
  // Called for WM_SIZE (5) and WM_MOVE (3) of any window, like the hook.
  std::function<void(int window, int message)> hook;
  std::map<int, std::unique_ptr<MemoryEditControl>> editors;
  struct Image { int w = 0, h = 0; uint32_t color = 0; };
  std::map<int, Image> images;
  Clipboard* clipboard = nullptr;   // for the editors' cut and copy

  std::vector<int> creationOrder;   // controls, for option groups
  std::map<int, std::vector<int>> tabPages;   // tab control -> page windows

  // Test helpers: what the user does with the mouse on the frame.
  void ResizeClient(int window, int w, int h);
  void DragWindowBy(int window, int dx, int dy);
  // What a click does to a control before its event: a check box or toggle
  // flips, an option button is selected and its group's others cleared. A
  // disabled control, or one on a hidden page, takes no click: false.
  bool PressControl(int control);
  void SelectTab(int control, int index);
  // Typing into a text field: the text replaces its selection.
  void TypeInto(int control, const std::string& text);
  // The user switches to another window (-1: another program's). The
  // window losing activation and the one gaining it hear WM_ACTIVATE (6).
  void Activate(int window);
  // Shown on screen: its window and, for a tab page, the page's window shown.
  bool ControlVisible(int control);

  bool MakeWindow(int window, const WindowSpec& form) override;
  bool WindowExists(int window) override { return windows.count(window) > 0; }
  void CloseWindow(int window) override;
  void SetWindowTitle(int window, const std::string& title) override;
  std::string WindowTitle(int window) override;
  void EnableWindow(int window, bool enabled) override;
  bool IsWindowEnabled(int window) override;
  void ShowWindow(int window, bool shown) override;
  bool IsWindowShown(int window) override;
  Rect WindowRect(int window) override;
  int ActiveWindow() override { return windows.count(activeWindow) ? activeWindow : -1; }
  int activeWindow = 0;
  void MoveWindowTo(int window, int x, int y) override;
  void ClientSize(int window, int& w, int& h) override;
  int MenuBarHeight() override { return menuBarHeight; }
  void AcceptDroppedFiles(int window) override;
  void RemoveKeyboardShortcuts(int window) override;
  struct TakenKey {
    int control, key;
    unsigned modifiers;
    bool operator<(const TakenKey& o) const {
      return std::tie(control, key, modifiers) < std::tie(o.control, o.key, o.modifiers);
    }
  };
  std::set<TakenKey> takenKeys;
  void TakeOverKey(int control, int key, unsigned modifiers) override { takenKeys.insert({control, key, modifiers}); }
  // Keys taken while their condition holds: MemoryEvents asks as each key
  // comes, as the real loop does.
  std::map<TakenKey, std::function<bool()>> keysTakenWhile;
  void TakeOverKeyWhile(int control, int key, unsigned modifiers, std::function<bool()> when) override {
    keysTakenWhile[{control, key, modifiers}] = std::move(when);
  }
  void SetWindowHook(std::function<void(int, int)> h) override { hook = std::move(h); }
  void SetSessionEndQuery(std::function<bool()> q) override { sessionEndQuery = std::move(q); }
  // The system's question before logging off; true when no query is set.
  bool QueryEndSession() { return !sessionEndQuery || sessionEndQuery(); }
  std::function<bool()> sessionEndQuery;
  bool CreateImage(int image, int w, int h, uint32_t color) override;

  bool CreateStatusBar(int window, const std::vector<int>& rightEdges) override;
  void SetStatusText(int field, const std::string& text) override;
  std::string StatusText(int field) override;
  void SetMenu(int window, const std::vector<MenuTitle>& menu) override;
  bool CreateToolbar(int window, const std::vector<ToolButton>& buttons) override;

  bool CreateControl(int control, int window, ControlKind kind, const Rect& at,
                     const std::string& text, unsigned dialogKeys = kNoDialogKeys) override;
  void SelectControlText(int control) override;
  bool ControlExists(int control) override { return controls.count(control) > 0; }
  bool CreateTabs(int control, int window, const Rect& at, const std::vector<std::string>& captions,
                  int firstPage) override;
  void EnableControl(int control, bool enabled) override;
  bool IsControlEnabled(int control) override;
  void SetControlImage(int control, int image) override;
  void MoveControl(int control, const Rect& at) override;
  Rect ControlRect(int control) override;
  void SetControlText(int control, const std::string& text) override;
  std::string ControlText(int control) override;
  bool IsChecked(int control) override;
  void SetChecked(int control, bool checked) override;
  void Focus(int control) override { focused = control; }
  int FocusedControl() override { return focused; }
  bool KeyHeld(int virtualKey) override { return heldKeys.count(virtualKey) != 0; }
  std::vector<FontFace> InstalledFaces() override { return faces; }
  EditControl* Editor(int control) override;

  void SetSplitterPanes(int splitter, int left, int right, int barWidth) override;
  void SetSplitterPos(int splitter, int pos) override;
  int SplitterPos(int splitter) override;

  void TreeClear(int control) override;
  TreeItem TreeAdd(int control, TreeItem parent, const std::string& label, long data) override;
  void TreeExpand(int control, TreeItem item) override;
  void TreeSelect(int control, TreeItem item) override;
  TreeItem TreeSelected(int) override { return treeSelected; }
  std::string TreeItemText(int control, TreeItem item) override;
  long TreeItemData(int control, TreeItem item) override;
  std::vector<TreeItem> TreeChildren(int control, TreeItem parent) override;

  void ListSetItems(int control, const std::vector<std::string>& items) override;
  int ListCount(int control) override;
  int ListSelection(int control) override;
  void ListSelect(int control, int index) override;
  std::string ListItem(int control, int index) override;

  // A control's client area starts at its place in its window's client
  // area, which starts inside the frame and below the menu bar.
  void ControlToScreen(int control, int& x, int& y) override;
  Rect WorkArea() override { return workArea; }
  Rect WorkAreaAt(int x, int y) override;
  Rect workArea{0, 0, 1280, 770};   // a screen with a task bar at the bottom
  // Further monitors: their whole area and their work area.
  struct Monitor { Rect area, work; };
  std::vector<Monitor> moreMonitors;

 private:
  void LayOutSplitter(Control& splitter);
  TreeItem nextTreeItem_ = 1;
};
