#include "app/script_files.h"

#include "support/app_fixture.h"

namespace {

using namespace std::string_literals;

constexpr int kNew = 1, kOpen = 2, kAppend = 3, kSave = 4, kSaveAs = 5, kExit = 7;

// Written out rather than taken from the header, so a slip in the constant shows.
const char* const kFilter =
    "QVR files|*.script;*.inc|Scripts (*.script)|*.script|Includes (*.inc)|*.inc|Textfiles|*.txt|"
    "All files|*.*";
const char* const kUnsavedText = "' was changed. Save it before proceeding ?";

class ScriptFiles : public AppFixture {
 protected:
  void Seed(const std::string& path, const std::string& bytes) { mem.files.files[path] = bytes; }
  std::string File(const std::string& path) {
    auto it = mem.files.files.find(path);
    return it == mem.files.files.end() ? "<missing>" : it->second;
  }
  bool Menu(int item) {
    mem.events.Command(item);
    return Run();
  }
  void OpenFile(const std::string& path) {
    mem.dialogs.fileAnswers = {path};
    Menu(kOpen);
  }
  void Type(const std::string& text) {
    mem.events.Type(text);
    Run();
  }
  std::string Title() { return mem.ui.WindowTitle(0); }
  const MemoryDialogs::Shown& Last() { return mem.dialogs.shown.back(); }
  void ExpectUnsavedQuestion(const MemoryDialogs::Shown& shown, const std::string& name) {
    EXPECT_EQ(shown.kind, "message");
    EXPECT_EQ(shown.title, "Warning:");
    EXPECT_EQ(shown.text, "The file '" + name + kUnsavedText);
    EXPECT_EQ(shown.buttons, MessageButtons::YesNoCancel);
  }
  void ExpectError(const MemoryDialogs::Shown& shown, const std::string& path) {
    EXPECT_EQ(shown.kind, "message");
    EXPECT_EQ(shown.title, "Error:");
    EXPECT_EQ(shown.buttons, MessageButtons::Ok);
    EXPECT_NE(shown.text.find(path), std::string::npos) << shown.text;
  }
  // A document opened from C:\s\a.script and then edited.
  void OpenAndEditA() {
    Seed("C:\\s\\a.script", "old");
    OpenFile("C:\\s\\a.script");
    Type("new ");
    mem.dialogs.shown.clear();
  }
};

// ---- Reading and writing the file format ----

TEST_F(ScriptFiles, ReadingSplitsAtEveryTerminatorAndSavingKeepsTheFilesLineBreak) {
  struct Case {
    std::string bytes, text;   // text as the control gives it
    long lines;
    std::string saved;         // what an unedited save writes
  };
  const Case cases[] = {
      {"x\r\ny\r\n", "x\r\ny\r\n", 3, "x\r\ny\r\n"},   // a final break is an empty last line, written back
      {"x\r\ny", "x\r\ny", 2, "x\r\ny"},
      {"x\ny\n", "x\r\ny\r\n", 3, "x\ny\n"},         // a checkout's LF-only file stays LF-only
      {"x\ry", "x\r\ny", 2, "x\ry"},
      {"x\ry\nz", "x\r\ny\r\nz", 3, "x\r\ny\r\nz"},  // mixed breaks become CR LF
      {"a\n\rb", "a\r\n\r\nb", 3, "a\r\n\r\nb"},     // LF CR is two breaks, not one
      {"\r\nx", "\r\nx", 2, "\r\nx"},                 // a leading empty line stays
      {"a\r\n\r\n", "a\r\n\r\n", 3, "a\r\n\r\n"},     // so do trailing ones
      {"\xEF\xBB\xBFutf\n8", "utf\r\n8", 2, "\xEF\xBB\xBFutf\n8"},  // a UTF-8 mark stays, the file's
      {"{\\rtf1 \"q\"}\t\xE9\x7F", "{\\rtf1 \"q\"}\t\xE9\x7F", 1, "{\\rtf1 \"q\"}\t\xE9\x7F"},  // bytes pass through
  };
  // Highlighted loading takes another road into the control; it must give the same text.
  for (int onOpening : {1, 0}) {
    app.state.OnOpening = onOpening;
    for (const Case& c : cases) {
      Seed("C:\\s\\in.script", c.bytes);
      LoadScript(app, "C:\\s\\in.script");
      EXPECT_EQ(Text(), c.text) << c.bytes << " highlighted " << onOpening;
      EXPECT_EQ(edit().GetLineCount(), c.lines) << c.bytes << " highlighted " << onOpening;
      ASSERT_TRUE(SaveScript(app, "C:\\s\\out.script"));
      EXPECT_EQ(File("C:\\s\\out.script"), c.saved) << c.bytes << " highlighted " << onOpening;
    }
  }
}

// Files that are no 8-bit text would be destroyed by a save: they are not
// opened, nor appended, and the document stays as it was.
TEST_F(ScriptFiles, UnicodeAndBinaryFilesAreRefused) {
  OpenAndEditA();
  for (const std::string& bytes : {"\xFF\xFE" "a\0b\0"s, "\xFE\xFF\0a"s, "MZ\x90\0\x03"s, "a\0b"s}) {
    Seed("C:\\s\\odd.script", bytes);
    mem.dialogs.messageAnswers = {kAnswerNo};
    OpenFile("C:\\s\\odd.script");
    ExpectError(Last(), "C:\\s\\odd.script");
    mem.dialogs.fileAnswers = {"C:\\s\\odd.script"};
    Menu(kAppend);
    ExpectError(Last(), "C:\\s\\odd.script");
    EXPECT_EQ(Text(), "new old");
    EXPECT_EQ(Title(), "QVR Visual Script Editor - a.script");
  }
  // A huge file of zero bytes is refused before it is split into lines.
  Seed("C:\\s\\zeros.script", std::string(50 * 1000 * 1000, '\0'));
  mem.dialogs.fileAnswers = {"C:\\s\\zeros.script"};
  Menu(kAppend);
  ExpectError(Last(), "C:\\s\\zeros.script");
  // So is one of line breaks alone, too many lines for the memory left.
  Seed("C:\\s\\breaks.script", std::string(10 * 1000 * 1000, '\n'));
  mem.files.freeAddressSpace = uint64_t(1) << 30;
  mem.dialogs.fileAnswers = {"C:\\s\\breaks.script"};
  Menu(kAppend);
  ExpectError(Last(), "C:\\s\\breaks.script");
  EXPECT_EQ(Text(), "new old");
}

TEST_F(ScriptFiles, AnEmptyFileOpensEmptyAndUnchanged) {
  Seed("C:\\s\\empty.script", "");
  Type("draft");
  mem.dialogs.messageAnswers = {kAnswerNo};
  OpenFile("C:\\s\\empty.script");
  EXPECT_EQ(Text(), "");
  EXPECT_EQ(app.state.Changed, 0);
  EXPECT_EQ(Title(), "QVR Visual Script Editor - empty.script");
  // What is typed into it takes the editor's font, not the control's default.
  Type("x");
  EXPECT_EQ(edit().FormatAt(0).face, "Lucida Console");
  EXPECT_EQ(edit().FormatAt(0).heightTwips, 200);
}

TEST_F(ScriptFiles, ALargeScriptLoadsAndSavesBackByteForByte) {
  std::string big;
  for (int i = 0; big.size() < 130000; ++i) big += "Game.Line" + std::to_string(i) + "(); // x\r\n";
  big += std::string(70000, 'w') + "\r\n";
  for (int i = 0; big.size() < 200000; ++i) big += "\"quoted " + std::to_string(i) + "\"\r\n";
  big += "end";
  Seed("C:\\s\\big.script", big);
  for (int onOpening : {1, 0}) {
    app.state.OnOpening = onOpening;
    LoadScript(app, "C:\\s\\big.script");
    EXPECT_EQ(Text().size(), big.size()) << onOpening;
    EXPECT_TRUE(Text() == big) << onOpening;
    ASSERT_TRUE(SaveScript(app, "C:\\s\\copy.script"));
    EXPECT_TRUE(File("C:\\s\\copy.script") == big) << onOpening;
  }
}

// A script the control could not hold is refused before anything changes,
// where loading it would end the program.
TEST_F(ScriptFiles, AScriptTooLargeForTheAddressSpaceLeftIsRefusedAndTheTextKept) {
  Seed("C:\\s\\small.script", "keep me");
  std::string big;
  for (int i = 0; i < 20000; ++i) big += "x = 1\r\n";
  Seed("C:\\s\\big.script", big);
  LoadScript(app, "C:\\s\\small.script");
  mem.files.freeAddressSpace = 100u << 20;  // 20,000 lines need about 126 MB
  LoadScript(app, "C:\\s\\big.script");
  AppendScript(app, "C:\\s\\big.script");
  EXPECT_EQ(Text(), "keep me");
  EXPECT_EQ(app.state.FileName, "small.script");
  ASSERT_EQ(mem.dialogs.shown.size(), 2u);
  EXPECT_EQ(mem.dialogs.shown[0].text,
            "The file 'C:\\s\\big.script' is too large to open: it needs about 126 MB of memory, and 100 MB are free.");
  EXPECT_EQ(mem.dialogs.shown[0].title, "Error:");
  mem.files.freeAddressSpace = 200u << 20;
  LoadScript(app, "C:\\s\\big.script");
  EXPECT_EQ(Text(), big);
}

// ---- The extension rule ----

TEST_F(ScriptFiles, SavingAddsScriptUnlessTheNameEndsInAKnownExtension) {
  SetText("t");
  const std::pair<std::string, std::string> names[] = {
      {"C:\\s\\notes", "C:\\s\\notes.script"},   {"C:\\s\\A.SCRIPT", "C:\\s\\A.SCRIPT.script"},
      {"C:\\s\\b.txt", "C:\\s\\b.txt"},          {"C:\\s\\c.inc", "C:\\s\\c.inc"},
      {"C:\\s\\d.script", "C:\\s\\d.script"},    {"C:\\s\\e.Txt", "C:\\s\\e.Txt.script"},
      {"C:\\s\\f.script.bak", "C:\\s\\f.script.bak.script"},
  };
  for (const auto& [chosen, written] : names) {
    mem.files.files.clear();
    mem.dialogs.fileAnswers = {chosen};
    Menu(kSaveAs);
    EXPECT_EQ(mem.files.files.size(), 1u) << chosen;
    EXPECT_EQ(File(written), "t") << chosen;
    EXPECT_EQ(app.state.FileDir + app.state.FileName, written);
  }
}

TEST_F(ScriptFiles, SaveAsAsksAboutTheFileThatWillReallyBeWritten) {
  Seed("C:\\s\\notes.script", "old");
  Type("new");
  // "notes" itself does not exist, but notes.script, which would be written, does.
  mem.dialogs.fileAnswers = {"C:\\s\\notes"};
  mem.dialogs.messageAnswers = {kAnswerNo};
  Menu(kSaveAs);
  ASSERT_EQ(mem.dialogs.shown.size(), 2u);
  EXPECT_EQ(Last().text, "The file 'notes.script' already exists. Overwrite?");
  EXPECT_EQ(File("C:\\s\\notes.script"), "old");
  EXPECT_EQ(app.state.FileName, "Unnamed.script");

  mem.dialogs.fileAnswers = {"C:\\s\\notes"};
  mem.dialogs.messageAnswers = {kAnswerYes};
  Menu(kSaveAs);
  EXPECT_EQ(File("C:\\s\\notes.script"), "new");
  EXPECT_EQ(mem.files.files.count("C:\\s\\notes"), 0u);
  EXPECT_EQ(app.state.FileName, "notes.script");
  EXPECT_EQ(app.state.FileDir, "C:\\s\\");
  EXPECT_EQ(Title(), "QVR Visual Script Editor - notes.script");
  EXPECT_EQ(app.state.Changed, 0);
}

// ---- Dialogs ----

TEST_F(ScriptFiles, OpenAndAppendDialogsStartInTheDocumentProjectOrBaseFolder) {
  app.state.BasePath = "E:\\base\\";
  struct Step {
    std::string fileDir, project, folder;
  };
  const Step steps[] = {
      {"C:\\s\\", "D:\\games\\p\\p.qpf", "C:\\s\\"},
      {"", "D:\\games\\p\\p.qpf", "D:\\games\\p\\"},
      {"", "", "E:\\base\\"},
      {"", "p.qpf", "E:\\base\\"},   // a project without a folder gives no folder
  };
  for (const Step& s : steps) {
    app.state.FileDir = s.fileDir;
    app.state.CurrentQVRProject = s.project;
    for (int item : {kOpen, kAppend}) {
      mem.dialogs.shown.clear();
      Menu(item);
      ASSERT_EQ(mem.dialogs.shown.size(), 1u);
      const MemoryDialogs::Shown& d = Last();
      EXPECT_EQ(d.kind, "open");
      EXPECT_EQ(d.title, item == kOpen ? "Open QVR-Script" : "Append QVR-Script");
      EXPECT_EQ(d.form.filter, kFilter);
      EXPECT_EQ(d.form.filterIndex, 0);
      EXPECT_EQ(d.form.initialFolder, s.folder) << item;
    }
  }
  EXPECT_TRUE(mem.files.files.empty());
}

TEST_F(ScriptFiles, SaveDialogsOfferTheDocumentsPath) {
  app.state.FileDir = "C:\\s\\";
  Type("text");
  for (int item : {kSave, kSaveAs}) {
    mem.dialogs.shown.clear();
    Menu(item);  // cancelled: no answer scripted
    ASSERT_EQ(mem.dialogs.shown.size(), 1u);
    const MemoryDialogs::Shown& d = Last();
    EXPECT_EQ(d.kind, "save");
    EXPECT_EQ(d.title, item == kSave ? "Save QVR-Script" : "Save QVR-Script as");
    EXPECT_EQ(d.form.filter, kFilter);
    EXPECT_EQ(d.form.filterIndex, 1);
    EXPECT_EQ(d.form.initialFile, "C:\\s\\Unnamed.script");
  }
  EXPECT_TRUE(mem.files.files.empty());
  EXPECT_EQ(app.state.Changed, 1);
  EXPECT_EQ(app.state.FileName, "Unnamed.script");
}

// ---- Save and Save as ----

TEST_F(ScriptFiles, SavingANewDocumentAsksBeforeReplacingAndAdoptsTheFile) {
  // Through Save and through Yes in the unsaved-changes question alike.
  for (int item : {kSave, kNew}) {
    mem.files.files.clear();
    NewScript(app);
    Seed("C:\\s\\taken.script", "precious");
    Type("abc\rdef");
    mem.dialogs.shown.clear();
    mem.dialogs.messageAnswers = item == kNew ? std::deque<int>{kAnswerYes, kAnswerNo}
                                              : std::deque<int>{kAnswerNo};
    mem.dialogs.fileAnswers = {"C:\\s\\taken"};
    Menu(item);
    EXPECT_EQ(Last().text, "The file 'taken.script' already exists. Overwrite?") << item;
    EXPECT_EQ(File("C:\\s\\taken.script"), "precious") << item;
    EXPECT_EQ(Text(), "abc\r\ndef") << item;   // declining the overwrite cancels New too
    EXPECT_EQ(app.state.Changed, 1) << item;

    mem.dialogs.messageAnswers = item == kNew ? std::deque<int>{kAnswerYes} : std::deque<int>{};
    mem.dialogs.fileAnswers = {"C:\\s\\fresh"};
    Menu(item);
    EXPECT_EQ(File("C:\\s\\fresh.script"), "abc\r\ndef") << item;
    EXPECT_EQ(app.state.Changed, 0) << item;
    if (item == kSave) {
      EXPECT_EQ(Title(), "QVR Visual Script Editor - fresh.script");
      // The document now has its file: the next Save goes there without a dialog.
      Type("!");
      mem.dialogs.shown.clear();
      mem.dialogs.messageAnswers = {kAnswerYes};
      Menu(kSave);
      EXPECT_EQ(Last().text, "The file 'fresh.script' already exists. Overwrite?");
      EXPECT_EQ(File("C:\\s\\fresh.script"), "abc\r\ndef!");
    }
  }
}

TEST_F(ScriptFiles, SaveOnADocumentWithAFileAsksBeforeOverwriting) {
  OpenAndEditA();
  mem.dialogs.messageAnswers = {kAnswerNo};
  Menu(kSave);
  ASSERT_EQ(mem.dialogs.shown.size(), 1u);
  EXPECT_EQ(Last().title, "Question:");
  EXPECT_EQ(Last().text, "The file 'a.script' already exists. Overwrite?");
  EXPECT_EQ(Last().buttons, MessageButtons::YesNo);
  EXPECT_EQ(File("C:\\s\\a.script"), "old");
  EXPECT_EQ(app.state.Changed, 1);

  mem.dialogs.messageAnswers = {kAnswerYes};
  Menu(kSave);
  EXPECT_EQ(File("C:\\s\\a.script"), "new old");
  EXPECT_EQ(app.state.Changed, 0);
  EXPECT_EQ(Title(), "QVR Visual Script Editor - a.script");
}

// Every save asks about, writes and adopts one and the same file: a
// document's own file keeps its name whatever its extension; a name typed
// for a script that has no file yet gets ".script".
TEST_F(ScriptFiles, SaveWritesTheFileItAskedAbout) {
  Seed("C:\\s\\MAIN.SCRIPT", "old");
  OpenFile("C:\\s\\MAIN.SCRIPT");
  Type("new ");
  mem.dialogs.messageAnswers = {kAnswerYes};
  Menu(kSave);
  EXPECT_EQ(Last().text, "The file 'MAIN.SCRIPT' already exists. Overwrite?");
  EXPECT_EQ(File("C:\\s\\MAIN.SCRIPT"), "new old");
  EXPECT_EQ(mem.files.files.count("C:\\s\\MAIN.SCRIPT.script"), 0u);

  // The unsaved-changes question's Yes writes the document's own file too.
  Seed("C:\\s\\README", "read me");
  OpenFile("C:\\s\\README");
  Type("do ");
  mem.dialogs.messageAnswers = {kAnswerYes};
  Menu(kNew);
  EXPECT_EQ(File("C:\\s\\README"), "do read me");
  EXPECT_EQ(mem.files.files.count("C:\\s\\README.script"), 0u);

  // A missing name typed into Open: Save asks about, writes and adopts notes.script.
  Seed("C:\\s\\notes.script", "someone else's");
  mem.dialogs.messageAnswers = {kAnswerNo};
  OpenFile("C:\\s\\notes");
  Type("mine");
  mem.dialogs.shown.clear();
  mem.dialogs.messageAnswers = {kAnswerNo};
  Menu(kSave);
  EXPECT_EQ(Last().text, "The file 'notes.script' already exists. Overwrite?");
  EXPECT_EQ(File("C:\\s\\notes.script"), "someone else's");
  mem.dialogs.messageAnswers = {kAnswerYes};
  Menu(kSave);
  EXPECT_EQ(File("C:\\s\\notes.script"), "mine");
  EXPECT_EQ(mem.files.files.count("C:\\s\\notes"), 0u);
  EXPECT_EQ(Title(), "QVR Visual Script Editor - notes.script");
  EXPECT_EQ(app.state.Changed, 0);
  // From then on it is the document's own file.
  Type("!");
  mem.dialogs.messageAnswers = {kAnswerYes};
  Menu(kExit);
  EXPECT_EQ(File("C:\\s\\notes.script"), "mine!");
}

TEST_F(ScriptFiles, SaveAsOverAnExistingFileAsksWithItsName) {
  Seed("C:\\t\\b.inc", "old");
  OpenAndEditA();
  mem.dialogs.fileAnswers = {"C:\\t\\b.inc"};
  mem.dialogs.messageAnswers = {kAnswerNo};
  Menu(kSaveAs);
  ASSERT_EQ(mem.dialogs.shown.size(), 2u);
  EXPECT_EQ(mem.dialogs.shown[0].form.initialFile, "C:\\s\\a.script");
  EXPECT_EQ(Last().title, "Question:");
  EXPECT_EQ(Last().text, "The file 'b.inc' already exists. Overwrite?");
  EXPECT_EQ(File("C:\\t\\b.inc"), "old");
  EXPECT_EQ(app.state.FileName, "a.script");
  EXPECT_EQ(app.state.Changed, 1);

  mem.dialogs.fileAnswers = {"C:\\t\\b.inc"};
  mem.dialogs.messageAnswers = {kAnswerYes};
  Menu(kSaveAs);
  EXPECT_EQ(File("C:\\t\\b.inc"), "new old");
  EXPECT_EQ(File("C:\\s\\a.script"), "old");
  EXPECT_EQ(app.state.FileName, "b.inc");
  EXPECT_EQ(app.state.FileDir, "C:\\t\\");
  EXPECT_EQ(Title(), "QVR Visual Script Editor - b.inc");
  EXPECT_EQ(app.state.Changed, 0);
}

TEST_F(ScriptFiles, AFailedSaveIsReportedAndNotTakenAsDone) {
  OpenAndEditA();
  mem.files.failWrites = true;
  mem.dialogs.messageAnswers = {kAnswerYes};
  Menu(kSave);
  ExpectError(Last(), "C:\\s\\a.script");
  EXPECT_EQ(app.state.Changed, 1);

  mem.dialogs.fileAnswers = {"C:\\t\\other"};
  Menu(kSaveAs);
  ExpectError(Last(), "C:\\t\\other.script");
  EXPECT_EQ(app.state.FileName, "a.script");
  EXPECT_EQ(app.state.FileDir, "C:\\s\\");
  EXPECT_EQ(Title(), "QVR Visual Script Editor - a.script");
  EXPECT_EQ(app.state.Changed, 1);
  EXPECT_EQ(File("C:\\s\\a.script"), "old");
  EXPECT_EQ(mem.files.files.size(), 1u);
}

TEST_F(ScriptFiles, SaveScriptWritesButLeavesTheDocumentAlone) {
  OpenAndEditA();
  EXPECT_TRUE(SaveScript(app, "C:\\tmp\\scratch"));
  EXPECT_EQ(File("C:\\tmp\\scratch"), "new old");
  EXPECT_EQ(app.state.FileName, "a.script");
  EXPECT_EQ(app.state.FileDir, "C:\\s\\");
  EXPECT_EQ(Title(), "QVR Visual Script Editor - a.script");
  EXPECT_EQ(app.state.Changed, 1);

  mem.files.failWrites = true;
  EXPECT_FALSE(SaveScript(app, "C:\\tmp\\scratch"));
  ExpectError(Last(), "C:\\tmp\\scratch");
  EXPECT_EQ(app.state.Changed, 1);
}

// A UTF-8 file shows its letters in the program's code page (Latin-1 on
// the memory platform) and stays UTF-8 whatever is typed; the byte-order
// mark belongs to the file. Anything else keeps its bytes.
TEST_F(ScriptFiles, UtfEightScriptsShowTheirLettersAndStayUtfEight) {
  struct Case {
    const char* bytes;
    const char* shown;
    const char* saved;   // after "\xE9" (e acute) is typed at the very start
    bool warned;
  };
  const Case cases[] = {
      {"M\xC3\xBCller", "M\xFCller", "\xC3\xA9M\xC3\xBCller", false},
      {"\xEF\xBB\xBF" "abc", "abc", "\xEF\xBB\xBF\xC3\xA9" "abc", false},
      {"\xEF\xBB\xBFM\xC3\xBCller\r\nx", "M\xFCller\r\nx", "\xEF\xBB\xBF\xC3\xA9M\xC3\xBCller\r\nx", false},
      {"caf\xE9", "caf\xE9", "\xE9" "caf\xE9", false},               // 8-bit text stays 8-bit
      {"plain", "plain", "\xE9plain", false},                          // so does plain ASCII
      {"\xE2\x82\xAC 5", "\xE2\x82\xAC 5", "\xE9\xE2\x82\xAC 5", true},  // a letter the code page lacks
      {"\xEF\xBB\xBF\xC3\x28", "\xEF\xBB\xBF\xC3\x28", "\xE9\xEF\xBB\xBF\xC3\x28", false},  // not UTF-8 after all
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    Seed("C:\\s\\u.script", c.bytes);
    mem.dialogs.shown.clear();
    LoadScript(app, "C:\\s\\u.script");
    EXPECT_EQ(Text(), c.shown);
    EXPECT_EQ(mem.dialogs.shown.size(), c.warned ? 1u : 0u);
    ASSERT_TRUE(SaveScript(app, "C:\\s\\u.script"));
    EXPECT_EQ(File("C:\\s\\u.script"), c.bytes);   // unedited: byte for byte
    edit().ExSetSel(0, 0);
    edit().ReplaceSel("\xE9", true);
    ASSERT_TRUE(SaveScript(app, "C:\\s\\u.script"));
    EXPECT_EQ(File("C:\\s\\u.script"), c.saved);
  }
}

// ---- Open and Append ----

TEST_F(ScriptFiles, OpenReplacesTheTextNameAndTitle) {
  Seed("C:\\s\\dir two\\b.script", "one\r\ntwo");
  OpenAndEditA();
  mem.dialogs.messageAnswers = {kAnswerNo};
  OpenFile("C:\\s\\dir two\\b.script");
  EXPECT_EQ(Text(), "one\r\ntwo");
  EXPECT_EQ(app.state.FileName, "b.script");
  EXPECT_EQ(app.state.FileDir, "C:\\s\\dir two\\");
  EXPECT_EQ(Title(), "QVR Visual Script Editor - b.script");
  EXPECT_EQ(app.state.Changed, 0);
  EXPECT_EQ(File("C:\\s\\a.script"), "old");   // No means no save
}

TEST_F(ScriptFiles, OpenThenCancelKeepsTheTextAndShowsNoDialog) {
  Type("draft");
  mem.dialogs.messageAnswers = {kAnswerCancel};
  mem.dialogs.fileAnswers = {"C:\\s\\never.script"};
  Menu(kOpen);
  ASSERT_EQ(mem.dialogs.shown.size(), 1u);
  ExpectUnsavedQuestion(Last(), "Unnamed.script");
  EXPECT_EQ(Text(), "draft");
  EXPECT_EQ(app.state.Changed, 1);
  EXPECT_EQ(Title(), "QVR Visual Script Editor - Unnamed.script");
}

TEST_F(ScriptFiles, OpeningAMissingFileTakesItsNameButKeepsTheText) {
  Type("draft");
  mem.dialogs.messageAnswers = {kAnswerNo};
  OpenFile("C:\\s\\missing.script");
  EXPECT_EQ(Title(), "QVR Visual Script Editor - missing.script");
  EXPECT_EQ(app.state.FileDir, "C:\\s\\");
  EXPECT_EQ(Text(), "draft");
  EXPECT_EQ(app.state.Changed, 1);

  // The name is new, so the first Save writes it without the overwrite question.
  mem.dialogs.shown.clear();
  Menu(kSave);
  EXPECT_TRUE(mem.dialogs.shown.empty());
  EXPECT_EQ(File("C:\\s\\missing.script"), "draft");
  EXPECT_EQ(app.state.Changed, 0);
}

TEST_F(ScriptFiles, AnExistingFileThatCannotBeReadIsReportedAndNotOpened) {
  Seed("C:\\s\\dir\\x.script", "inside");
  OpenAndEditA();
  mem.dialogs.messageAnswers = {kAnswerNo};
  OpenFile("C:\\s\\dir");
  ExpectError(Last(), "C:\\s\\dir");
  EXPECT_EQ(app.state.FileName, "a.script");
  EXPECT_EQ(app.state.FileDir, "C:\\s\\");
  EXPECT_EQ(Title(), "QVR Visual Script Editor - a.script");
  EXPECT_EQ(Text(), "new old");
  EXPECT_EQ(app.state.Changed, 1);

  mem.dialogs.shown.clear();
  mem.dialogs.fileAnswers = {"C:\\s\\dir"};
  Menu(kAppend);
  ExpectError(Last(), "C:\\s\\dir");
  EXPECT_EQ(Text(), "new old");
}

TEST_F(ScriptFiles, AppendAddsAfterTheLastLineAndMarksChanged) {
  Seed("C:\\s\\a.script", "one\r\ntwo");
  Seed("C:\\s\\b.inc", "three\nfour\n");
  OpenFile("C:\\s\\a.script");
  mem.dialogs.shown.clear();
  mem.dialogs.fileAnswers = {"C:\\s\\b.inc"};
  Menu(kAppend);
  EXPECT_EQ(Text(), "one\r\ntwo\r\nthree\r\nfour\r\n");
  EXPECT_EQ(app.state.Changed, 1);
  EXPECT_EQ(app.state.FileName, "a.script");
  EXPECT_EQ(Title(), "QVR Visual Script Editor - a.script");
  ASSERT_EQ(mem.dialogs.shown.size(), 1u);   // no unsaved-changes question
  EXPECT_EQ(Last().kind, "open");
  Menu(8);   // an append is an edit like any other: Undo takes it back
  EXPECT_EQ(Text(), "one\r\ntwo");
  Menu(9);

  // On an empty text the file's lines are the whole text: no blank first line.
  mem.dialogs.messageAnswers = {kAnswerNo};
  Menu(kNew);
  mem.dialogs.fileAnswers = {"C:\\s\\b.inc"};
  Menu(kAppend);
  EXPECT_EQ(Text(), "three\r\nfour\r\n");

  // A missing file changes nothing.
  app.state.Changed = 0;
  edit().SetModify(false);
  mem.dialogs.fileAnswers = {"C:\\s\\none.inc"};
  Menu(kAppend);
  EXPECT_EQ(Text(), "three\r\nfour\r\n");
  EXPECT_EQ(app.state.Changed, 0);
}

// ---- The unsaved-changes question ----

TEST_F(ScriptFiles, YesSavesANamedDocumentWithoutTheOverwriteQuestion) {
  OpenAndEditA();
  mem.dialogs.messageAnswers = {kAnswerYes};
  Menu(kNew);
  ASSERT_EQ(mem.dialogs.shown.size(), 1u);
  ExpectUnsavedQuestion(Last(), "a.script");
  EXPECT_EQ(File("C:\\s\\a.script"), "new old");
  EXPECT_EQ(Text(), "");
  EXPECT_EQ(app.state.Changed, 0);
  EXPECT_EQ(app.state.FileName, "Unnamed.script");
  EXPECT_EQ(app.state.FileDir, "C:\\s\\");
  EXPECT_EQ(Title(), "QVR Visual Script Editor - Unnamed.script");
}

TEST_F(ScriptFiles, YesOnANewDocumentAsksForANameAndCancellingThereCancels) {
  app.state.FileDir = "C:\\s\\";
  Type("draft");
  mem.dialogs.messageAnswers = {kAnswerYes};
  Menu(kNew);
  ASSERT_EQ(mem.dialogs.shown.size(), 2u);
  EXPECT_EQ(Last().kind, "save");
  EXPECT_EQ(Last().title, "Save QVR-Script");
  EXPECT_EQ(Last().form.initialFile, "C:\\s\\Unnamed.script");
  EXPECT_EQ(Text(), "draft");
  EXPECT_EQ(app.state.Changed, 1);

  mem.dialogs.messageAnswers = {kAnswerYes};
  mem.dialogs.fileAnswers = {"C:\\s\\kept"};
  Menu(kNew);
  EXPECT_EQ(File("C:\\s\\kept.script"), "draft");
  EXPECT_EQ(Text(), "");
  EXPECT_EQ(app.state.Changed, 0);
}

TEST_F(ScriptFiles, AFailedSaveOnTheQuestionKeepsTheTextAndTheProgram) {
  OpenAndEditA();
  mem.files.failWrites = true;
  for (int item : {kNew, kOpen, kExit, 0}) {
    mem.dialogs.shown.clear();
    mem.dialogs.messageAnswers = {kAnswerYes};
    mem.dialogs.fileAnswers = {"C:\\s\\other.script"};
    if (item) mem.events.Command(item);
    else mem.events.Close(0);
    EXPECT_TRUE(Run()) << item;
    ASSERT_EQ(mem.dialogs.shown.size(), 2u) << item;   // the question, then the error; no dialog
    ExpectError(Last(), "C:\\s\\a.script");
    EXPECT_EQ(Text(), "new old") << item;
    EXPECT_EQ(app.state.FileName, "a.script") << item;
    EXPECT_EQ(app.state.Changed, 1) << item;
  }
  EXPECT_EQ(File("C:\\s\\a.script"), "old");
}

TEST_F(ScriptFiles, ExitWithNoEndsWithoutWriting) {
  Type("draft");
  mem.dialogs.messageAnswers = {kAnswerNo};
  EXPECT_FALSE(Menu(kExit));
  EXPECT_TRUE(mem.files.files.empty());
  ExpectUnsavedQuestion(Last(), "Unnamed.script");
}

TEST_F(ScriptFiles, CloseWithYesSavesThenEnds) {
  OpenAndEditA();
  mem.dialogs.messageAnswers = {kAnswerYes};
  mem.events.Close(0);
  EXPECT_FALSE(Run());
  EXPECT_EQ(File("C:\\s\\a.script"), "new old");
}

// Names the system cannot open as a file are refused before anything
// changes; a failed save says why; a folder that refuses new files still
// lets its file be written, after a copy of the old text.
TEST_F(ScriptFiles, NamesThatAreNoFileAndWritesThatFailSayWhy) {
  OpenAndEditA();
  const std::string longPath = "C:\\" + std::string(300, 'd') + "\\x.script";
  for (const std::string& path : {longPath, "C:\\s\\????.script"s, "C:\\s\\nul.script"s, "C:\\s\\COM1"s}) {
    mem.dialogs.messageAnswers = {kAnswerNo};
    OpenFile(path);
    EXPECT_EQ(Last().title, "Error:") << path;
    EXPECT_LT(Last().text.size(), 200u) << path;   // a long path loses its middle
    EXPECT_EQ(Title(), "QVR Visual Script Editor - a.script") << path;
    EXPECT_EQ(Text(), "new old");
    mem.dialogs.fileAnswers = {path};
    Menu(kSaveAs);
    EXPECT_EQ(Last().title, "Error:") << path;
  }
  mem.files.readOnly.insert("C:\\s\\a.script");
  mem.dialogs.messageAnswers = {kAnswerYes};
  Menu(kSave);
  EXPECT_EQ(Last().text, "The file 'C:\\s\\a.script' could not be written: it is read-only.");
  mem.files.readOnly.clear();

  // In place, in silence: the copy of the old text goes once the new is in.
  mem.files.noNewFiles.insert("C:\\s\\");
  mem.dialogs.shown.clear();
  mem.dialogs.messageAnswers = {kAnswerYes};
  Menu(kSave);
  EXPECT_EQ(File("C:\\s\\a.script"), "new old");
  EXPECT_EQ(mem.files.files.size(), 1u);
  EXPECT_EQ(Last().title, "Question:");
  EXPECT_EQ(app.state.Changed, 0);
}

// Logging off or shutting down asks as Exit does; Cancel, or a save that
// fails, keeps the session and the text.
TEST_F(ScriptFiles, EndingTheSessionAsksAboutUnsavedWork) {
  EXPECT_TRUE(mem.ui.QueryEndSession());
  OpenAndEditA();
  mem.dialogs.messageAnswers = {kAnswerCancel};
  EXPECT_FALSE(mem.ui.QueryEndSession());
  ExpectUnsavedQuestion(Last(), "a.script");
  mem.files.failWrites = true;
  mem.dialogs.messageAnswers = {kAnswerYes};
  EXPECT_FALSE(mem.ui.QueryEndSession());
  mem.files.failWrites = false;
  mem.dialogs.messageAnswers = {kAnswerYes};
  EXPECT_TRUE(mem.ui.QueryEndSession());
  EXPECT_EQ(File("C:\\s\\a.script"), "new old");
}

// ---- Dropped files ----

TEST_F(ScriptFiles, DroppingTwoFilesWarnsAndOpensTheFirst) {
  Seed("C:\\s\\a.script", "first");
  Seed("C:\\s\\b.script", "second");
  mem.events.Drop({"C:\\s\\a.script", "C:\\s\\b.script"});
  Run();
  ASSERT_EQ(mem.dialogs.shown.size(), 1u);
  EXPECT_EQ(Last().title, "Error:");
  EXPECT_EQ(Last().text, "Only one script can be edited at a time.");
  EXPECT_EQ(Last().buttons, MessageButtons::Ok);
  EXPECT_EQ(Text(), "first");
  EXPECT_EQ(Title(), "QVR Visual Script Editor - a.script");
  EXPECT_EQ(app.state.Changed, 0);
}

TEST_F(ScriptFiles, DroppingOnAChangedTextAsksFirst) {
  Seed("C:\\s\\b.script", "dropped");
  Type("draft");
  mem.dialogs.messageAnswers = {kAnswerCancel};
  mem.events.Drop({"C:\\s\\b.script"});
  Run();
  ASSERT_EQ(mem.dialogs.shown.size(), 1u);
  ExpectUnsavedQuestion(Last(), "Unnamed.script");
  EXPECT_EQ(Text(), "draft");
  EXPECT_EQ(Title(), "QVR Visual Script Editor - Unnamed.script");
  EXPECT_EQ(app.state.Changed, 1);

  mem.dialogs.messageAnswers = {kAnswerNo};
  mem.events.Drop({"C:\\s\\b.script"});
  Run();
  EXPECT_EQ(Text(), "dropped");
  EXPECT_EQ(Title(), "QVR Visual Script Editor - b.script");
  EXPECT_EQ(app.state.Changed, 0);
}

// ---- Start-up ----

class ScriptFilesAtStartUp : public ScriptFiles {
 protected:
  void Prepare() override {
    mem.files.commandLine = "\"C:\\qvr\\qvrvse.exe\" \"C:\\my scripts\\start.script\"";
    mem.files.files["C:\\my scripts\\start.script"] = "begin\rend";
  }
};

TEST_F(ScriptFilesAtStartUp, TheScriptOnTheCommandLineIsOpen) {
  EXPECT_EQ(Text(), "begin\r\nend");
  EXPECT_EQ(app.state.FileName, "start.script");
  EXPECT_EQ(app.state.FileDir, "C:\\my scripts\\");
  EXPECT_EQ(Title(), "QVR Visual Script Editor - start.script");
  EXPECT_EQ(app.state.Changed, 0);
}

}  // namespace
