#pragma once
// The system services other than windows: dialogs, clipboard, profile
// files, registry, files and started programs.
#include <windows.h>

#include "platform/clipboard.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/process_runner.h"
#include "platform/profile.h"
#include "platform/registry.h"

class Win32Dialogs : public Dialogs {
 public:
  // The owner of message boxes and dialogs: the program's active window,
  // else the main window once it exists.
  HWND (*owner)() = nullptr;
  int ShowMessage(const std::string& text, const std::string& title, MessageButtons buttons) override;
  std::string OpenFileDialog(const FileDialogSpec& form) override;
  std::string SaveFileDialog(const FileDialogSpec& form) override;
  bool ChooseFontDialog(const std::string& face, int points, FontChoice& chosen) override;
  int64_t ChooseColorDialog(uint32_t initial, CustomColors& custom) override;
};

class Win32Clipboard : public Clipboard {
 public:
  std::string GetText() override;
  void SetText(const std::string& text) override;
};

class Win32Profile : public ProfileStore {
 public:
  std::string Read(const std::string& section, const std::string& key, const std::string& fallback,
                   size_t bufferSize, const std::string& file) override;
  bool Write(const std::string& section, const std::string& key, const std::string& value,
             const std::string& file) override;
};

class Win32Registry : public Registry {
 public:
  long OpenKey(RegistryRoot root, const std::string& path, RegistryKey& key) override;
  long QueryValue(RegistryKey key, const std::string& name, uint32_t& type, std::vector<uint8_t>& buffer,
                  uint32_t& size) override;
  void CloseKey(RegistryKey key) override;
};

class Win32FileSystem : public FileSystem {
 public:
  bool ReadFile(const std::string& path, std::string& bytes) override;
  bool WriteFileReplacing(const std::string& path, const std::string& bytes) override;
  bool StartFileInPieces(const std::string& path) override;
  bool WritePiece(const std::string& bytes) override;
  bool FinishFileInPieces() override;
  void AbandonFileInPieces() override;
  bool Exists(const std::string& path) override;
  bool RemoveFile(const std::string& path) override;
  FileStamp StampOf(const std::string& path) override;
  std::string UserDataFolder() override;
  bool CreateFolder(const std::string& folder) override;
  std::vector<std::string> FilesIn(const std::string& folder, const std::string& suffix) override;
  std::string ExecutablePath() override;
  std::string CommandLine() override;
  uint64_t FreeAddressSpace() override;
  std::string LastFailure() override { return failure_; }
  // In place of the process's command line when set (a test program's own
  // arguments name no script).
  std::string commandLine;
  // In place of the user's own folder when set: a test program's copies of
  // unsaved text must not be offered to the editor the user starts.
  std::string userDataFolder;
  std::string LastBackup() override { return backup_; }
  std::string LeftoverOfSave(const std::string& path) override;
  // The name a save of `path` writes first, beside it.
  static std::string SaveNameBeside(const std::string& path);

 private:
  bool Fail();
  bool WriteInPlace(const std::string& path, const std::string& bytes);
  std::string failure_, backup_;
  HANDLE pieces_ = INVALID_HANDLE_VALUE;
  std::string piecesPath_, piecesWritten_;
};

class Win32ProcessRunner : public ProcessRunner {
 public:
  bool RunAndWait(const std::string& file, const std::string& folder) override;
  bool ConsolePath(const std::string& path, std::string& spelled) override;
  std::string ThisProcess() override;
  bool IsRunning(const std::string& process) override;
};
