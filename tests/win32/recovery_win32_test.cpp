// Unsaved work in the real program: a copy kept while the loop is idle, an
// editor killed with unsaved text and its text restored, and a script
// another program wrote while it was open.
#include <windows.h>

#include <gtest/gtest.h>

#include <deque>
#include <fstream>
#include <memory>
#include <sstream>

#include "app/file_save.h"
#include "app/recovery.h"
#include "app/recovery_copy.h"
#include "app/script_files.h"
#include "win32/dialog_answers.h"
#include "win32/real_app.h"

namespace {

constexpr DWORD kPollMs = 50;
constexpr int kPollRounds = 600;   // 30 s: Wine's first start of a program is slow

std::deque<int> g_answers;   // the buttons pressed, box by box

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// Waits for messages, not for a guessed time: each round ends as soon as
// something arrives.
void PumpFor(App& app, DWORD ms) {
  MsgWaitForMultipleObjects(0, nullptr, FALSE, ms, QS_ALLINPUT);
  RunPendingEvents(app);
}

class RealRecovery : public RealApp {
 protected:
  std::string folder;
  std::unique_ptr<DialogAnswers> answers;

  void SetUp() override {
    RealApp::SetUp();
    folder = ScratchFolder("qvrvse recovery test");
    g_answers.clear();
    answers = std::make_unique<DialogAnswers>(AnswersFrom(g_answers));
  }
  void TearDown() override {
    answers.reset();
    RemoveRecoveryCopy(app);
    DeleteFileA((folder + "a.script").c_str());
    RemoveDirectoryA(folder.c_str());
  }
  void Write(const std::string& name, const std::string& bytes) {
    std::ofstream(folder + name, std::ios::binary) << bytes;
  }
  void TypeIntoEditor(HWND edit, const std::string& text) {
    // The control starts a new line on the key, not on its character.
    for (char c : text) {
      if (c == '\r') PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
      PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 0);
    }
  }
};

