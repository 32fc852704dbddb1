// Script files on the real file system, in a folder of the test's own.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "app/app_state.h"
#include "app/file_save.h"
#include "app/script_files.h"
#include "win32/faulty_files.h"
#include "win32/real_app.h"

namespace {

class RealFiles : public RealApp {
 protected:
  std::string folder;
  void SetUp() override {
    RealApp::SetUp();
    folder = ScratchFolder("qvrvse-files-test");
  }
  void TearDown() override {
    for (const std::string& name : Listing()) {
      SetFileAttributesA((folder + name).c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA((folder + name).c_str());
    }
    RemoveDirectoryA(folder.c_str());
  }
  // The folder's files, in the order the system lists them.
  std::vector<std::string> Listing() {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      if (std::string(found.cFileName) != "." && std::string(found.cFileName) != "..")
        names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
  }
  std::string Read(const std::string& path) {
    std::string bytes;
    platform.files.ReadFile(path, bytes);
    return bytes;
  }
};

TEST_F(RealFiles, OpenAndSaveKeepEveryByteAndLineBreak) {
  ASSERT_TRUE(SaveFile(platform.files, "", folder + "a.script", "x\ry\nz\r\n\r\nlast\r\n").written);
  LoadScript(app, folder + "a.script");
  EXPECT_EQ(app.state.FileName, "a.script");
  EXPECT_EQ(app.state.FileDir, folder);
  EXPECT_EQ(app.edit->GetText(), "x\r\ny\r\nz\r\n\r\nlast\r\n");
  ASSERT_TRUE(SaveScript(app, folder + "notes.script"));
  EXPECT_EQ(Read(folder + "notes.script"), "x\r\ny\r\nz\r\n\r\nlast\r\n");
  // Nothing is left beside the file.
  EXPECT_EQ(GetFileAttributesA((folder + "notes.script.saving~").c_str()), INVALID_FILE_ATTRIBUTES);

  // A UTF-8 script with a byte-order mark shows its letters in the
  // program's code page, and a letter typed at the start goes in as UTF-8
  // after the mark.
  ASSERT_TRUE(SaveFile(platform.files, "", folder + "u.script", "\xEF\xBB\xBFM\xC3\xBCller").written);
  LoadScript(app, folder + "u.script");
  // The letters as the program's code page spells them, whichever it is.
  char muller[16] = {0}, acute[4] = {0};
  BOOL lacking = FALSE, lackingAcute = FALSE;
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, L"M\u00FCller", -1, muller, sizeof(muller), nullptr, &lacking);
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, L"\u00E9", -1, acute, sizeof(acute), nullptr, &lackingAcute);
  if (lacking || lackingAcute) GTEST_SKIP() << "this code page has no u umlaut or e acute";
  EXPECT_EQ(app.edit->GetText(), muller);
  app.edit->ExSetSel(0, 0);
  app.edit->ReplaceSel(acute, true);
  ASSERT_TRUE(SaveScript(app, folder + "u.script"));
  EXPECT_EQ(Read(folder + "u.script"), "\xEF\xBB\xBF\xC3\xA9M\xC3\xBCller");
}

TEST_F(RealFiles, ALargeScriptIsWrittenWhole) {
  std::string line(70000, 'q');
  std::string text;
  for (int i = 0; i < 30; ++i) text += (i ? "\r\n" : "") + line;
  ASSERT_TRUE(SaveFile(platform.files, "", folder + "big.script", text).written);
  LoadScript(app, folder + "big.script");
  ASSERT_TRUE(SaveScript(app, folder + "big.script"));
  EXPECT_EQ(Read(folder + "big.script"), text);
}

// A long text is dropped by putting a fresh control in the old one's place;
// the fresh one must be the editing area in every way the user meets it.
TEST_F(RealFiles, OpeningOverALongScriptGivesAFreshControlThatWorksAsTheOld) {
  std::string longText, shortText = "first\r\nsecond";
  for (int i = 0; i < 3000; ++i) longText += (i ? "\r\n" : "") + std::string("Game.Player.x = ") + std::to_string(i);
  ASSERT_TRUE(SaveFile(platform.files, "", folder + "long.script", longText).written);
  ASSERT_TRUE(SaveFile(platform.files, "", folder + "short.script", shortText).written);
  LoadScript(app, folder + "long.script");
  HWND old = Control(kEditingArea);
  LoadScript(app, folder + "short.script");
  Run();
  HWND fresh = Control(kEditingArea);
  EXPECT_NE(fresh, old);
  EXPECT_FALSE(IsWindow(old));
  EXPECT_TRUE(IsWindowVisible(fresh));
  EXPECT_EQ(GetFocus(), fresh);
  EXPECT_EQ(app.edit->GetText(), shortText);
  EXPECT_FALSE(app.edit->CanUndo());
  // Typing reaches the loop from the fresh control and is the user's to undo.
  PostMessageA(fresh, WM_CHAR, 'x', 0);
  Run();
  EXPECT_EQ(app.edit->GetText(), "x" + shortText);
  EXPECT_EQ(app.state.Changed, 1);
  Menu(8);
  EXPECT_EQ(app.edit->GetText(), shortText);
  // The editor's text limit holds in the fresh control too.
  std::string wide(70000, 'w');
  app.edit->ExSetSel(-1, -1);
  app.edit->ReplaceSel(wide, true);
  EXPECT_EQ(app.edit->GetTextLength(), static_cast<long>(shortText.size() + wide.size()));
}

