// Opens a file the way Explorer does on a double click: the file type's
// "open" command from the current user's classes, with the file put in for
// %1, started as one command line. Then waits for the window the command
// should bring up and prints the text of its editing area, so the installer
// check can compare it with the file. Built for the tests only.
//   qvr_open_like_explorer.exe "C:\path\to\my file.script" "Window title"
// Exits 0 once the window showed the text and closed again, 1 otherwise.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr DWORD kPollMs = 50;
constexpr int kRounds = 600;  // 30 s: a cold Wine starts a program slowly

std::string ReadDefault(const std::string& key) {
  char value[1024] = {};
  DWORD size = sizeof value;
  if (RegGetValueA(HKEY_CURRENT_USER, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
    return "";
  return value;
}

struct Search {
  const char* title;
  const char* classPrefix;
  HWND found;
};

BOOL CALLBACK FindTitle(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<Search*>(parameter);
  char title[512] = {};
  GetWindowTextA(window, title, sizeof title);
  if (std::strcmp(title, search->title) != 0 || !IsWindowVisible(window)) return TRUE;
  search->found = window;
  return FALSE;
}

BOOL CALLBACK FindClass(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<Search*>(parameter);
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::strncmp(name, search->classPrefix, std::strlen(search->classPrefix)) != 0) return TRUE;
  search->found = window;
  return FALSE;
}

std::string WindowText(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 1000, &length)) return "";
  std::string text(length + 1, '\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), SMTO_ABORTIFHUNG, 1000,
                      &copied);
  text.resize(copied);
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: qvr_open_like_explorer FILE TITLE\n");
    return 2;
  }
  const std::string file = argv[1];
  const size_t dot = file.rfind('.');
  const std::string progId = dot == std::string::npos ? "" : ReadDefault("Software\\Classes\\" + file.substr(dot));
  std::string command = progId.empty() ? "" : ReadDefault("Software\\Classes\\" + progId + "\\shell\\open\\command");
  const size_t slot = command.find("%1");
  if (slot == std::string::npos) {
    std::printf("no open command with %%1 for %s (type [%s])\n", file.c_str(), progId.c_str());
    return 1;
  }
  command.replace(slot, 2, file);
  std::printf("command: %s\n", command.c_str());
  std::fflush(stdout);

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    std::printf("the command did not start: error %lu\n", GetLastError());
    return 1;
  }
  Search main{argv[2], nullptr, nullptr};
  Search edit{nullptr, "RichEdit", nullptr};
  std::string text;
  for (int round = 0; round < kRounds && text.empty(); ++round) {
    if (WaitForSingleObject(process.hProcess, kPollMs) == WAIT_OBJECT_0) break;
    if (!main.found) EnumWindows(FindTitle, reinterpret_cast<LPARAM>(&main));
    if (main.found && !edit.found) EnumChildWindows(main.found, FindClass, reinterpret_cast<LPARAM>(&edit));
    if (edit.found) text = WindowText(edit.found);
  }
  if (!main.found) std::printf("no window titled \"%s\"\n", argv[2]);
  std::printf("text:\n%s\n", text.c_str());
  if (main.found) PostMessageA(main.found, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 2);
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  if (exitCode != 0) std::printf("the program ended with %lu\n", exitCode);
  return main.found && !text.empty() && exitCode == 0 ? 0 : 1;
}
