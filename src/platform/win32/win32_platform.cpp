#include "platform/win32/win32_platform.h"

static HWND MainWindowHandle() {
  Win32Ui* ui = Win32Ui::Instance();
  return ui ? ui->WindowHandle(0) : nullptr;
}

// Modal over the window the user is working in: a dialog opened from the
// settings window must not re-enable the main window it leaves disabled.
static HWND ActiveOrMainWindow() {
  HWND active = GetActiveWindow();
  return active ? active : MainWindowHandle();
}

static HWND ControlHandle(int control) {
  Win32Ui* ui = Win32Ui::Instance();
  return ui ? ui->ControlHandle(control) : nullptr;
}

Win32Platform::Win32Platform() {
  dialogs.owner = ActiveOrMainWindow;
  printer.owner = MainWindowHandle;
  printer.control = ControlHandle;
}

Platform Win32Platform::Bundle() {
  Platform p;
  p.ui = &ui;
  p.events = &ui;
  p.dialogs = &dialogs;
  p.clipboard = &clipboard;
  p.profile = &profile;
  p.registry = &registry;
  p.files = &files;
  p.processes = &processes;
  p.printer = &printer;
  return p;
}
