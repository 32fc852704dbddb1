#include "platform/memory/memory_file_system.h"

bool MemoryFileSystem::ReadFile(const std::string& path, std::string& bytes) {
  ++reads;
  auto it = files.find(path);
  if (it == files.end()) return false;
  bytes = it->second;
  return true;
}

std::string MemoryFileSystem::SaveNameBeside(const std::string& path) {
  const size_t cut = path.rfind('\\');
  return cut == std::string::npos ? "~" + path : path.substr(0, cut + 1) + "~" + path.substr(cut + 1);
}

bool MemoryFileSystem::WriteFileReplacing(const std::string& path, const std::string& bytes) {
  lastBackup.clear();
  lastFailure_ = failure;
  if (failWrites || unwritable.count(path) || readOnly.count(path)) return false;
  // A folder of that name is not a file to replace.
  if (!files.count(path) && Exists(path)) return false;
  const size_t cut = path.rfind('\\');
  const std::string folder = cut == std::string::npos ? "" : path.substr(0, cut + 1);
  if (noNewFiles.count(folder)) {
    if (!files.count(path)) return false;
    lastBackup = backupFolder + path.substr(cut + 1);
    files[lastBackup] = files[path];
  }
  files.erase(SaveNameBeside(path));
  files[path] = bytes;
  lastFailure_.clear();
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
