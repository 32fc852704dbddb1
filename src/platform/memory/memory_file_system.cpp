#include "platform/memory/memory_file_system.h"

bool MemoryFileSystem::ReadFile(const std::string& path, std::string& bytes) {
  ++reads;
  auto it = files.find(path);
  if (it == files.end()) return false;
  bytes = it->second;
  return true;
}

bool MemoryFileSystem::WriteFileReplacing(const std::string& path, const std::string& bytes) {
  if (failWrites || unwritable.count(path) || readOnly.count(path)) return false;
  // A folder of that name is not a file to replace.
  if (!files.count(path) && Exists(path)) return false;
  files[path] = bytes;
  return true;
}

bool MemoryFileSystem::Exists(const std::string& path) {
  if (files.count(path)) return true;
  std::string folder = path;
  if (folder.empty()) return false;
  if (folder.back() != '\\') folder += '\\';
  auto it = files.lower_bound(folder);
  return it != files.end() && it->first.compare(0, folder.size(), folder) == 0;
}
