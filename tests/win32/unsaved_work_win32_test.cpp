// What keeps a user's work safe in the real window: the changed flag seen by
// the control itself, drops anywhere on the window, the keys after a
// question, logging off, and a window minimised for a while.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <deque>
#include <fstream>
#include <memory>

#include "app/app_state.h"
#include "app/file_save.h"
#include "app/script_files.h"
#include "win32/dialog_answers.h"
#include "win32/faulty_files.h"
#include "win32/real_app.h"

namespace {

std::deque<int> g_answers;   // the buttons pressed, box by box; Cancel once they run out

class RealUnsavedWork : public RealApp {
 protected:
  std::string folder;
  std::unique_ptr<DialogAnswers> answers;

  void SetUp() override {
    RealApp::SetUp();
    folder = ScratchFolder("qvrvse unsaved test");
    g_answers.clear();
    answers = std::make_unique<DialogAnswers>(AnswersFrom(g_answers));
  }
  void TearDown() override {
    answers.reset();
    for (const char* name : {"a.script", "dropped.script", "lf.script", "utf16.script", "hard.script"}) DeleteFileA((folder + name).c_str());
    RemoveDirectoryA(folder.c_str());
  }
  void Write(const std::string& name, const std::string& bytes) {
    std::ofstream(folder + name, std::ios::binary) << bytes;
  }
  // Modifier keys as the control reads them while it handles a key.
  void HoldKeys(std::initializer_list<int> keys) {
    BYTE state[256] = {0};
    for (int key : keys) state[key] = 0x80;
    SetKeyboardState(state);
  }
  void Chord(std::initializer_list<int> modifiers, int key) {
    HoldKeys(modifiers);
    SendMessageA(Control(kEditingArea), WM_KEYDOWN, key, 0);
    HoldKeys({});
    PostMessageA(Control(kEditingArea), WM_KEYUP, key, 0xC0000001);
    Run();
  }
  void Unchanged() {
    app.state.Changed = 0;
    app.edit->SetModify(false);
  }
  std::string Title() {
    char title[512] = {0};
    GetWindowTextA(Main(), title, sizeof(title));
    return title;
  }
};

TEST_F(RealUnsavedWork, ThePasteOfAnyKeyMarksTheDocumentAndCopyDoesNot) {
  app.edit->SetText("alpha beta");
  Unchanged();
  app.edit->ExSetSel(0, 5);
  Chord({VK_CONTROL}, 'C');
  PostMessageA(Control(kEditingArea), WM_CHAR, 3, 0);   // what Ctrl+C types
  Chord({VK_CONTROL}, 'A');
  Run();
  EXPECT_EQ(platform.clipboard.GetText(), "alpha");
  EXPECT_EQ(app.state.Changed, 0);

  app.edit->ExSetSel(10, 10);
  Chord({VK_CONTROL}, 'V');
  EXPECT_EQ(app.edit->GetText(), "alpha betaalpha");
  EXPECT_EQ(app.state.Changed, 1);
  // Shift+Insert, through the loop as the keyboard sends it.
  Unchanged();
  HoldKeys({VK_SHIFT});
  PostMessageA(Control(kEditingArea), WM_KEYDOWN, VK_INSERT, 0);
  Run();
  HoldKeys({});
  EXPECT_EQ(app.edit->GetText(), "alpha betaalphaalpha");
  EXPECT_EQ(app.state.Changed, 1);
  app.edit->Undo();

  // An undo by key after a save is a change of the saved text too.
  Unchanged();
  Chord({VK_CONTROL}, 'Z');
  EXPECT_EQ(app.edit->GetText(), "alpha beta");
  EXPECT_EQ(app.state.Changed, 1);
}

// The text covers most of the window and is a drop target of its own.
TEST_F(RealUnsavedWork, AFileDroppedOnTheTextIsOpened) {
  Write("dropped.script", "from the drop");
  const std::string path = folder + "dropped.script";
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + path.size() + 2);
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), path.c_str(), path.size() + 1);
  GlobalUnlock(memory);
  PostMessageA(Control(kEditingArea), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
  Run();
  EXPECT_EQ(Title(), "QVR Visual Script Editor - dropped.script");
  EXPECT_EQ(app.edit->GetText(), "from the drop");
}

// After a question the keys go to the text again, not to the window, where
// they would vanish.
TEST_F(RealUnsavedWork, KeysTypedAfterAQuestionReachTheText) {
  Write("a.script", "old");
  LoadScript(app, folder + "a.script");
  Run();
  ASSERT_EQ(GetFocus(), Control(kEditingArea));
  g_answers = {IDYES};
  Menu(4);
  ASSERT_EQ(answers->seen.size(), 1u);
  EXPECT_EQ(GetFocus(), Control(kEditingArea));
  Menu(20);   // About
  EXPECT_EQ(GetFocus(), Control(kEditingArea));
}

