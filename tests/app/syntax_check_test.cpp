#include "app/syntax_check.h"

#include "support/app_fixture.h"

namespace {

using namespace std::string_literals;

constexpr int kCheckSyntax = 17;

class SyntaxCheck : public AppFixture {
 protected:
  // The engine's compiler, where it is looked for with and without an install path.
  void Prepare() override {
    mem.files.files["qvr_comp.exe"] = "MZ";
    mem.files.files["C:\\qvr\\qvr_comp.exe"] = "MZ";
  }
  void Check() {
    mem.events.Command(kCheckSyntax);
    Run();
  }
  // Every message shown, as "title|text".
  std::vector<std::string> Messages() {
    std::vector<std::string> seen;
    for (const auto& shown : mem.dialogs.shown) seen.push_back(shown.title + "|" + shown.text);
    mem.dialogs.shown.clear();
    return seen;
  }
  using Files = std::map<std::string, std::string>;
};

TEST_F(SyntaxCheck, BatchLineQuotesEveryPathAndDoublesEveryPercent) {
  // Nothing installed, no project, a new document: every part still in its place.
  EXPECT_EQ(CompileBatchLine("qvr_comp.exe", "", "SyntaxCheck.script", "qvr_output.log"),
            "\"qvr_comp.exe\" -project \"\" -script \"SyntaxCheck.script\" >>\"qvr_output.log\"");
  // cmd.exe would split at the blanks, run "b" after '&' and put the value
  // of PATH in place of %PATH%; quoted and doubled, the compiler gets the
  // paths as they are.
  EXPECT_EQ(CompileBatchLine("C:\\Program Files\\QVR\\qvr_comp.exe", "D:\\a & b\\100% (x^y) %PATH%.qpf",
                             "E:\\my scripts\\SyntaxCheck1.script", "qvr_output%.log"),
            "\"C:\\Program Files\\QVR\\qvr_comp.exe\" -project \"D:\\a & b\\100%% (x^y) %%PATH%%.qpf\" "
            "-script \"E:\\my scripts\\SyntaxCheck1.script\" >>\"qvr_output%%.log\"");
}

TEST_F(SyntaxCheck, EveryLogLineIsShownAndTheDocumentIsLeftAsItWas) {
  // A new document: everything goes to the current folder.
  SetText("Scene.Start\r\nbad line");
  app.state.Changed = 1;
  const std::string title = mem.ui.WindowTitle(0);
  const Files before = mem.files.files;
  // One check after another in the same editor: each reads only its own run.
  mem.processes.outputs = {"a\r\nb\r\nc\r\n", "a\r\n\r\n", "", "a\rb\0c"s};
  for (int i = 0; i < 4; ++i) Check();
  EXPECT_EQ(Messages(), (std::vector<std::string>{
                            "Error:|a", "Error:|b", "Error:|c",                      // no "No errors"
                            "Error:|a", "Error:|", "Syntax check:|No errors found.",  // last line empty
                            "Syntax check:|No errors found.",                         // empty log
                            "Error:|a", "Error:|b", "Error:|c"}));
  const auto& run = mem.processes.started.at(0);
  EXPECT_EQ(run.file, "Compile.bat");
  EXPECT_EQ(run.folder, "");
  EXPECT_EQ(run.files.at("SyntaxCheck.script"), "Scene.Start\r\nbad line");
  EXPECT_EQ(run.files.at("Compile.bat"),
            "\"qvr_comp.exe\" -project \"\" -script \"SyntaxCheck.script\" >>\"qvr_output.log\"");
  EXPECT_EQ(mem.files.files, before);
  EXPECT_EQ(Text(), "Scene.Start\r\nbad line");
  EXPECT_EQ(app.state.Changed, 1);
  EXPECT_EQ(app.state.FileName, "Unnamed.script");
  EXPECT_EQ(app.state.FileDir, "");
  EXPECT_EQ(mem.ui.WindowTitle(0), title);

  // Beside a named file, with the engine and a project known.
  app.state.FileDir = "C:\\s\\";
  app.state.CompilerPath = "C:\\qvr\\qvr_comp.exe";
  app.state.CurrentQVRProject = "C:\\p\\game.qpf";
  Check();
  EXPECT_EQ(mem.processes.started.back().files.at("Compile.bat"),
            "\"C:\\qvr\\qvr_comp.exe\" -project \"C:\\p\\game.qpf\" -script \"C:\\s\\SyntaxCheck.script\" "
            ">>\"qvr_output.log\"");
  EXPECT_EQ(Messages(), (std::vector<std::string>{"Syntax check:|No errors found."}));

  // A batch file that never ran is no clean script: it is said, and nothing is left.
  mem.processes.startFails = true;
  Check();
  EXPECT_EQ(Messages(), (std::vector<std::string>{"Error:|The syntax check could not start 'Compile.bat'."}));
  EXPECT_EQ(mem.files.files, before);
}

// Whatever keeps the compiler from judging the script is said as an error,
// before anything is written or run; "No errors found." only comes from it.
TEST_F(SyntaxCheck, NoCompilerOrAPathItCannotGetWhole) {
  SetText("x");
  const Files before = mem.files.files;
  mem.files.files.erase("qvr_comp.exe");
  Check();
  std::vector<std::string> shown = Messages();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], "Error:|The engine's tools were not found: there is no compiler at 'qvr_comp.exe', in the "
                      "current folder or in a folder of the search path (PATH). No engine installation is "
                      "registered on this computer.");
  app.state.CompilerPath = "C:\\qvr\\qvr_comp.exe";
  for (const char* project : {"my.proj\" & echo INJECTED>C:\\inj.txt & rem \"", "a\r\necho x", "C:\\\xE9t\xE9.qpf"}) {
    app.state.CurrentQVRProject = project;
    mem.processes.unspellable = "\xE9";
    Check();
    shown = Messages();
    ASSERT_EQ(shown.size(), 1u) << project;
    EXPECT_EQ(shown[0].rfind("Error:|The path '", 0), 0u) << shown[0];
  }
  EXPECT_TRUE(mem.processes.started.empty());
  mem.files.files["qvr_comp.exe"] = "MZ";
  EXPECT_EQ(mem.files.files, before);
}

