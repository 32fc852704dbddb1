#pragma once
// Files held in a map, for tests. Paths are compared exactly; a path that is
// a prefix folder of any stored file counts as an existing folder.
#include <map>
#include <set>
#include <string>

#include "platform/file_system.h"

class MemoryFileSystem : public FileSystem {
 public:
  std::map<std::string, std::string> files;
  std::string executablePath = "C:\\qvr\\qvrvse.exe";
  std::string commandLine = "qvrvse.exe";
  bool failWrites = false;   // every write fails, leaving files untouched
  std::set<std::string> unwritable;   // writes to these paths fail the same way
  std::set<std::string> readOnly;  // files that refuse to be replaced, as the system's do
  int reads = 0;             // how many ReadFile calls were made
  int stampQueries = 0;      // how many StampOf calls were made
  // Last-write times: every write moves the file's time on, as the system's
  // clock does.
  std::map<std::string, uint64_t> writeTimes;
  // Folders made by CreateFolder; a folder holding files exists anyway.
  std::set<std::string> folders;
  std::string userDataFolder = "C:\\Users\\u\\AppData\\Local\\";
  bool foldersRefused = false;   // CreateFolder fails, as on a read-only profile
  // Another program writes the file (its time moves on, as any write's does).
  void WriteByOther(const std::string& path, const std::string& bytes);

  std::string failure = "Access is denied.";   // what a failed write says
  // Folders that refuse new files; a plain file in one is written in place,
  // after a copy of its old text went to `backupFolder`.
  std::set<std::string> noNewFiles;
  std::string backupFolder = "C:\\temp\\";
  std::string lastBackup;

  // The name a save of `path` writes first, which an interrupted save leaves.
  static std::string SaveNameBeside(const std::string& path);

  bool ReadFile(const std::string& path, std::string& bytes) override;
  bool WriteFileReplacing(const std::string& path, const std::string& bytes) override;
  bool StartFileInPieces(const std::string& path) override;
  bool WritePiece(const std::string& bytes) override;
  bool FinishFileInPieces() override;
  void AbandonFileInPieces() override { piecesPath_.clear(); }
  std::string LastFailure() override { return lastFailure_; }
  std::string LastBackup() override { return lastBackup; }
  std::string LeftoverOfSave(const std::string& path) override {
    return files.count(SaveNameBeside(path)) ? SaveNameBeside(path) : "";
  }
  bool Exists(const std::string& path) override;
  bool RemoveFile(const std::string& path) override { return files.erase(path) != 0; }
  FileStamp StampOf(const std::string& path) override;
  std::string UserDataFolder() override { return userDataFolder; }
  bool CreateFolder(const std::string& folder) override;
  std::vector<std::string> FilesIn(const std::string& folder, const std::string& suffix) override;
  std::string ExecutablePath() override { return executablePath; }
  std::string CommandLine() override { return commandLine; }
  uint64_t freeAddressSpace = uint64_t(1) << 40;
  uint64_t FreeAddressSpace() override { return freeAddressSpace; }

 private:
  std::string lastFailure_;
  std::string piecesPath_, pieces_;
  bool RefusesPieces(const std::string& path);
  uint64_t clock_ = 1000;
};
