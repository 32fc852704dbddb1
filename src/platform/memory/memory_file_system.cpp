#include "platform/memory/memory_file_system.h"

namespace {

const char* const kNotFound = "The system cannot find the file specified.";
const char* const kTaken = "The file exists.";

std::string FolderOf(const std::string& path) {
  const size_t cut = path.rfind('\\');
  return cut == std::string::npos ? "" : path.substr(0, cut + 1);
}

}  // namespace

void MemoryFileSystem::Arm(int fail, int crash, Loss how) {
  calls = 0;
  failAt = fail;
  crashAt = crash;
  loss = how;
}

bool MemoryFileSystem::Step() {
  ++calls;
  if (crashAt != 0 && calls == crashAt) {
    for (auto& [path, before] : flushed_) {
      auto it = files.find(path);
      if (it == files.end() || loss == Loss::Kept) continue;
      if (loss == Loss::Lost) {
        it->second = before;
        continue;
      }
      for (size_t i = 0; i < it->second.size(); ++i)
        if (i >= before.size() || it->second[i] != before[i]) it->second[i] = '\0';
    }
    flushed_.clear();
    open_.clear();
    failAt = crashAt = 0;
    throw Crash{};
  }
  if (failAt != 0 && calls == failAt) {
    error_ = failKind;
    words_ = failWords;
    return false;
  }
  return true;
}

bool MemoryFileSystem::Refuse(FileError kind, const std::string& words) {
  error_ = kind;
  words_ = words;
  return false;
}

bool MemoryFileSystem::Succeed() {
  error_ = FileError::None;
  words_.clear();
  return true;
}

std::string MemoryFileSystem::Resolved(const std::string& path) const {
  std::string at = path;
  for (int hop = 0; hop < 8; ++hop) {
    auto it = links.find(at);
    if (it == links.end()) break;
    at = it->second;
  }
  return at;
}

void MemoryFileSystem::Touch(const std::string& path) { writeTimes[path] = ++clock_; }

std::string* MemoryFileSystem::Target(FileHandle file) {
  auto it = open_.find(file);
  if (it == open_.end()) return nullptr;
  auto found = files.find(it->second.path);
  return found == files.end() ? nullptr : &found->second;
}

bool MemoryFileSystem::ReadFile(const std::string& path, std::string& bytes) {
  ++reads;
  if (!Step()) return false;
  auto it = files.find(Resolved(path));
  if (it == files.end()) return Refuse(FileError::NotFound, kNotFound);
  bytes = it->second;
  if (afterRead) afterRead(path);
  return Succeed();
}

FileHandle MemoryFileSystem::CreateNew(const std::string& path) {
  if (!Step()) return 0;
  if (failWrites || unwritable.count(path) || noNewFiles.count(FolderOf(path))) {
    Refuse(FileError::AccessDenied, failure);
    return 0;
  }
  if (Exists(path)) {
    Refuse(FileError::Exists, kTaken);
    return 0;
  }
  files[path] = "";
  flushed_[path] = "";
  Touch(path);
  open_[nextHandle_] = Open{path, 0};
  Succeed();
  return nextHandle_++;
}

FileHandle MemoryFileSystem::OpenExisting(const std::string& path) {
  if (!Step()) return 0;
  const std::string target = Resolved(path);
  if (failWrites || unwritable.count(target)) {
    Refuse(FileError::AccessDenied, failure);
    return 0;
  }
  if (!files.count(target)) {
    Refuse(FileError::NotFound, kNotFound);
    return 0;
  }
  open_[nextHandle_] = Open{target, 0};
  Succeed();
  return nextHandle_++;
}

bool MemoryFileSystem::Write(FileHandle file, const std::string& bytes) {
  const bool allowed = Step();
  std::string* text = Target(file);
  if (!text) return Refuse(FileError::Other, "The handle is invalid.");
  Open& at = open_[file];
  if (!flushed_.count(at.path)) flushed_[at.path] = *text;
  // A write that fails midway, as on a full disk, has put down a part.
  const std::string written = allowed ? bytes : bytes.substr(0, bytes.size() / 2);
  if (text->size() < at.at + written.size()) text->resize(at.at + written.size());
  text->replace(at.at, written.size(), written);
  at.at += written.size();
  Touch(at.path);
  return allowed && Succeed();
}

bool MemoryFileSystem::SetEnd(FileHandle file) {
  if (!Step()) return false;
  std::string* text = Target(file);
  if (!text) return Refuse(FileError::Other, "The handle is invalid.");
  const Open& at = open_[file];
  if (!flushed_.count(at.path)) flushed_[at.path] = *text;
  text->resize(at.at);
  return Succeed();
}

bool MemoryFileSystem::Flush(FileHandle file) {
  if (!Step()) return false;
  if (!Target(file)) return Refuse(FileError::Other, "The handle is invalid.");
  flushed_.erase(open_[file].path);
  return Succeed();
}

