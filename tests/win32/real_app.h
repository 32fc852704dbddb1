#pragma once
// A started editor on the real platform, with its real main window.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "app/app.h"
#include "platform/win32/win32_platform.h"

class RealApp : public ::testing::Test {
 protected:
  Win32Platform platform;
  App app;

  // Where this program's copies of unsaved text go, apart from the user's.
  static std::string TestDataFolder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "qvrvse test data\\";
  }
  void SetUp() override {
    platform.files.commandLine = "qvr_win32_tests.exe";
    platform.files.userDataFolder = TestDataFolder();
    // A test program that was stopped midway left its copy; the next one
    // must not start with a question nobody answers.
    const std::string copies = TestDataFolder() + "QVR Visual Script Editor\\Recovery\\";
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((copies + "*.qvrrecovery").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do DeleteFileA((copies + found.cFileName).c_str());
      while (FindNextFileA(search, &found));
      FindClose(search);
    }
    app.platform = platform.Bundle();
    ASSERT_TRUE(StartupSequence(app)) << "no main window: system error " << GetLastError();
    Run();
  }
  bool Run() { return RunPendingEvents(app); }
  // A folder of the test's own in the temporary folder, with trailing backslash.
  static std::string ScratchFolder(const std::string& name) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + name + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
  }
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
  // A key pressed and let go where the focus is, handled; with Shift held
  // as the system's key state tells it.
  void Press(int vk, bool shift = false) {
    BYTE keys[256];
    GetKeyboardState(keys);
    BYTE held[256];
    CopyMemory(held, keys, sizeof(held));
    if (shift) held[VK_SHIFT] |= 0x80;
    SetKeyboardState(held);
    HWND focus = GetFocus();
    PostMessageA(focus, WM_KEYDOWN, vk, 0);
    PostMessageA(focus, WM_KEYUP, vk, 0xC0000000);
    Run();
    SetKeyboardState(keys);
  }
  // With QVR_SHOT_DIR set, what the screen shows of a window, as name.bmp
  // there: to look at what a user sees at this point.
  void Screenshot(HWND window, const std::string& name) {
    const char* folder = std::getenv("QVR_SHOT_DIR");
    if (!folder) return;
    UpdateWindow(window);
    RECT r;
    GetWindowRect(window, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    BitBlt(dc, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    const DWORD rowBytes = (static_cast<DWORD>(w) * 3 + 3) & ~3u;
    BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + rowBytes * h),
                          0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    std::ofstream out(std::string(folder) + "\\" + name + ".bmp", std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof(info.bmiHeader));
    out.write(static_cast<const char*>(bits), static_cast<std::streamsize>(rowBytes) * h);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
  }
};
