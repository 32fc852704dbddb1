#pragma once
// Whole-file reads and writes: every file is opened, read or written whole,
// and closed within one command.
#include <cstdint>
#include <string>

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual bool ReadFile(const std::string& path, std::string& bytes) = 0;
  // Writes to a temporary file beside the target, then replaces the target,
  // so a failure midway leaves the old file as it was.
  virtual bool WriteFileReplacing(const std::string& path, const std::string& bytes) = 0;
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
  virtual std::string ExecutablePath() = 0;
  virtual std::string CommandLine() = 0;
  // Bytes of address space this process can still take: what runs out first
  // in a 32-bit program holding a long script.
  virtual uint64_t FreeAddressSpace() = 0;
};