TEST_F(RealUnsavedWork, LoggingOffAsksAndCancelKeepsTheSession) {
  PostMessageA(Control(kEditingArea), WM_CHAR, 'x', 0);
  Run();
  ASSERT_EQ(app.state.Changed, 1);
  g_answers = {IDCANCEL};
  EXPECT_FALSE(SendMessageA(Main(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
  ASSERT_EQ(answers->seen.size(), 1u);
  EXPECT_EQ(answers->seen[0].rfind("Warning:|", 0), 0u);
  g_answers = {IDNO};
  EXPECT_TRUE(SendMessageA(Main(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
}

TEST_F(RealUnsavedWork, MinimisingAndRestoringKeepsTheTextArea) {
  ShowWindow(Main(), SW_MINIMIZE);
  Run();
  ShowWindow(Main(), SW_RESTORE);
  Run();
  EXPECT_EQ(platform.ui.ControlRect(kEditingArea).w, 640);
}

// Files the editor must not rewrite: an unedited save keeps LF line breaks,
// a UTF-16 file and a device name are refused with an error.
TEST_F(RealUnsavedWork, FilesTheEditorDoesNotUnderstandAreKeptOrRefused) {
  Write("lf.script", "one\ntwo\n");
  LoadScript(app, folder + "lf.script");
  ASSERT_TRUE(SaveScript(app, folder + "lf.script"));
  std::string bytes;
  platform.files.ReadFile(folder + "lf.script", bytes);
  EXPECT_EQ(bytes, "one\ntwo\n");
  Write("utf16.script", std::string("\xFF\xFEo\0n\0", 6));
  g_answers = {IDOK, IDOK};
  LoadScript(app, folder + "utf16.script");
  LoadScript(app, folder + "nul.script");
  ASSERT_EQ(answers->seen.size(), 2u);
  EXPECT_EQ(answers->seen[0].rfind("Error:|", 0), 0u) << answers->seen[0];
  EXPECT_EQ(answers->seen[1].rfind("Error:|", 0), 0u) << answers->seen[1];
  EXPECT_EQ(Title(), "QVR Visual Script Editor - lf.script");
  EXPECT_EQ(app.edit->GetText(), "one\r\ntwo\r\n");
}

// A save through a link changes the file it points at: a hard link keeps
// sharing the text, a symbolic link stays a link.
TEST_F(RealUnsavedWork, ASaveThatStopsOrFailsMidwayLeavesAWholeText) {
  auto text = [this](const char* name) {
    std::string bytes;
    platform.files.ReadFile(folder + name, bytes);
    return bytes;
  };
  auto retype = [this](const std::string& typed) {
    app.edit->ExSetSel(0, -1);
    app.edit->ReplaceSel(typed, true);
    MarkChanged(app.state);
  };
  FaultyFiles faulty(platform.files);
  Write("a.script", "old");
  LoadScript(app, folder + "a.script");
  retype("the new text");
  // Stopped before its rename: the file is as it was, and the next open
  // offers the text the save had put down whole.
  app.platform.files = &faulty;
  faulty.crashOn = "Rename";
  EXPECT_THROW(SaveScript(app, folder + "a.script"), FaultyFiles::Crash);
  app.platform.files = &platform.files;
  EXPECT_EQ(text("a.script"), "old");
  g_answers = {IDYES};
  LoadScript(app, folder + "a.script");
  ASSERT_EQ(answers->seen.size(), 1u);
  EXPECT_EQ(answers->seen[0].rfind("Question:|", 0), 0u) << answers->seen[0];
  EXPECT_EQ(app.edit->GetText(), "the new text");
  EXPECT_EQ(app.state.Changed, 1);
  ASSERT_TRUE(SaveScript(app, folder + "a.script"));
  EXPECT_EQ(text("a.script"), "the new text");
  EXPECT_EQ(GetFileAttributesA(FreshNameBeside(folder + "a.script").c_str()), INVALID_FILE_ATTRIBUTES);

  // A file of two names is written over in place, so both keep the text;
  // a write that fails there puts the old text back and says why.
  ASSERT_TRUE(CreateHardLinkA((folder + "hard.script").c_str(), (folder + "a.script").c_str(), nullptr));
  LoadScript(app, folder + "hard.script");
  retype("a newer text, longer than the one before");
  app.platform.files = &faulty;
  faulty.failOn = "Write";
  faulty.skip = 2;   // the save's record, then the copy of the old text
  answers->seen.clear();
  EXPECT_FALSE(SaveScript(app, folder + "hard.script"));
  ASSERT_EQ(answers->seen.size(), 1u);
  EXPECT_NE(answers->seen[0].find(faulty.failWords + " Its old text was put back."), std::string::npos) << answers->seen[0];
  EXPECT_EQ(text("a.script"), "the new text");
  app.platform.files = &platform.files;
  ASSERT_TRUE(SaveScript(app, folder + "hard.script"));
  EXPECT_EQ(text("a.script"), "a newer text, longer than the one before");
  EXPECT_EQ(answers->seen.size(), 1u);   // in silence: nothing is left to tell of
}

}  // namespace
