#pragma once
// The file calls, each one call of the system translated: what a save does
// with them is decided in the editor's logic.
#include <windows.h>

#include "platform/file_system.h"

class Win32FileSystem : public FileSystem {
 public:
  bool ReadFile(const std::string& path, std::string& bytes) override;
  FileHandle CreateNew(const std::string& path) override;
  FileHandle OpenExisting(const std::string& path) override;
  bool Write(FileHandle file, const std::string& bytes) override;
  bool SetEnd(FileHandle file) override;
  bool Flush(FileHandle file) override;
  bool Close(FileHandle file) override;
  bool Rename(const std::string& from, const std::string& to) override;
  bool RemoveFile(const std::string& path) override;
  bool GetAttributes(const std::string& path, FileAttributes& attributes) override;
  bool SetAttributes(const std::string& path, const FileAttributes& attributes) override;
  bool FinalPath(const std::string& path, std::string& final, int& names) override;
  int SameAccess(const std::string& a, const std::string& b) override;
  FileError LastError() override { return error_; }
  std::string LastFailure() override { return failure_; }
  std::string TempFolder() override;
  bool Utf8ToProgramText(const std::string& utf8, std::string& text) override;
  std::string ProgramTextToUtf8(const std::string& text) override;
  bool Exists(const std::string& path) override;
  FileStamp StampOf(const std::string& path) override;
  std::string UserDataFolder() override;
  bool CreateFolder(const std::string& folder) override;
  std::vector<std::string> FilesIn(const std::string& folder, const std::string& suffix) override;
  std::string ExecutablePath() override;
  std::string CommandLine() override;
  uint64_t FreeAddressSpace() override;
  // In place of the process's command line when set (a test program's own
  // arguments name no script).
  std::string commandLine;
  // In place of the user's own folder when set: a test program's copies of
  // unsaved text must not be offered to the editor the user starts.
  std::string userDataFolder;

 private:
  // Takes the reason of the call that just failed; false, for returning.
  bool Fail();
  bool Fail(DWORD error);
  bool Succeed();
  FileError error_ = FileError::None;
  std::string failure_;
};
