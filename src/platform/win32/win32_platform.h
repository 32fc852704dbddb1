#pragma once
// The real platform: every interface realised with the Win32 API.
#include "platform/platform.h"
#include "platform/win32/win32_printer.h"
#include "platform/win32/win32_services.h"
#include "platform/win32/win32_ui.h"

struct Win32Platform {
  Win32Ui ui;
  Win32Dialogs dialogs;
  Win32Clipboard clipboard;
  Win32Profile profile;
  Win32Registry registry;
  Win32FileSystem files;
  Win32ProcessRunner processes;
  Win32Printer printer;

  Win32Platform();
  Platform Bundle();
};
