#pragma once
// Whole-file reads and writes: every file is opened, read or written whole,
// and closed within one command; or, for a long file written while the user
// types, written a piece per call.
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

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual bool ReadFile(const std::string& path, std::string& bytes) = 0;
  // Writes to a temporary file beside the target, then replaces the target,
  // so a failure midway leaves the old file as it was.
  virtual bool WriteFileReplacing(const std::string& path, const std::string& bytes) = 0;
  // A file written a piece per call, so that no one call waits long for the
  // disk: each piece is on the disk when its call returns. The file takes
  // `path`, replacing what was there in one step, only once finished; until
  // then the old file stays whole. One such file at a time.
  virtual bool StartFileInPieces(const std::string& path) = 0;
  virtual bool WritePiece(const std::string& bytes) = 0;
  virtual bool FinishFileInPieces() = 0;
  virtual void AbandonFileInPieces() = 0;
  // Why the last call that failed did, in the system's words ("" if unknown).
  virtual std::string LastFailure() = 0;
  // Set by a WriteFileReplacing that had to write the target in place (its
  // folder refuses new files): the copy of the old text it made first.
  // "" after a write that replaced the target whole.
  virtual std::string LastBackup() = 0;
  // The file an interrupted save of `path` left beside it, holding the text
  // that save was writing; "" when there is none. The next save of `path`
  // removes it.
  virtual std::string LeftoverOfSave(const std::string& path) = 0;
  // True when the system reports a size for the path (a folder counts).
  virtual bool Exists(const std::string& path) = 0;
  // False when there was no such file or it could not be removed.
  virtual bool RemoveFile(const std::string& path) = 0;
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
