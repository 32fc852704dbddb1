#pragma once
// The real file calls, one of which can be told to fail, or to stop the
// save there as if the machine had: a crash leaves on the disk exactly what
// the calls before it put there.
#include "platform/file_system.h"

class FaultyFiles : public FileSystem {
 public:
  struct Crash {};
  explicit FaultyFiles(FileSystem& real) : real_(real) {}
  // The call that fails, or where the save stops: its name and how many
  // calls of that name come first.
  std::string failOn, crashOn;
  int skip = 0;
  std::string failWords = "There is not enough space on the disk.";

  bool ReadFile(const std::string& p, std::string& b) override { return Step("ReadFile") && real_.ReadFile(p, b); }
  FileHandle CreateNew(const std::string& p) override { return Step("CreateNew") ? real_.CreateNew(p) : 0; }
  FileHandle OpenExisting(const std::string& p) override { return Step("OpenExisting") ? real_.OpenExisting(p) : 0; }
  bool Write(FileHandle f, const std::string& b) override { return Step("Write") && real_.Write(f, b); }
  bool SetEnd(FileHandle f) override { return Step("SetEnd") && real_.SetEnd(f); }
  bool Flush(FileHandle f) override { return Step("Flush") && real_.Flush(f); }
  bool Close(FileHandle f) override {
    const bool allowed = Step("Close");   // the handle goes whatever is said
    return real_.Close(f) && allowed;
  }
  bool Rename(const std::string& a, const std::string& b) override { return Step("Rename") && real_.Rename(a, b); }
  bool RemoveFile(const std::string& p) override { return Step("RemoveFile") && real_.RemoveFile(p); }
  bool GetAttributes(const std::string& p, FileAttributes& a) override { return Step("GetAttributes") && real_.GetAttributes(p, a); }
  bool SetAttributes(const std::string& p, const FileAttributes& a) override { return Step("SetAttributes") && real_.SetAttributes(p, a); }
  bool FinalPath(const std::string& p, std::string& f, int& n) override { return Step("FinalPath") && real_.FinalPath(p, f, n); }
  int SameAccess(const std::string& a, const std::string& b) override { return Step("SameAccess") ? real_.SameAccess(a, b) : -1; }
  FileError LastError() override { return failed_ ? FileError::DiskFull : real_.LastError(); }
  std::string LastFailure() override { return failed_ ? failWords : real_.LastFailure(); }
  std::string TempFolder() override { return real_.TempFolder(); }
  bool Utf8ToProgramText(const std::string& u, std::string& t) override { return real_.Utf8ToProgramText(u, t); }
  std::string ProgramTextToUtf8(const std::string& t) override { return real_.ProgramTextToUtf8(t); }
  bool Exists(const std::string& p) override { return real_.Exists(p); }
  FileStamp StampOf(const std::string& p) override { return real_.StampOf(p); }
  std::string UserDataFolder() override { return real_.UserDataFolder(); }
  bool CreateFolder(const std::string& f) override { return real_.CreateFolder(f); }
  std::vector<std::string> FilesIn(const std::string& f, const std::string& s) override { return real_.FilesIn(f, s); }
  std::string ExecutablePath() override { return real_.ExecutablePath(); }
  std::string CommandLine() override { return real_.CommandLine(); }
  uint64_t FreeAddressSpace() override { return real_.FreeAddressSpace(); }

 private:
  FileSystem& real_;
  bool failed_ = false;
  int seen_ = 0;
  bool Step(const std::string& call) {
    failed_ = false;
    if (call != failOn && call != crashOn) return true;
    if (seen_++ < skip) return true;
    seen_ = 0;
    if (call == crashOn) {
      crashOn.clear();
      throw Crash{};
    }
    failed_ = true;
    failOn.clear();
    return false;
  }
};
