#include <windows.h>

#include "app/app.h"
#include "platform/win32/win32_platform.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Win32Platform platform;
  App app;
  app.platform = platform.Bundle();
  return Startup(app);
}
