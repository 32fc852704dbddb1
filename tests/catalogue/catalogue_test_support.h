#pragma once
// Shared by the catalogue tests and benchmark: the outline as indented text,
// so a whole tree compares in one assertion, and the data set read from disk.
#include <dirent.h>

#include <fstream>
#include <sstream>
#include <string>

#include "catalogue/tree_outline.h"
#include "platform/memory/memory_file_system.h"

// One line per node, two spaces per level.
inline std::string OutlineText(const TreeOutline& outline) {
  std::string text;
  for (const OutlineNode& node : outline.nodes) {
    text.append(2 * node.depth, ' ');
    text += node.label;
    text += '\n';
  }
  return text;
}

inline bool ReadDiskFile(const std::string& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream out;
  out << in.rdbuf();
  bytes = out.str();
  return true;
}

// Every file of `folder` and of its sub-folder "QVR_Docs", stored under
// the relative Windows names the editor asks for ("QVR_Docs\\x.txt").
// Returns the number of files read.
inline int LoadDataSet(const std::string& folder, MemoryFileSystem& files) {
  int count = 0;
  for (const char* sub : {"", "QVR_Docs"}) {
    const std::string dir = folder + "/" + sub;
    DIR* handle = opendir(dir.c_str());
    if (!handle) continue;
    while (dirent* entry = readdir(handle)) {
      const std::string name = entry->d_name;
      std::string bytes;
      if (entry->d_type == DT_DIR || !ReadDiskFile(dir + "/" + name, bytes)) continue;
      const std::string key = std::string(sub).empty() ? name : std::string(sub) + "\\" + name;
      files.files[key] = bytes;
      ++count;
    }
    closedir(handle);
  }
  return count;
}

// Reads straight from the disk folder on every request, for timing loads that
// include the file reads.
class DiskFileSystem : public FileSystem {
 public:
  explicit DiskFileSystem(std::string folder) : folder_(std::move(folder)) {}
  bool ReadFile(const std::string& path, std::string& bytes) override {
    std::string native = path;
    for (char& c : native)
      if (c == '\\') c = '/';
    return ReadDiskFile(folder_ + "/" + native, bytes);
  }
  FileHandle CreateNew(const std::string&) override { return 0; }
  FileHandle OpenExisting(const std::string&) override { return 0; }
  bool Write(FileHandle, const std::string&) override { return false; }
  bool SetEnd(FileHandle) override { return false; }
  bool Flush(FileHandle) override { return false; }
  bool Close(FileHandle) override { return false; }
  bool Rename(const std::string&, const std::string&) override { return false; }
  bool GetAttributes(const std::string&, FileAttributes&) override { return false; }
  bool SetAttributes(const std::string&, const FileAttributes&) override { return false; }
  bool FinalPath(const std::string& path, std::string& final, int& names) override {
    final = path;
    names = 1;
    return true;
  }
  int SameAccess(const std::string&, const std::string&) override { return 1; }
  FileError LastError() override { return FileError::Other; }
  std::string TempFolder() override { return ""; }
  bool Utf8ToProgramText(const std::string&, std::string&) override { return false; }
  std::string ProgramTextToUtf8(const std::string& text) override { return text; }
  bool RemoveFile(const std::string&) override { return false; }
  bool Exists(const std::string& path) override {
    std::string bytes;
    return ReadFile(path, bytes);
  }
  std::string ExecutablePath() override { return ""; }
  std::string CommandLine() override { return ""; }
  uint64_t FreeAddressSpace() override { return UINT64_MAX; }
  std::string LastFailure() override { return ""; }
  FileStamp StampOf(const std::string&) override { return {}; }
  std::string UserDataFolder() override { return ""; }
  bool CreateFolder(const std::string&) override { return false; }
  std::vector<std::string> FilesIn(const std::string&, const std::string&) override { return {}; }

 private:
  std::string folder_;
};
