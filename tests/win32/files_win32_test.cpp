// Script files on the real file system, in a folder of the test's own.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/script_files.h"
#include "win32/real_app.h"

namespace {

class RealFiles : public RealApp {
 protected:
  std::string folder;
  void SetUp() override {
    RealApp::SetUp();
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder = std::string(temp) + "qvrvse-files-test\\";
    CreateDirectoryA(folder.c_str(), nullptr);
  }
  void TearDown() override {
    for (const char* name : {"a.script", "notes.script", "locked.script", "big.script"})
      DeleteFileA((folder + name).c_str());
    RemoveDirectoryA(folder.c_str());
  }
  std::string Read(const std::string& path) {
    std::string bytes;
    platform.files.ReadFile(path, bytes);
    return bytes;
  }
};

TEST_F(RealFiles, OpenAndSaveKeepEveryByteAndLineBreak) {
  ASSERT_TRUE(platform.files.WriteFileReplacing(folder + "a.script", "x\ry\nz\r\n\r\nlast\r\n"));
  LoadScript(app, folder + "a.script");
  EXPECT_EQ(app.state.FileName, "a.script");
  EXPECT_EQ(app.state.FileDir, folder);
  EXPECT_EQ(app.edit->GetText(), "x\r\ny\r\nz\r\n\r\nlast\r\n");
  ASSERT_TRUE(SaveScript(app, folder + "notes"));
  EXPECT_EQ(Read(folder + "notes.script"), "x\r\ny\r\nz\r\n\r\nlast\r\n");
  // Nothing is left beside the file.
  EXPECT_EQ(GetFileAttributesA((folder + "notes.script.saving~").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(RealFiles, ALargeScriptIsWrittenWhole) {
  std::string line(70000, 'q');
  std::string text;
  for (int i = 0; i < 30; ++i) text += (i ? "\r\n" : "") + line;
  ASSERT_TRUE(platform.files.WriteFileReplacing(folder + "big.script", text));
  LoadScript(app, folder + "big.script");
  ASSERT_TRUE(SaveScript(app, folder + "big.script"));
  EXPECT_EQ(Read(folder + "big.script"), text);
}

TEST_F(RealFiles, AFailedSaveLeavesTheOldFileAndSaysSo) {
  std::string path = folder + "locked.script";
  ASSERT_TRUE(platform.files.WriteFileReplacing(path, "old text"));
  // Another program holds the file open without letting it be replaced.
  HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(platform.files.WriteFileReplacing(path, "new text"));
  CloseHandle(held);
  EXPECT_EQ(Read(path), "old text");
  EXPECT_FALSE(platform.files.WriteFileReplacing(folder + "no such folder\\x.script", "text"));
}

}  // namespace
