// Check syntax end to end: the real menu, the shell running the batch file
// and a stand-in compiler of our own, installed in a folder with blanks and
// brackets, fed a project path that cmd.exe would mangle if it could.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>

#include "app/script_files.h"
#include "win32/dialog_answers.h"
#include "win32/real_app.h"

namespace {

constexpr const char* kEngineKey = "Software\\BRAMBLE:WORKS\\Vantreel Tools\\Settings";
std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteWhole(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> FolderNames(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

void RemoveTree(const std::string& folder) {
  for (const std::string& name : FolderNames(folder)) {
    std::string path = folder + name;
    if (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY)
      RemoveTree(path + "\\");
    else
      DeleteFileA(path.c_str());
  }
  RemoveDirectoryA(folder.c_str());
}

class RealSyntaxCheck : public RealApp {
 protected:
  // Letters outside ASCII in every folder the compiler is told of.
  virtual std::string Accent() const { return ""; }
  std::string root, install, project, scripts, work;
  std::string previousFolder, previousInstallPath;
  bool hadInstallPath = false;
  std::unique_ptr<DialogAnswers> answers;

  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    root = std::string(temp) + "qvrvse syntax test\\";
    install = root + "Program Files (x86)\\QVR Engine" + Accent() + "\\";
    std::string projectFolder = root + "50% done & (a^b) %PATH%" + Accent() + "\\";
    project = projectFolder + "game.qpf";
    scripts = root + "my scripts" + Accent() + "\\";
    work = root + "work\\";
    RemoveTree(root);
    for (const std::string& folder : {root, root + "Program Files (x86)\\", install, projectFolder, scripts, work})
      ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string built = self;
    built = built.substr(0, built.rfind('\\') + 1) + "qvr_fake_compiler.exe";
    ASSERT_TRUE(CopyFileA(built.c_str(), (install + "qvr_comp.exe").c_str(), FALSE));
    WriteWhole(project, "");
    SetInstallPath();
    RealApp::SetUp();
    app.state.CurrentQVRProject = project;
    char current[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, current);
    previousFolder = current;
    // The batch file and the log go to the current folder; one of the test's own shows what is left there.
    SetCurrentDirectoryA(work.c_str());
    answers = std::make_unique<DialogAnswers>();
  }

  void TearDown() override {
    answers.reset();
    SetCurrentDirectoryA(previousFolder.c_str());
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kEngineKey, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
      if (hadInstallPath)
        RegSetValueExA(key, "InstallPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(previousInstallPath.c_str()),
                       static_cast<DWORD>(previousInstallPath.size() + 1));
      else
        RegDeleteValueA(key, "InstallPath");
      RegCloseKey(key);
    }
    RemoveTree(root);
  }

  void SetInstallPath() {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kEngineKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    char old[MAX_PATH] = {0};
    DWORD size = sizeof(old) - 1, type = 0;
    hadInstallPath = RegQueryValueExA(key, "InstallPath", nullptr, &type, reinterpret_cast<BYTE*>(old), &size) ==
                     ERROR_SUCCESS;
    previousInstallPath = old;
    RegSetValueExA(key, "InstallPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(install.c_str()),
                   static_cast<DWORD>(install.size() + 1));
    RegCloseKey(key);
  }

  void CheckFromTheMenu(const std::string& reply) {
    WriteWhole(install + "reply.txt", reply);
    PostMessageA(Main(), WM_COMMAND, 17, 0);
    Run();
  }
  std::string Title() {
    char title[512];
    GetWindowTextA(Main(), title, sizeof(title));
    return title;
  }
};

TEST_F(RealSyntaxCheck, TheCompilerGetsEveryPathWholeAndEveryLineIsShown) {
  ASSERT_EQ(app.state.CompilerPath, install + "qvr_comp.exe");
  WriteWhole(scripts + "a.script", "Scene.Start\r\n");
  LoadScript(app, scripts + "a.script");
  for (char c : std::string("Bad "))
    PostMessageA(Control(2), WM_CHAR, static_cast<unsigned char>(c), 0);
  Run();
  ASSERT_EQ(app.state.Changed, 1);
  const std::string text = app.edit->GetText(), title = Title();

  CheckFromTheMenu("line 1: unknown word 'Bad'\r\nline 2: missing End\r\n");
  EXPECT_EQ(ReadWhole(install + "received.txt"),
            "-project\n" + project + "\n-script\n" + scripts + "SyntaxCheck.script\n");
  EXPECT_EQ(ReadWhole(install + "seen.script"), text);
  EXPECT_EQ(answers->seen,
            (std::vector<std::string>{"Error:|line 1: unknown word 'Bad'", "Error:|line 2: missing End"}));
  EXPECT_EQ(FolderNames(scripts), (std::vector<std::string>{"a.script"}));
  EXPECT_TRUE(FolderNames(work).empty());
  EXPECT_EQ(app.edit->GetText(), text);
  EXPECT_EQ(app.state.Changed, 1);
  EXPECT_EQ(app.state.FileName, "a.script");
  EXPECT_EQ(Title(), title);

  // A clean run; a file of the user's under the scratch name is left alone.
  WriteWhole(scripts + "SyntaxCheck.script", "mine");
  answers->seen.clear();
  CheckFromTheMenu("");
  EXPECT_EQ(ReadWhole(install + "received.txt"),
            "-project\n" + project + "\n-script\n" + scripts + "SyntaxCheck1.script\n");
  EXPECT_EQ(answers->seen, (std::vector<std::string>{"Syntax check:|No errors found."}));
  EXPECT_EQ(ReadWhole(scripts + "SyntaxCheck.script"), "mine");
  EXPECT_EQ(FolderNames(scripts).size(), 2u);
  EXPECT_TRUE(FolderNames(work).empty());
}

// No engine where the settings say: the user is told where the compiler was
// looked for, and nothing is written or run.
TEST_F(RealSyntaxCheck, AMissingCompilerIsReportedNotTakenForACleanScript) {
  DeleteFileA((install + "qvr_comp.exe").c_str());
  WriteWhole(scripts + "a.script", "Bad\r\n");
  LoadScript(app, scripts + "a.script");
  CheckFromTheMenu("");
  ASSERT_EQ(answers->seen.size(), 1u);
  EXPECT_EQ(answers->seen[0].rfind("Error:|", 0), 0u) << answers->seen[0];
  EXPECT_NE(answers->seen[0].find(install + "qvr_comp.exe"), std::string::npos) << answers->seen[0];
  EXPECT_EQ(FolderNames(scripts), (std::vector<std::string>{"a.script"}));
  EXPECT_TRUE(FolderNames(work).empty());
}

// With no install path the compiler is run from where the command window
// finds it: here, a folder of PATH.
TEST_F(RealSyntaxCheck, WithoutAnInstallPathTheCompilerOnTheSearchPathIsRun) {
  std::string path(32767, '\0');
  path.resize(GetEnvironmentVariableA("PATH", &path[0], static_cast<DWORD>(path.size())));
  SetEnvironmentVariableA("PATH", (path + ";" + install).c_str());
  app.state.InstallPath = "";
  app.state.CompilerPath = "qvr_comp.exe";
  WriteWhole(scripts + "a.script", "Bad\r\n");
  LoadScript(app, scripts + "a.script");
  CheckFromTheMenu("line 1: unknown word 'Bad'\r\n");
  SetEnvironmentVariableA("PATH", path.c_str());
  EXPECT_EQ(answers->seen, (std::vector<std::string>{"Error:|line 1: unknown word 'Bad'"}));
}

// The batch file is read in the console's code page, not the program's.
class RealSyntaxCheckAccented : public RealSyntaxCheck {
 protected:
  std::string Accent() const override { return " Jos\xE9 M\xFCller"; }
};

TEST_F(RealSyntaxCheckAccented, TheCompilerGetsThePathsTheUserChose) {
  WriteWhole(scripts + "a.script", "Scene.Start\r\n");
  LoadScript(app, scripts + "a.script");
  CheckFromTheMenu("");
  EXPECT_EQ(answers->seen, (std::vector<std::string>{"Syntax check:|No errors found."}));
  EXPECT_EQ(ReadWhole(install + "received.txt"),
            "-project\n" + project + "\n-script\n" + scripts + "SyntaxCheck.script\n");
  EXPECT_EQ(ReadWhole(install + "seen.script"), "Scene.Start\r\n");
  EXPECT_TRUE(FolderNames(work).empty());
}

}  // namespace
