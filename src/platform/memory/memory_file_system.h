#pragma once
// Files held in a map, for tests. Paths are compared exactly; a path that is
// a prefix folder of any stored file counts as an existing folder.
//
// Any call of the file primitives can be made to fail, or the machine to
// stop there as a crash or a power cut would: what was written but not
// flushed is then lost, kept or zeroed, and nothing after it happens.
#include <functional>
#include <map>
#include <set>
#include <string>

#include "platform/file_system.h"

class MemoryFileSystem : public FileSystem {
 public:
  std::map<std::string, std::string> files;
  std::string executablePath = "C:\\qvr\\qvrvse.exe";
  std::string commandLine = "qvrvse.exe";
  bool failWrites = false;   // every file made or opened for writing is refused
  std::set<std::string> unwritable;   // these names refuse new text, as a file in use does
  std::set<std::string> readOnly, hidden, system;
  std::set<std::string> noNewFiles;   // folders that refuse new files
  std::map<std::string, std::string> links;   // symbolic link -> the path it points at
  std::map<std::string, int> names;   // how many names a file has, where more than one
  std::set<std::string> privateFiles;   // an access list a fresh file would not get
  std::string failure = "Access is denied.";   // what a refused write says
  std::string tempFolder = "C:\\temp\\";
  int reads = 0;             // how many ReadFile calls were made
  // Runs after each read, as another program writing just then would.
  std::function<void(const std::string& path)> afterRead;
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

  // ---- Faults: call numbers count the primitives from 1 since Arm.
  enum class Loss { Lost, Kept, Zeroed };
  struct Crash {};   // thrown where the machine stops
  int calls = 0;
  int failAt = 0, crashAt = 0;
  FileError failKind = FileError::DiskFull;
  std::string failWords = "There is not enough space on the disk.";
  Loss loss = Loss::Lost;
  void Arm(int fail, int crash, Loss how = Loss::Lost);

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
  bool FinalPath(const std::string& path, std::string& final, int& count) override;
  int SameAccess(const std::string& a, const std::string& b) override;
  FileError LastError() override { return error_; }
  std::string LastFailure() override { return words_; }
  std::string TempFolder() override { return tempFolder; }
  // The program's code page here is Latin-1: U+0000 to U+00FF, byte for byte.
  bool Utf8ToProgramText(const std::string& utf8, std::string& text) override;
  std::string ProgramTextToUtf8(const std::string& text) override;
  bool Exists(const std::string& path) override;
  FileStamp StampOf(const std::string& path) override;
  std::string UserDataFolder() override { return userDataFolder; }
  bool CreateFolder(const std::string& folder) override;
  std::vector<std::string> FilesIn(const std::string& folder, const std::string& suffix) override;
  std::string ExecutablePath() override { return executablePath; }
  std::string CommandLine() override { return commandLine; }
  uint64_t freeAddressSpace = uint64_t(1) << 40;
  uint64_t FreeAddressSpace() override { return freeAddressSpace; }

 private:
  struct Open {
    std::string path;
    size_t at = 0;
  };
  std::map<FileHandle, Open> open_;
  FileHandle nextHandle_ = 1;
  // What survives a crash of each file written since its last flush.
  std::map<std::string, std::string> flushed_;
  FileError error_ = FileError::None;
  std::string words_;
  uint64_t clock_ = 1000;

  // Counts the call; false when it is the one told to fail. Throws Crash
  // when the machine stops there.
  bool Step();
  bool Refuse(FileError kind, const std::string& words);
  bool Succeed();
  std::string Resolved(const std::string& path) const;
  void Touch(const std::string& path);
  std::string* Target(FileHandle file);
};
