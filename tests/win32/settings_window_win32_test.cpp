// The settings window on the real tab control, buttons and common dialogs.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>

#include "app/settings_window.h"
#include "win32/dialog_answers.h"
#include "win32/real_app.h"

namespace {

std::string SettingsFilePath() {
  char folder[MAX_PATH];
  GetWindowsDirectoryA(folder, MAX_PATH);
  return std::string(folder) + "\\QVRVSE.ini";
}

int StoredInt(const char* section, const char* key) {
  return static_cast<int>(GetPrivateProfileIntA(section, key, -1, SettingsFilePath().c_str()));
}

std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class RealSettingsWindow : public RealApp {
 protected:
  std::unique_ptr<DialogAnswers> answers;
  bool hadFile = false;
  std::string savedFile;
  // The settings file is the whole prefix's: the tests after this one
  // start from what it held before.
  void SetUp() override {
    hadFile = GetFileAttributesA(SettingsFilePath().c_str()) != INVALID_FILE_ATTRIBUTES;
    savedFile = ReadWhole(SettingsFilePath());
    RealApp::SetUp();
    answers = std::make_unique<DialogAnswers>();
  }
  void TearDown() override {
    answers.reset();
    // The system may hold the file's contents cached until told.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, SettingsFilePath().c_str());
    if (hadFile) std::ofstream(SettingsFilePath(), std::ios::binary | std::ios::trunc) << savedFile;
    else DeleteFileA(SettingsFilePath().c_str());
  }
  // A mouse click on the tab's caption, as the user chooses a page.
  void ChooseTab(int index) {
    HWND tabs = Control(kSettingsTabs);
    RECT r;
    SendMessageA(tabs, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(tabs, WM_LBUTTONUP, 0, at);
    Run();
  }
  // Where a control sits in its parent: its tab page or the window.
  RECT PlaceInParent(int control) {
    RECT r;
    GetWindowRect(Control(control), &r);
    MapWindowPoints(nullptr, GetParent(Control(control)), reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  bool Shown(int control) { return IsWindowVisible(Control(control)) != FALSE; }
};

TEST_F(RealSettingsWindow, OpensFromTheMenuSwitchesPagesAndAppliesToTheSettingsFile) {
  app.state.Methods.bold = 0;
  Menu(18);
  HWND settings = platform.ui.WindowHandle(kSettingsWindow);
  ASSERT_TRUE(settings);
  EXPECT_FALSE(IsWindowEnabled(Main()));
  EXPECT_FALSE(GetWindowLongA(settings, GWL_STYLE) & WS_SYSMENU);   // no close box
  RECT client;
  GetClientRect(settings, &client);
  EXPECT_EQ(client.right, 288);
  EXPECT_EQ(client.bottom, 321);
  RECT r = PlaceInParent(kApplyChangesButton);
  EXPECT_EQ(r.left, 90);
  EXPECT_EQ(r.top, 285);
  r = PlaceInParent(kChooseFontButton);
  EXPECT_EQ(r.left, 168);
  EXPECT_EQ(r.top, 74);
  EXPECT_EQ(r.right - r.left, 80);
  r = PlaceInParent(40);
  EXPECT_EQ(r.left, 176);
  EXPECT_EQ(r.top, 178);

  EXPECT_TRUE(Shown(kChooseFontButton));
  EXPECT_FALSE(Shown(24));
  ChooseTab(2);
  EXPECT_FALSE(Shown(kChooseFontButton));
  EXPECT_TRUE(Shown(24));

  // The colour chooser is modal over the settings window, so closing it
  // leaves the main window disabled; its "OK" gives the start colour back.
  Click(27);
  EXPECT_EQ(answers->lastOwner, settings);
  EXPECT_FALSE(IsWindowEnabled(Main()));
  EXPECT_EQ(app.state.Keywords.red, 1);
  EXPECT_EQ(app.state.Keywords.blue, 0);
  HBITMAP swatch = reinterpret_cast<HBITMAP>(SendMessageA(Control(27), BM_GETIMAGE, IMAGE_BITMAP, 0));
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, swatch);
  EXPECT_EQ(GetPixel(dc, 10, 10), RGB(1, 0, 0));
  SelectObject(dc, old);
  DeleteDC(dc);

  Click(24);   // "B" of the row captioned "Keywords": Methods' bold
  EXPECT_EQ(SendMessageA(Control(24), BM_GETCHECK, 0, 0), BST_CHECKED);
  ChooseTab(3);
  Click(kBlackOnWhiteOption);
  EXPECT_EQ(SendMessageA(Control(kColoredOption), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  DeleteFileA(SettingsFilePath().c_str());
  Click(kApplyChangesButton);
  EXPECT_FALSE(IsWindow(settings));
  EXPECT_TRUE(IsWindowEnabled(Main()));
  EXPECT_EQ(StoredInt("Style", "MethodsB"), 1);
  EXPECT_EQ(StoredInt("Coloration", "KeywordsR"), 1);
  EXPECT_EQ(StoredInt("Printer", "BlackWhite"), 1);
}

// Tab walks the tabs, the page shown and the button; the arrow keys change
// pages and options; Enter applies; Escape leaves the window open.
TEST_F(RealSettingsWindow, TheKeyboardReachesEveryPageAndEnterApplies) {
  app.state.ApplyColors = 1;
  app.state.ApplyFontStyles = 0;
  Menu(18);
  HWND settings = platform.ui.WindowHandle(kSettingsWindow);
  ASSERT_TRUE(settings);
  ASSERT_EQ(platform.ui.FocusedControl(), kSettingsTabs);
  std::vector<int> order;
  for (int i = 0; i < 5; ++i) {
    Press(VK_TAB);
    order.push_back(platform.ui.FocusedControl());
  }
  EXPECT_EQ(order, (std::vector<int>{kChooseFontButton, kProjectField, kProjectButton, kApplyChangesButton,
                                     kSettingsTabs}));
  Press(VK_RIGHT);   // the next page
  EXPECT_TRUE(Shown(kHighlightCheck));
  EXPECT_FALSE(Shown(kChooseFontButton));
  for (int i = 0; i < 4; ++i) Press(VK_TAB);
  Screenshot(settings, "settings-after-tabs");
  ASSERT_EQ(platform.ui.FocusedControl(), kUseColorsOption);
  Press(VK_DOWN);
  EXPECT_EQ(platform.ui.FocusedControl(), kUseStylesOption);
  EXPECT_EQ(SendMessageA(Control(kUseStylesOption), BM_GETCHECK, 0, 0), BST_CHECKED);
  Press(VK_TAB);
  EXPECT_EQ(platform.ui.FocusedControl(), kDotRecognitionCheck);
  const int before = static_cast<int>(SendMessageA(Control(kDotRecognitionCheck), BM_GETCHECK, 0, 0));
  Press(VK_SPACE);
  EXPECT_NE(SendMessageA(Control(kDotRecognitionCheck), BM_GETCHECK, 0, 0), before);
  Press(VK_ESCAPE);
  EXPECT_TRUE(IsWindow(settings));
  EXPECT_EQ(app.state.PanelHidden, 0);
  Press(VK_RETURN);
  EXPECT_FALSE(IsWindow(settings));
  EXPECT_EQ(app.state.ApplyColors, 0);
  EXPECT_EQ(app.state.ApplyFontStyles, 1);
  EXPECT_EQ(app.state.VorodazedEzoze, before == BST_CHECKED ? 0 : 1);
}

}  // namespace
