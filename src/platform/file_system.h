#pragma once
// The file calls the editor makes. Each one stands for one call of the
// system and decides nothing: how a save uses them to keep the user's text
// whole is the editor's own logic (app/file_save).
#include <cstdint>
#include <string>
#include <vector>

// What the system tells of a file without opening it: enough to see that
// another program wrote it since.
struct FileStamp {
  bool exists = false;
  uint64_t size = 0;
  uint64_t writeTime = 0;   // the system's last-write time, in its own units
  bool operator==(const FileStamp& o) const {
    return exists == o.exists && size == o.size && writeTime == o.writeTime;
  }
  bool operator!=(const FileStamp& o) const { return !(*this == o); }
};

// A file opened for writing by CreateNew or OpenExisting; 0 is none.
using FileHandle = uintptr_t;

// Why a call failed, as far as the editor's decisions need to know.
enum class FileError { None, NotFound, Exists, AccessDenied, DiskFull, Other };

struct FileAttributes {
  bool folder = false;
  bool readOnly = false;
  bool hidden = false;
  bool system = false;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual bool ReadFile(const std::string& path, std::string& bytes) = 0;

  // Makes a file of exactly that name, open for writing; fails with Exists
  // when the name is taken, by a file or a folder.
  virtual FileHandle CreateNew(const std::string& path) = 0;
  // Opens a file that exists for writing from its start; nothing is cut.
  virtual FileHandle OpenExisting(const std::string& path) = 0;
  // Writes at the handle's place and moves it on.
  virtual bool Write(FileHandle file, const std::string& bytes) = 0;
  // Ends the file where the last write ended.
  virtual bool SetEnd(FileHandle file) = 0;
  // Returns once what was written is on the disk.
  virtual bool Flush(FileHandle file) = 0;
  virtual bool Close(FileHandle file) = 0;
  // Gives `from` the name `to`, replacing a file there, in one step that is
  // on the disk when the call returns.
  virtual bool Rename(const std::string& from, const std::string& to) = 0;
  // False when there was no such file or it could not be removed.
  virtual bool RemoveFile(const std::string& path) = 0;
  // False with NotFound when nothing has that name.
  virtual bool GetAttributes(const std::string& path, FileAttributes& attributes) = 0;
  virtual bool SetAttributes(const std::string& path, const FileAttributes& attributes) = 0;
  // The whole path of the file `path` names in the end, behind symbolic
  // links, and how many names (hard links) that file has. A name with no
  // file behind it comes back whole, with one name.
  virtual bool FinalPath(const std::string& path, std::string& final, int& names) = 0;
  // 1 when the two files have the same owner and access list, or the volume
  // keeps none; 0 when they differ; -1 when the system would not say.
  virtual int SameAccess(const std::string& a, const std::string& b) = 0;
  // Why the last call that failed did: its kind, and the system's words.
  virtual FileError LastError() = 0;
  virtual std::string LastFailure() = 0;
  // The user's folder for temporary files, with a trailing backslash.
  virtual std::string TempFolder() = 0;

  // UTF-8 in the program's code page; false when a letter has no place
  // there (no look-alike stands in for it).
  virtual bool Utf8ToProgramText(const std::string& utf8, std::string& text) = 0;
  virtual std::string ProgramTextToUtf8(const std::string& text) = 0;

  // True when the system reports a size for the path (a folder counts).
  virtual bool Exists(const std::string& path) = 0;
  // One query of the system, the file left closed.
  virtual FileStamp StampOf(const std::string& path) = 0;
  // The user's own folder for a program's local files, with a trailing
  // backslash; "" when the system names none.
  virtual std::string UserDataFolder() = 0;
  // Makes the folder and any missing folders above it; true when it exists.
  virtual bool CreateFolder(const std::string& folder) = 0;
  // Names of the plain files in `folder` whose names end in `suffix`.
  virtual std::vector<std::string> FilesIn(const std::string& folder, const std::string& suffix) = 0;
  virtual std::string ExecutablePath() = 0;
  virtual std::string CommandLine() = 0;
  // Bytes of address space this process can still take: what runs out first
  // in a 32-bit program holding a long script.
  virtual uint64_t FreeAddressSpace() = 0;
};
