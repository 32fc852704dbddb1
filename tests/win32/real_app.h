#pragma once
// A started editor on the real platform, with its real main window.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/app.h"
#include "platform/win32/win32_platform.h"

class RealApp : public ::testing::Test {
 protected:
  Win32Platform platform;
  App app;

  void SetUp() override {
    platform.files.commandLine = "qvr_win32_tests.exe";
    app.platform = platform.Bundle();
    ASSERT_TRUE(StartupSequence(app));
    Run();
  }
  bool Run() { return RunPendingEvents(app); }
  HWND Main() { return platform.ui.WindowHandle(0); }
  HWND Control(int n) { return platform.ui.ControlHandle(n); }
  // A menu command or a button press, as the user gives it, then handled.
  void Menu(int item) {
    PostMessageA(Main(), WM_COMMAND, item, 0);
    Run();
  }
  void Click(int control) {
    SendMessageA(Control(control), BM_CLICK, 0, 0);
    Run();
  }
};
