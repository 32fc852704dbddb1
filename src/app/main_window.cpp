#include "app/main_window.h"

#include <algorithm>

#include "app/commands.h"
#include "catalogue/member_popup.h"
#include "editor/editor_ops.h"

static constexpr int kWmMove = 3;
static constexpr int kWmSize = 5;
static constexpr int kWmActivate = 6;

namespace {

// Menu layout: item numbers by title; 0 is a separator line.
struct MenuLayout {
  const char* title;
  std::vector<int> items;
};

const std::vector<MenuLayout> kMenuLayout = {
    {"File", {1, 0, 2, 3, 0, 4, 5, 0, 6, 0, 7}},
    {"Edit", {8, 9, 0, 10, 11, 12, 13, 0, 14, 0, 15, 16}},
    {"Extra", {17, 0, 18}},
    {"Help", {20}},
};

// Toolbar layout: button number and its standard image; 0 is a separator.
struct ButtonLayout {
  int number;
  int standardImage;
};

const std::vector<ButtonLayout> kToolbarLayout = {
    {22, 6}, {23, 7}, {24, 8}, {0, 0}, {26, 3}, {27, 4}, {0, 0}, {28, 0}, {29, 1},
    {30, 2}, {0, 0}, {31, 14}, {0, 0}, {32, 12}, {33, 13}, {0, 0}, {34, 10},
};

struct ControlLayout {
  int number;
  ControlKind kind;
  Rect at;
  const char* text;
};

// Creation order and positions in the client area.
const std::vector<ControlLayout> kControls = {
    {kCommandTree, ControlKind::Tree, {650, 30, 150, 515}, ""},
    {kEditingArea, ControlKind::RichEdit, {5, 30, 640, 515}, ""},
    {kSplitter, ControlKind::Splitter, {5, 30, 795, 515}, ""},
    {kDescriptionLine, ControlKind::Static, {10, 546, 630, 15}, ""},
    {kFullParametersBox, ControlKind::CheckBox, {660, 548, 140, 10}, "Insert full parameters"},
};

}  // namespace

const std::vector<MenuTitle>& MainMenu() {
  static const std::vector<MenuTitle> menu = [] {
    std::vector<MenuTitle> out;
    for (const MenuLayout& layout : kMenuLayout) {
      MenuTitle title{layout.title, {}};
      for (int number : layout.items) {
        const Command* c = FindCommand(number);
        if (!c) title.items.push_back({0, "", true});
        else title.items.push_back({number, c->caption, c->run != nullptr});
      }
      out.push_back(title);
    }
    return out;
  }();
  return menu;
}

const std::vector<ToolButton>& MainToolbar() {
  static const std::vector<ToolButton> toolbar = [] {
    std::vector<ToolButton> out;
    for (const ButtonLayout& b : kToolbarLayout) {
      const Command* c = FindCommand(b.number);
      if (!c) out.push_back({0, 0, "", true});
      else out.push_back({b.number, b.standardImage, c->caption, c->run != nullptr});
    }
    return out;
  }();
  return toolbar;
}

bool CreateMainWindow(App& app) {
  Ui& ui = *app.platform.ui;
  WindowSpec form;
  form.kind = WindowKind::Main;
  form.title = app.state.TitleBase + " - " + app.state.FileName;
  form.x = kMainX;
  form.y = kMainY;
  form.clientW = kMainClientW;
  form.clientH = kMainClientH;
  if (!ui.MakeWindow(kMainWindow, form)) return false;

  ui.CreateStatusBar(kMainWindow, {500, 800});
  for (const ControlLayout& c : kControls) ui.CreateControl(c.number, kMainWindow, c.kind, c.at, c.text);
  ui.SetSplitterPanes(kSplitter, kEditingArea, kCommandTree, kSplitterBar);
  ui.SetSplitterPos(kSplitter, kDefaultSplitterPos);
  app.state.SplitterPos = kDefaultSplitterPos;
  app.state.TreeWidth = std::max(0, ui.ControlRect(kSplitter).w - kSplitterBar - kDefaultSplitterPos);
  ui.SetMenu(kMainWindow, MainMenu());
  ui.CreateToolbar(kMainWindow, MainToolbar());

  app.edit = ui.Editor(kEditingArea);
  if (app.edit) {
    app.edit->SetTextLimit(kEditorTextLimit);
    app.edit->SetUndoLimit(kEditorUndoLimit);
  }
  return app.edit != nullptr;
}

void LayoutMainWindow(App& app) {
  Ui& ui = *app.platform.ui;
  int w = 0, h = 0;
  ui.ClientSize(kMainWindow, w, h);
  h += ui.MenuBarHeight();
  ui.MoveControl(kSplitter, {5, 30, w - 5, h - 85});
  ui.MoveControl(kDescriptionLine, {10, h - 54, w - 170, 15});
  ui.MoveControl(kFullParametersBox, {w - 140, h - 52, 140, 10});
  // Minimised, the window has no room to share; the tree's width is kept
  // for the restore.
  if (w > 0) PlaceSplitter(app);
}

int EditorShare(int splitterWidth, int treeWidth) {
  const int room = std::max(0, splitterWidth - kSplitterBar);
  return std::min(room, std::max(room - treeWidth, kMinEditorWidth));
}

void PlaceSplitter(App& app) {
  Ui& ui = *app.platform.ui;
  const int width = ui.ControlRect(kSplitter).w;
  // Hidden, the bar stays past the right edge, whatever the window's size.
  ui.SetSplitterPos(kSplitter, app.state.PanelHidden == 1 ? width : EditorShare(width, app.state.TreeWidth));
}

void WindowHook(App& app, int window, int message) {
  Ui& ui = *app.platform.ui;
  // A switch from another program may bring the loop no message of its own
  // to wake it: the timer does, and the post-event step then looks.
  if (message == kWmActivate && window == kMainWindow) {
    app.state.activationSeen = 1;
    app.platform.events->StartTimer(0);
  }
  if (message == kWmActivate && (window == kMainWindow || window == kPopupWindow) && app.state.PopupShown == 1) {
    // The popup belongs to the editing area: once the user has gone to
    // another window or program it is only in the way. Holding Ctrl puts
    // the focus in its list, which activates the popup itself.
    const int active = ui.ActiveWindow();
    if (active != kMainWindow && active != kPopupWindow) HidePopup(app);
  } else if (message == kWmSize) {
    LayoutMainWindow(app);
  } else if (message == kWmMove && ui.WindowExists(kPopupWindow)) {
    Rect main = ui.WindowRect(kMainWindow);
    Rect popup = ui.WindowRect(kPopupWindow);
    int x = main.x + app.state.PopupOffsetX, y = main.y + app.state.PopupOffsetY;
    // The popup's own move arrives here too; only a change needs a move.
    if (popup.x != x || popup.y != y) ui.MoveWindowTo(kPopupWindow, x, y);
  }
}