TEST_F(RealFiles, AFailedSaveLeavesTheOldFileAndSaysSo) {
  std::string path = folder + "locked.script";
  ASSERT_TRUE(SaveFile(platform.files, "", path, "old text").written);
  // Another program holds the file open without letting it be replaced.
  HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(SaveFile(platform.files, "", path, "new text").written);
  CloseHandle(held);
  EXPECT_EQ(Read(path), "old text");
  EXPECT_EQ(Listing(), std::vector<std::string>{"locked.script"});
  EXPECT_FALSE(SaveFile(platform.files, "", folder + "no such folder\\x.script", "text").written);
}

// The file written first must never be one that could already exist: not a
// user's file of a guessable name, not a folder; and replacing keeps what the
// target carries besides its bytes.
TEST_F(RealFiles, SavingLeavesOtherFilesAloneAndKeepsTheTargetsAttributes) {
  const std::string path = folder + "a.script";
  ASSERT_TRUE(SaveFile(platform.files, "", path + ".saving~", "user's own").written);
  ASSERT_TRUE(SaveFile(platform.files, "", path, "old").written);
  ASSERT_TRUE(SaveFile(platform.files, "", path, "new").written);
  EXPECT_EQ(Read(path + ".saving~"), "user's own");
  EXPECT_EQ(Read(path), "new");
  DeleteFileA((path + ".saving~").c_str());
  ASSERT_TRUE(CreateDirectoryA((path + ".saving~").c_str(), nullptr));
  EXPECT_TRUE(SaveFile(platform.files, "", path, "newer").written);
  EXPECT_EQ(Read(path), "newer");
  RemoveDirectoryA((path + ".saving~").c_str());

  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
  ASSERT_TRUE(SaveFile(platform.files, "", path, "hidden").written);
  EXPECT_EQ(Read(path), "hidden");
  EXPECT_NE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(SaveFile(platform.files, "", path, "refused").written);
  EXPECT_EQ(Read(path), "hidden");
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);

  // Nothing is left beside the file.
  EXPECT_EQ(Listing(), std::vector<std::string>{"a.script"});
}

TEST_F(RealFiles, APathNearTheLimitSaves) {
  // A folder as long as the system allows one, and a name up to the limit.
  std::string deep = folder + std::string(240 - folder.size(), 'd') + "\\";
  ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr)) << deep.size();
  const std::string path = deep + std::string(MAX_PATH - 1 - deep.size() - 7, 'n') + ".script";
  ASSERT_EQ(path.size(), static_cast<size_t>(MAX_PATH - 1));
  EXPECT_TRUE(SaveFile(platform.files, "", path, "first").written);
  EXPECT_TRUE(SaveFile(platform.files, "", path, "second").written);
  EXPECT_EQ(Read(path), "second");
  DeleteFileA(path.c_str());
  RemoveDirectoryA(deep.c_str());
}

// Wine makes no symbolic link of its own, nor a file of a mode other than
// its default: the test command makes them on the host in QVR_HOST_FOLDER
// ("link.script" to "real.script", "private.script" of mode 600 and
// "open.script" of 644) and checks afterwards that the link is still a link
// and each file kept its mode. No window is made: the run comes straight
// after the suites that shared Wine's desktop, and has no need of it.
TEST(HostFiles, KeepTheirLinkAndTheirPermissions) {
  Win32FileSystem files;
  const char* host = std::getenv("QVR_HOST_FOLDER");
  if (!host) GTEST_SKIP() << "run by the test command, which makes the files";
  const std::string at = host;
  // Stopped before its rename, a save through the link leaves its text
  // beside the file the link points at, where the next open finds it.
  FaultyFiles faulty(files);
  faulty.crashOn = "Rename";
  EXPECT_THROW(SaveFile(faulty, at, at + "link.script", "cut short"), FaultyFiles::Crash);
  const UnfinishedSave found = FindUnfinishedSave(files, at, at + "link.script");
  std::string bytes;
  EXPECT_EQ(found.kind, UnfinishedSave::NewText);
  files.ReadFile(found.file, bytes);
  EXPECT_EQ(bytes, "cut short");
  DeclineUnfinishedSave(files, found);
  ASSERT_TRUE(SaveFile(files, "", at + "link.script", "through the link").written);
  files.ReadFile(at + "real.script", bytes);
  EXPECT_EQ(bytes, "through the link");
  for (const char* name : {"private.script", "open.script"}) {
    ASSERT_TRUE(SaveFile(files, "", at + name, "saved").written) << name;
    files.ReadFile(at + name, bytes);
    EXPECT_EQ(bytes, "saved") << name;
  }
  // A private script grown past what its small disk holds is written in
  // place; the write runs out of room, and the old text is put back whole.
  const char* small = std::getenv("QVR_SMALL_DISK");
  if (!small) return;
  const SaveResult saved = SaveFile(files, "", std::string(small) + "private.script", std::string(140000, 'n'));
  EXPECT_FALSE(saved.written);
  char words[256] = {0};
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, ERROR_DISK_FULL, 0, words,
                 sizeof(words), nullptr);
  EXPECT_EQ(saved.why.substr(0, 8), std::string(words).substr(0, 8)) << saved.why;
  EXPECT_EQ(saved.oldText, "Its old text was put back.");
}

}  // namespace
