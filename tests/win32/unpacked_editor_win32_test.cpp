// The editor as a user gets it: unpacked from the package into a folder of
// its own and started from another folder, it must still find every data
// file beside itself. The test command unpacks the package and names the
// program in QVR_UNPACKED_EDITOR; without it there is nothing to check.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "win32/real_app.h"

namespace {

constexpr DWORD kPollMs = 50;
constexpr int kStartRounds = 600;  // 30 s for Wine's first start of a program

struct WindowSearch {
  DWORD process;
  const char* className;
  HWND found;
};

bool HasClass(HWND window, const char* className) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return std::strcmp(name, className) == 0;
}

BOOL CALLBACK FindMainWindow(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<WindowSearch*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->process || !HasClass(window, search->className) || !IsWindowVisible(window)) return TRUE;
  search->found = window;
  return FALSE;
}

BOOL CALLBACK FindChild(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<WindowSearch*>(parameter);
  if (!HasClass(window, search->className)) return TRUE;
  search->found = window;
  return FALSE;
}

LRESULT TreeCount(HWND tree) {
  DWORD_PTR count = 0;
  if (!SendMessageTimeoutA(tree, TVM_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 1000, &count)) return -1;
  return static_cast<LRESULT>(count);
}

class UnpackedEditor : public RealApp {};

TEST_F(UnpackedEditor, StartedFromAnotherFolderFillsItsTreeFromTheDataBesideIt) {
  const char* program = std::getenv("QVR_UNPACKED_EDITOR");
  if (!program || !*program) GTEST_SKIP() << "QVR_UNPACKED_EDITOR names no unpacked editor";
  // This program reads the same data from the build folder: the unpacked
  // editor must show every item this one does, not merely some.
  const LRESULT expected = TreeCount(Control(kCommandTree));
  ASSERT_GT(expected, 100);

  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string elsewhere = std::string(temp) + "qvr-started-elsewhere";
  CreateDirectoryA(elsewhere.c_str(), nullptr);
  std::string commandLine = "\"" + std::string(program) + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessA(program, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, elsewhere.c_str(),
                             &startup, &process))
      << program;

  WindowSearch main{process.dwProcessId, "QvrWindow", nullptr};
  WindowSearch tree{0, WC_TREEVIEWA, nullptr};
  LRESULT count = -1;
  for (int round = 0; round < kStartRounds && count != expected; ++round) {
    if (WaitForSingleObject(process.hProcess, kPollMs) == WAIT_OBJECT_0) break;
    if (!main.found) EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&main));
    if (main.found && !tree.found) EnumChildWindows(main.found, FindChild, reinterpret_cast<LPARAM>(&tree));
    if (tree.found) count = TreeCount(tree.found);
  }
  EXPECT_TRUE(main.found) << "no main window";
  EXPECT_EQ(count, expected);

  DWORD exitCode = 1;
  if (main.found) PostMessageA(main.found, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 2);
  GetExitCodeProcess(process.hProcess, &exitCode);
  EXPECT_EQ(exitCode, 0u);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  RemoveDirectoryA(elsewhere.c_str());
}

}  // namespace