// A compiler named without a folder is found by the command interpreter in
// the current folder or along PATH, so the check runs wherever it would.
TEST_F(SyntaxCheck, ABareCompilerNameIsLookedForWhereTheCommandInterpreterLooks) {
  struct Case {
    const char* compiler;
    const char* path;
    const char* extensions;
    const char* file;
    bool runs;
  };
  const Case cases[] = {
      {"qvr_comp.exe", "", "", "qvr_comp.exe", true},
      {"qvr_comp.exe", "C:\\tools;D:\\qvr", "", "D:\\qvr\\qvr_comp.exe", true},
      {"qvr_comp.exe", ";\"C:\\Program Files\\Q;V\";;", "", "C:\\Program Files\\Q;V\\qvr_comp.exe", true},
      {"qvr_comp.exe", "C:\\tools\\", "", "C:\\tools\\qvr_comp.exe.BAT", true},
      {"qvr_comp.exe", "C:\\tools", ".EXE;.PS1", "C:\\tools\\qvr_comp.exe.BAT", false},
      {"qvr_comp.exe", "C:\\tools", "", "C:\\other\\qvr_comp.exe", false},
      {"C:\\qvr\\qvr_comp.exe", "D:\\qvr", "", "D:\\qvr\\qvr_comp.exe", false},
  };
  SetText("x");
  mem.files.files.erase("qvr_comp.exe");
  mem.files.files.erase("C:\\qvr\\qvr_comp.exe");
  for (const Case& c : cases) {
    app.state.CompilerPath = c.compiler;
    mem.processes.environment = {{"PATH", c.path}, {"PATHEXT", c.extensions}};
    mem.files.files[c.file] = "MZ";
    const size_t started = mem.processes.started.size();
    Check();
    EXPECT_EQ(mem.processes.started.size() > started, c.runs) << c.path << " " << c.file;
    const std::vector<std::string> shown = Messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].rfind(c.runs ? "Syntax check:|" : "Error:|The engine's tools were not found", 0), 0u)
        << shown[0];
    mem.files.files.erase(c.file);
  }
}

TEST_F(SyntaxCheck, FilesItDidNotMakeAreNeitherReplacedNorShownNorRemoved) {
  app.state.FileDir = "C:\\s\\";
  mem.files.files["C:\\s\\SyntaxCheck.script"] = "the user's own";
  mem.files.files["Compile.bat"] = "del *.*";
  mem.files.files["qvr_output.log"] = "stale error\r\n";
  mem.files.files["qvr_output1.log"] = "older error\r\n";
  const Files before = mem.files.files;
  SetText("x");
  Check();
  const auto& run = mem.processes.started.at(0);
  EXPECT_EQ(run.file, "Compile1.bat");
  EXPECT_EQ(run.files.at("C:\\s\\SyntaxCheck1.script"), "x");
  EXPECT_EQ(run.files.at("Compile1.bat"),
            "\"qvr_comp.exe\" -project \"\" -script \"C:\\s\\SyntaxCheck1.script\" >>\"qvr_output2.log\"");
  EXPECT_EQ(Messages(), (std::vector<std::string>{"Syntax check:|No errors found."}));
  EXPECT_EQ(mem.files.files, before);
}

TEST_F(SyntaxCheck, AScratchFileThatCannotBeWrittenStopsTheCheck) {
  app.state.FileDir = "C:\\s\\";
  const Files before = mem.files.files;
  mem.files.unwritable = {"C:\\s\\SyntaxCheck.script"};
  Check();
  std::vector<std::string> shown = Messages();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].rfind("Error:|", 0), 0u);
  EXPECT_NE(shown[0].find("C:\\s\\SyntaxCheck.script"), std::string::npos);

  // An old batch file of the same name must not run in place of ours.
  mem.files.unwritable = {"Compile.bat"};
  Check();
  shown = Messages();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].rfind("Error:|", 0), 0u);
  EXPECT_NE(shown[0].find("Compile.bat"), std::string::npos);
  EXPECT_TRUE(mem.processes.started.empty());
  EXPECT_EQ(mem.files.files, before);
}

}  // namespace
