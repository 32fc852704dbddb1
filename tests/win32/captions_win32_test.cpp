// What a user reads in the Settings, Find and Replace windows: every caption
// whole in its control, and every control clear of its page's edges.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "app/settings_window.h"
#include "win32/real_app.h"

namespace {

std::string ClassOf(HWND hwnd) {
  char name[64] = {0};
  GetClassNameA(hwnd, name, sizeof(name));
  return name;
}

// Why a caption does not show whole, or "" when it does: the room its text
// needs in the control's own font, against the room the control leaves it.
std::string CutCaption(HWND control) {
  const std::string cls = ClassOf(control);
  if (cls != "Static" && cls != "Button") return "";
  char text[256] = {0};
  GetWindowTextA(control, text, sizeof(text));
  if (!*text) return "";
  const LONG style = GetWindowLongA(control, GWL_STYLE);
  RECT box;
  GetClientRect(control, &box);
  int room = box.right;
  const int type = style & BS_TYPEMASK;
  if (cls == "Button") {
    if (type == BS_GROUPBOX) room -= 16;
    else if (type == BS_AUTOCHECKBOX || type == BS_AUTORADIOBUTTON || type == BS_CHECKBOX)
      room -= (style & BS_PUSHLIKE) ? 4 : GetSystemMetrics(SM_CXMENUCHECK) + 4;
    else room -= 6;
  }
  const bool wraps = (cls == "Static" && (style & SS_TYPEMASK) == SS_LEFT) ||
                     (cls == "Button" && (style & BS_MULTILINE));
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
  RECT need{0, 0, room, 0};
  DrawTextA(dc, text, -1, &need, DT_CALCRECT | DT_NOPREFIX | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  if (need.right > room || need.bottom > box.bottom)
    return "\"" + std::string(text) + "\" needs " + std::to_string(need.right) + "x" + std::to_string(need.bottom) +
           ", has " + std::to_string(room) + "x" + std::to_string(box.bottom);
  return "";
}

struct Checked {
  std::vector<std::string> faults;
  HWND top;
};

BOOL CALLBACK CheckChild(HWND child, LPARAM data) {
  Checked& checked = *reinterpret_cast<Checked*>(data);
  std::string cut = CutCaption(child);
  if (!cut.empty()) checked.faults.push_back(cut);
  // A control on a tab page keeps the margin the page has on its left; only
  // the frames reach further, as they are placed.
  HWND parent = GetParent(child);
  const bool frame = (GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX && ClassOf(child) == "Button";
  if (parent != checked.top && ClassOf(parent) == "QvrWindow" && !frame) {
    RECT page, at;
    GetClientRect(parent, &page);
    GetWindowRect(child, &at);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&at), 2);
    if (at.right > page.right - 8) checked.faults.push_back("control at " + std::to_string(at.left) + "," +
                                                            std::to_string(at.top) + " touches its page's edge");
  }
  return TRUE;
}

class RealCaptions : public RealApp {
 protected:
  std::vector<std::string> Faults(HWND window) {
    Checked checked{{}, window};
    EnumChildWindows(window, CheckChild, reinterpret_cast<LPARAM>(&checked));
    return checked.faults;
  }
};

}  // namespace

TEST_F(RealCaptions, SettingsFindAndReplaceShowEveryCaptionWhole) {
  // The settings window with its longest face name: a missing face and the
  // one standing in for it.
  const std::string chosen = app.state.EditorFontName;
  app.state.EditorFontName = "Lucida Sans Typewriter";
  ChooseShownFace(app);
  Menu(18);
  HWND settings = platform.ui.WindowHandle(kSettingsWindow);
  ASSERT_TRUE(settings);
  EXPECT_EQ(Faults(settings), std::vector<std::string>());
  for (int tab = 0; tab < 4; ++tab) {
    TabCtrl_SetCurSel(Control(kSettingsTabs), tab);
    NMHDR change{Control(kSettingsTabs), static_cast<UINT_PTR>(kChildIdBase + kSettingsTabs), static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(settings, WM_NOTIFY, change.idFrom, reinterpret_cast<LPARAM>(&change));
    Run();
    Screenshot(settings, "captions-settings-" + std::to_string(tab));
  }
  app.state.EditorFontName = chosen;   // the settings file stays as the other tests expect it
  Click(kApplyChangesButton);

  for (int item : {15, 16}) {   // Find, Replace
    Menu(item);
    HWND window = platform.ui.WindowHandle(item == 15 ? kFindWindow : kReplaceWindow);
    ASSERT_TRUE(window) << item;
    Screenshot(window, item == 15 ? "captions-find" : "captions-replace");
    EXPECT_EQ(Faults(window), std::vector<std::string>()) << item;
    SendMessageA(window, WM_CLOSE, 0, 0);
    Run();
  }
}
