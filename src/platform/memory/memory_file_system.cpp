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
  writeTimes[path] = ++clock_;
  lastFailure_.clear();
  return true;
}

// A piecewise write of `path` fails as a whole write of it would, and says
// so the same way.
bool MemoryFileSystem::RefusesPieces(const std::string& path) {
  const bool refused = path.empty() || failWrites || unwritable.count(path) != 0;
  lastFailure_ = refused ? failure : "";
  return refused;
}

bool MemoryFileSystem::StartFileInPieces(const std::string& path) {
  if (RefusesPieces(path)) return false;
  piecesPath_ = path;
  pieces_.clear();
  return true;
}

bool MemoryFileSystem::WritePiece(const std::string& bytes) {
  if (RefusesPieces(piecesPath_)) return false;
  pieces_ += bytes;
  return true;
}

bool MemoryFileSystem::FinishFileInPieces() {
  const std::string path = std::move(piecesPath_);
  piecesPath_.clear();
  if (RefusesPieces(path)) return false;
  files[path] = std::move(pieces_);
  writeTimes[path] = ++clock_;
  return true;
}

bool MemoryFileSystem::Exists(const std::string& path) {
  if (files.count(path) || folders.count(path) || folders.count(path + "\\")) return true;
  std::string folder = path;
  if (folder.empty()) return false;
  if (folder.back() != '\\') folder += '\\';
  auto it = files.lower_bound(folder);
  return it != files.end() && it->first.compare(0, folder.size(), folder) == 0;
}

void MemoryFileSystem::WriteByOther(const std::string& path, const std::string& bytes) {
  files[path] = bytes;
  writeTimes[path] = ++clock_;
}

FileStamp MemoryFileSystem::StampOf(const std::string& path) {
  ++stampQueries;
  FileStamp stamp;
  auto it = files.find(path);
  if (it == files.end()) return stamp;
  stamp.exists = true;
  stamp.size = it->second.size();
  stamp.writeTime = writeTimes.count(path) ? writeTimes[path] : 0;
  return stamp;
}

bool MemoryFileSystem::CreateFolder(const std::string& folder) {
  if (foldersRefused) return Exists(folder);
  folders.insert(folder.empty() || folder.back() == '\\' ? folder : folder + "\\");
  return true;
}

std::vector<std::string> MemoryFileSystem::FilesIn(const std::string& folder, const std::string& suffix) {
  std::vector<std::string> names;
  for (auto it = files.lower_bound(folder); it != files.end() && it->first.compare(0, folder.size(), folder) == 0; ++it) {
    const std::string name = it->first.substr(folder.size());
    if (name.find('\\') == std::string::npos && name.size() >= suffix.size() &&
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
      names.push_back(name);
  }
  return names;
}