bool MemoryFileSystem::Close(FileHandle file) {
  const bool allowed = Step();
  // A handle that failed to close is gone all the same.
  if (!open_.erase(file)) return Refuse(FileError::Other, "The handle is invalid.");
  return allowed && Succeed();
}

bool MemoryFileSystem::Rename(const std::string& from, const std::string& to) {
  if (!Step()) return false;
  if (failWrites || unwritable.count(to) || readOnly.count(to) || hidden.count(to) || system.count(to))
    return Refuse(FileError::AccessDenied, failure);
  if (!files.count(from)) return Refuse(FileError::NotFound, kNotFound);
  if (!files.count(to) && Exists(to)) return Refuse(FileError::AccessDenied, failure);
  // The name now points at another file: whatever the old one had beyond
  // its text (other names, an access list of its own) is not the new one's.
  names.erase(to);
  privateFiles.erase(to);
  files[to] = std::move(files[from]);
  files.erase(from);
  auto pending = flushed_.find(from);
  if (pending != flushed_.end()) {
    flushed_[to] = std::move(pending->second);
    flushed_.erase(from);
  } else {
    flushed_.erase(to);
  }
  writeTimes[to] = writeTimes[from];
  writeTimes.erase(from);
  for (auto& [handle, at] : open_)
    if (at.path == from) at.path = to;
  return Succeed();
}

bool MemoryFileSystem::RemoveFile(const std::string& path) {
  if (!Step()) return false;
  if (readOnly.count(path)) return Refuse(FileError::AccessDenied, failure);
  if (!files.erase(path) && !links.erase(path)) return Refuse(FileError::NotFound, kNotFound);
  flushed_.erase(path);
  return Succeed();
}

bool MemoryFileSystem::GetAttributes(const std::string& path, FileAttributes& attributes) {
  if (!Step()) return false;
  const std::string target = Resolved(path);
  attributes = FileAttributes();
  if (!files.count(target)) {
    if (!Exists(target)) return Refuse(FileError::NotFound, kNotFound);
    attributes.folder = true;
    return Succeed();
  }
  attributes.readOnly = readOnly.count(target) != 0;
  attributes.hidden = hidden.count(target) != 0;
  attributes.system = system.count(target) != 0;
  return Succeed();
}

bool MemoryFileSystem::SetAttributes(const std::string& path, const FileAttributes& attributes) {
  if (!Step()) return false;
  const std::string target = Resolved(path);
  if (!files.count(target)) return Refuse(FileError::NotFound, kNotFound);
  auto set = [&](std::set<std::string>& marks, bool on) {
    if (on) marks.insert(target);
    else marks.erase(target);
  };
  set(readOnly, attributes.readOnly);
  set(hidden, attributes.hidden);
  set(system, attributes.system);
  return Succeed();
}

bool MemoryFileSystem::FinalPath(const std::string& path, std::string& final, int& count) {
  if (!Step()) return false;
  final = Resolved(path);
  auto it = names.find(final);
  count = it == names.end() ? 1 : it->second;
  return Succeed();
}

int MemoryFileSystem::SameAccess(const std::string& a, const std::string& b) {
  if (!Step()) return -1;
  Succeed();
  return privateFiles.count(Resolved(a)) == privateFiles.count(Resolved(b)) ? 1 : 0;
}

bool MemoryFileSystem::Exists(const std::string& path) {
  if (files.count(path) || links.count(path) || folders.count(path) || folders.count(path + "\\")) return true;
  std::string folder = path;
  if (folder.empty()) return false;
  if (folder.back() != '\\') folder += '\\';
  auto it = files.lower_bound(folder);
  return it != files.end() && it->first.compare(0, folder.size(), folder) == 0;
}

void MemoryFileSystem::WriteByOther(const std::string& path, const std::string& bytes) {
  files[path] = bytes;
  Touch(path);
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
  std::vector<std::string> found;
  for (auto it = files.lower_bound(folder); it != files.end() && it->first.compare(0, folder.size(), folder) == 0; ++it) {
    const std::string name = it->first.substr(folder.size());
    if (name.find('\\') == std::string::npos && name.size() >= suffix.size() &&
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
      found.push_back(name);
  }
  return found;
}

bool MemoryFileSystem::Utf8ToProgramText(const std::string& utf8, std::string& text) {
  text.clear();
  for (size_t i = 0; i < utf8.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      text += static_cast<char>(c);
    } else if ((c == 0xC2 || c == 0xC3) && i + 1 < utf8.size()) {
      text += static_cast<char>(((c & 0x03) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3F));
    } else {
      return false;
    }
  }
  return true;
}

std::string MemoryFileSystem::ProgramTextToUtf8(const std::string& text) {
  std::string utf8;
  for (char ch : text) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (c < 0x80) {
      utf8 += ch;
    } else {
      utf8 += static_cast<char>(0xC0 | (c >> 6));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return utf8;
}