TEST_F(RealRecovery, TheIdleLoopWritesTheCopyAndAReturnToTheWindowOffersAnOutsideChange) {
  Write("a.script", "one");
  LoadScript(app, folder + "a.script");
  Run();
  TypeIntoEditor(Control(kEditingArea), "xy");
  Run();
  ASSERT_EQ(app.state.Changed, 1);
  for (int round = 0; round < kPollRounds && app.state.recoveryWritten != 1; ++round) PumpFor(app, kPollMs);
  ASSERT_EQ(app.state.recoveryWritten, 1);
  RecoveryCopy copy;
  ASSERT_EQ(ParseRecoveryCopy(ReadAll(app.state.recoveryFile), copy), RecoveryRead::Ok);
  EXPECT_EQ(copy.text, "xyone");
  EXPECT_EQ(copy.folder + copy.name, folder + "a.script");

  // Another program writes the file; the user comes back to the editor.
  Write("a.script", "changed elsewhere");
  HWND other = CreateWindowExA(0, "STATIC", "other program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  SetActiveWindow(other);
  Run();
  g_answers = {IDYES};
  SetActiveWindow(Main());
  for (int round = 0; round < kPollRounds && answers->seen.empty(); ++round) PumpFor(app, kPollMs);
  DestroyWindow(other);
  Run();
  ASSERT_EQ(answers->seen.size(), 1u);
  EXPECT_EQ(answers->seen[0].rfind("Question:|The file 'a.script' was changed by another program. Reload it and lose", 0),
            0u)
      << answers->seen[0];
  EXPECT_EQ(app.edit->GetText(), "changed elsewhere");
  EXPECT_EQ(app.state.Changed, 0);
  EXPECT_EQ(GetFileAttributesA(app.state.recoveryFile.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(RealRecovery, ALongTextIsCopiedInPiecesAndAnAbandonedCopyLeavesTheLastOneWhole) {
  std::string text;
  while (text.size() < 3 * kRecoveryPieceChars) text += "    Game.Say(\"" + std::string(80, 'w') + "\")\r\n";
  Write("a.script", text + "End");
  LoadScript(app, folder + "a.script");
  Run();
  TypeIntoEditor(Control(kEditingArea), "x");
  Run();
  auto copyDone = [this] { return app.state.recoveryWritten == 1 && app.state.recoveryWriteAt < 0; };
  for (int round = 0; round < kPollRounds && !copyDone(); ++round) PumpFor(app, kPollMs);
  ASSERT_TRUE(copyDone());
  RecoveryCopy copy;
  ASSERT_EQ(ParseRecoveryCopy(ReadAll(app.state.recoveryFile), copy), RecoveryRead::Ok);
  EXPECT_TRUE(copy.text == app.edit->GetText()) << copy.text.size() << " bytes of " << app.edit->GetText().size();

  // The editor ends midway through a copy: the one before stays as it was
  // and nothing is left beside it.
  const std::string before = ReadAll(app.state.recoveryFile);
  Win32FileSystem files;
  PiecewiseFile pieces;
  ASSERT_TRUE(StartPieces(files, pieces, app.state.recoveryFile));
  ASSERT_TRUE(WritePiece(files, pieces, "half a copy"));
  EXPECT_TRUE(ReadAll(app.state.recoveryFile) == before);
  AbandonPieces(files, pieces);
  EXPECT_TRUE(ReadAll(app.state.recoveryFile) == before);
  EXPECT_EQ(GetFileAttributesA(FreshNameBeside(app.state.recoveryFile).c_str()), INVALID_FILE_ATTRIBUTES);
}

struct WindowSearch {
  DWORD process;
  const char* className;
  HWND found;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<WindowSearch*>(parameter);
  DWORD owner = 0;
  char name[64] = {};
  GetWindowThreadProcessId(window, &owner);
  GetClassNameA(window, name, sizeof name);
  if (owner != search->process || std::string(name) != search->className || !IsWindowVisible(window)) return TRUE;
  search->found = window;
  return FALSE;
}

BOOL CALLBACK FindChild(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<WindowSearch*>(parameter);
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::string(name) != search->className) return TRUE;
  search->found = window;
  return FALSE;
}

// The copies the real program keeps, in the user's own folder.
std::string UserRecoveryFolder() {
  Win32FileSystem files;
  return files.UserDataFolder() + "QVR Visual Script Editor\\Recovery\\";
}

TEST_F(RealRecovery, AKilledEditorsTextComesBackWholeAndChanged) {
  char self[MAX_PATH] = {0};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string program = self;
  program = program.substr(0, program.rfind('\\') + 1) + "qvrvse.exe";
  std::string commandLine = "\"" + program + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &process))
      << program;
  WindowSearch main{process.dwProcessId, "QvrWindow", nullptr};
  WindowSearch edit{0, "RichEdit20A", nullptr};
  for (int round = 0; round < kPollRounds && !edit.found; ++round) {
    if (WaitForSingleObject(process.hProcess, kPollMs) == WAIT_OBJECT_0) break;
    if (!main.found) EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&main));
    if (main.found) EnumChildWindows(main.found, FindChild, reinterpret_cast<LPARAM>(&edit));
  }
  ASSERT_TRUE(edit.found) << "no editing area";
  const std::string typed = "Sub Main\r    Game.Say(\"kept\") ' after a kill";
  TypeIntoEditor(edit.found, typed);

  // The copy appears once the editor's loop has been idle for a while.
  const std::string copies = UserRecoveryFolder();
  const std::string prefix = std::to_string(process.dwProcessId) + "-";
  std::string copyPath, bytes;
  RecoveryCopy copy;
  for (int round = 0; round < kPollRounds && copy.text.size() < typed.size() + 1; ++round) {
    WaitForSingleObject(process.hProcess, kPollMs);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((copies + prefix + "*.qvrrecovery").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) continue;
    copyPath = copies + found.cFileName;
    FindClose(search);
    bytes = ReadAll(copyPath);
    ParseRecoveryCopy(bytes, copy);
  }
  TerminateProcess(process.hProcess, 9);
  WaitForSingleObject(process.hProcess, 20000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  ASSERT_FALSE(copyPath.empty()) << "no copy in " << copies;
  std::string expected = typed;
  expected.replace(expected.find('\r'), 1, "\r\n");
  EXPECT_EQ(copy.text, expected);
  EXPECT_EQ(copy.name, "Unnamed.script");

  // The next start: this editor looks where the killed one wrote.
  app.state.recoveryFolder = copies;
  g_answers = {IDYES};
  EXPECT_TRUE(OfferRecoveredText(app));
  Run();
  ASSERT_EQ(answers->seen.size(), 1u);
  EXPECT_EQ(answers->seen[0].rfind("Question:|The editor ended without saving the changes to 'Unnamed.script'.", 0), 0u)
      << answers->seen[0];
  EXPECT_EQ(app.edit->GetText(), expected);
  EXPECT_EQ(app.state.Changed, 1);
  EXPECT_EQ(GetFileAttributesA(copyPath.c_str()), INVALID_FILE_ATTRIBUTES);
  RemoveRecoveryCopy(app);
  DeleteFileA(copyPath.c_str());
}

}  // namespace
