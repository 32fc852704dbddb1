#include "platform/win32/win32_files.h"

#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

HANDLE AsHandle(FileHandle file) { return reinterpret_cast<HANDLE>(file); }
FileHandle AsFile(HANDLE handle) {
  return handle == INVALID_HANDLE_VALUE ? 0 : reinterpret_cast<FileHandle>(handle);
}

std::string SystemWords(DWORD error) {
  char* text = nullptr;
  FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                 error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string words = text ? text : "";
  if (text) LocalFree(text);
  while (!words.empty() && (words.back() == '\r' || words.back() == '\n' || words.back() == ' ')) words.pop_back();
  if (words.empty()) words = "System error " + std::to_string(error) + ".";
  return words;
}

FileError KindOf(DWORD error) {
  switch (error) {
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return FileError::Exists;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
      return FileError::AccessDenied;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return FileError::DiskFull;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return FileError::NotFound;
    default:
      return FileError::Other;
  }
}

std::vector<char> SecurityOf(const std::string& path) {
  const SECURITY_INFORMATION what = OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
  DWORD size = 0;
  GetFileSecurityA(path.c_str(), what, nullptr, 0, &size);
  std::vector<char> descriptor(size);
  if (size == 0 || !GetFileSecurityA(path.c_str(), what, descriptor.data(), size, &size)) descriptor.clear();
  return descriptor;
}

bool SameAcl(PACL a, PACL b) {
  if (a->AceCount != b->AceCount) return false;
  for (WORD i = 0; i < a->AceCount; ++i) {
    void* aceA = nullptr;
    void* aceB = nullptr;
    if (!GetAce(a, i, &aceA) || !GetAce(b, i, &aceB)) return false;
    const WORD size = static_cast<ACE_HEADER*>(aceA)->AceSize;
    if (size != static_cast<ACE_HEADER*>(aceB)->AceSize || std::memcmp(aceA, aceB, size) != 0) return false;
  }
  return true;
}

}  // namespace

bool Win32FileSystem::Fail() { return Fail(GetLastError()); }

bool Win32FileSystem::Fail(DWORD error) {
  error_ = KindOf(error);
  failure_ = SystemWords(error);
  return false;
}

bool Win32FileSystem::Succeed() {
  error_ = FileError::None;
  failure_.clear();
  return true;
}

bool Win32FileSystem::ReadFile(const std::string& path, std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return Fail();
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file, &size) || size.QuadPart >= (1LL << 31)) {
    const DWORD error = size.QuadPart >= (1LL << 31) ? ERROR_FILE_TOO_LARGE : GetLastError();
    CloseHandle(file);
    return Fail(error);
  }
  bytes.assign(static_cast<size_t>(size.QuadPart), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD got = 0;
    if (!::ReadFile(file, &bytes[done], static_cast<DWORD>(bytes.size() - done), &got, nullptr) || got == 0) {
      const DWORD error = got == 0 ? ERROR_HANDLE_EOF : GetLastError();
      CloseHandle(file);
      return Fail(error);
    }
    done += got;
  }
  CloseHandle(file);
  return Succeed();
}

FileHandle Win32FileSystem::CreateNew(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) Fail();
  else Succeed();
  return AsFile(file);
}

FileHandle Win32FileSystem::OpenExisting(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) Fail();
  else Succeed();
  return AsFile(file);
}

bool Win32FileSystem::Write(FileHandle file, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD wrote = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 24));
    if (!::WriteFile(AsHandle(file), bytes.data() + done, chunk, &wrote, nullptr)) return Fail();
    // A write that takes less than it was given has run out of room.
    if (wrote == 0) return Fail(ERROR_DISK_FULL);
    done += wrote;
  }
  return Succeed();
}

bool Win32FileSystem::SetEnd(FileHandle file) { return SetEndOfFile(AsHandle(file)) ? Succeed() : Fail(); }

bool Win32FileSystem::Flush(FileHandle file) { return FlushFileBuffers(AsHandle(file)) ? Succeed() : Fail(); }

bool Win32FileSystem::Close(FileHandle file) { return CloseHandle(AsHandle(file)) ? Succeed() : Fail(); }

bool Win32FileSystem::Rename(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ? Succeed() : Fail();
}

bool Win32FileSystem::RemoveFile(const std::string& path) { return DeleteFileA(path.c_str()) ? Succeed() : Fail(); }

bool Win32FileSystem::GetAttributes(const std::string& path, FileAttributes& attributes) {
  const DWORD bits = GetFileAttributesA(path.c_str());
  if (bits == INVALID_FILE_ATTRIBUTES) return Fail();
  attributes.folder = (bits & FILE_ATTRIBUTE_DIRECTORY) != 0;
  attributes.readOnly = (bits & FILE_ATTRIBUTE_READONLY) != 0;
  attributes.hidden = (bits & FILE_ATTRIBUTE_HIDDEN) != 0;
  attributes.system = (bits & FILE_ATTRIBUTE_SYSTEM) != 0;
  return Succeed();
}

bool Win32FileSystem::SetAttributes(const std::string& path, const FileAttributes& attributes) {
  const DWORD bits = (attributes.readOnly ? FILE_ATTRIBUTE_READONLY : 0) | (attributes.hidden ? FILE_ATTRIBUTE_HIDDEN : 0) |
                     (attributes.system ? FILE_ATTRIBUTE_SYSTEM : 0);
  return SetFileAttributesA(path.c_str(), bits ? bits : FILE_ATTRIBUTE_NORMAL) ? Succeed() : Fail();
}

bool Win32FileSystem::FinalPath(const std::string& path, std::string& final, int& names) {
  names = 1;
  final = path;
  char full[MAX_PATH * 4];
  const DWORD fullLength = GetFullPathNameA(path.c_str(), sizeof(full), full, nullptr);
  if (fullLength == 0) return Fail();
  if (fullLength < sizeof(full)) final.assign(full, fullLength);
  HANDLE file = CreateFileA(final.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND ? Succeed() : Fail(error);
  }
  BY_HANDLE_FILE_INFORMATION info;
  if (GetFileInformationByHandle(file, &info)) names = static_cast<int>(info.nNumberOfLinks);
  // Looked up, not linked: older systems have no such call, and keep no
  // symbolic links to follow either.
  using FinalPathName = DWORD(WINAPI*)(HANDLE, LPSTR, DWORD, DWORD);
  auto finalPathName = reinterpret_cast<FinalPathName>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetFinalPathNameByHandleA")));
  char resolved[MAX_PATH * 4] = {0};
  const DWORD length = finalPathName ? finalPathName(file, resolved, sizeof(resolved), 0) : 0;
  CloseHandle(file);
  if (length > 0 && length < sizeof(resolved)) {
    final.assign(resolved, length);
    if (final.rfind("\\\\?\\UNC\\", 0) == 0) final = "\\\\" + final.substr(8);
    else if (final.rfind("\\\\?\\", 0) == 0) final = final.substr(4);
  }
  return Succeed();
}

// Wine shows a file's Unix mode here too: a file only its owner may read
// lists no entry for everyone.
int Win32FileSystem::SameAccess(const std::string& a, const std::string& b) {
  std::vector<char> first = SecurityOf(a), second;
  if (!first.empty()) second = SecurityOf(b);
  if (first.empty() || second.empty()) {
    const DWORD error = GetLastError();
    // A volume that keeps no security gives every file the same.
    if (error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_FUNCTION) return Succeed(), 1;
    return Fail(error), -1;
  }
  PSID ownerA = nullptr, ownerB = nullptr;
  BOOL defaulted = FALSE, presentA = FALSE, presentB = FALSE;
  PACL aclA = nullptr, aclB = nullptr;
  if (!GetSecurityDescriptorOwner(first.data(), &ownerA, &defaulted) ||
      !GetSecurityDescriptorOwner(second.data(), &ownerB, &defaulted) ||
      !GetSecurityDescriptorDacl(first.data(), &presentA, &aclA, &defaulted) ||
      !GetSecurityDescriptorDacl(second.data(), &presentB, &aclB, &defaulted))
    return Fail(), -1;
  Succeed();
  if ((ownerA == nullptr) != (ownerB == nullptr) || (ownerA && !EqualSid(ownerA, ownerB))) return 0;
  const bool listedA = presentA && aclA, listedB = presentB && aclB;
  if (!listedA || !listedB) return listedA == listedB ? 1 : 0;
  return SameAcl(aclA, aclB) ? 1 : 0;
}

std::string Win32FileSystem::TempFolder() {
  char folder[MAX_PATH + 1] = {0};
  const DWORD length = GetTempPathA(sizeof(folder), folder);
  if (length == 0 || length >= sizeof(folder)) return "";
  return std::string(folder, length);
}

namespace {

std::wstring Wide(UINT codePage, DWORD flags, const std::string& text, bool& ok) {
  ok = true;
  if (text.empty()) return std::wstring();
  const int length = MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), nullptr, 0);
  ok = length > 0;
  std::wstring wide(static_cast<size_t>(length > 0 ? length : 0), L'\0');
  if (ok) MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), &wide[0], length);
  return wide;
}

std::string Narrow(UINT codePage, const std::wstring& wide, bool& lossy) {
  lossy = false;
  if (wide.empty()) return std::string();
  BOOL usedDefault = FALSE;
  // UTF-8 takes neither flag nor default character.
  const bool utf8 = codePage == CP_UTF8;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL* defaulted = utf8 ? nullptr : &usedDefault;
  const int length = WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                         nullptr, defaulted);
  std::string text(static_cast<size_t>(length > 0 ? length : 0), '\0');
  if (length > 0)
    WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), &text[0], length, nullptr,
                        defaulted);
  lossy = length <= 0 || usedDefault;
  return text;
}

}  // namespace

bool Win32FileSystem::Utf8ToProgramText(const std::string& utf8, std::string& text) {
  bool ok = false, lossy = false;
  const std::wstring wide = Wide(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, ok);
  if (!ok) return false;
  text = Narrow(CP_ACP, wide, lossy);
  return !lossy;
}

std::string Win32FileSystem::ProgramTextToUtf8(const std::string& text) {
  bool ok = false, lossy = false;
  return Narrow(CP_UTF8, Wide(CP_ACP, 0, text, ok), lossy);
}

bool Win32FileSystem::Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

FileStamp Win32FileSystem::StampOf(const std::string& path) {
  FileStamp stamp;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return stamp;
  stamp.exists = true;
  stamp.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  stamp.writeTime = (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
  return stamp;
}

std::string Win32FileSystem::UserDataFolder() {
  if (!userDataFolder.empty()) return userDataFolder;
  char folder[MAX_PATH] = {0};
  if (FAILED(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder)) || !folder[0])
    return "";
  std::string path = folder;
  if (path.back() != '\\') path += '\\';
  return path;
}

bool Win32FileSystem::CreateFolder(const std::string& folder) {
  // Each missing level in turn, from the top: the system makes one at a time.
  for (size_t cut = folder.find('\\', 3); ; cut = folder.find('\\', cut + 1)) {
    const std::string level = folder.substr(0, cut);
    if (!level.empty() && !CreateDirectoryA(level.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
      Fail();
      const DWORD attributes = GetFileAttributesA(level.c_str());
      if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    }
    if (cut == std::string::npos) break;
  }
  const DWORD attributes = GetFileAttributesA(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> Win32FileSystem::FilesIn(const std::string& folder, const std::string& suffix) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "*" + suffix).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = found.cFileName;
    // The pattern also matches the short names of longer suffixes.
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name.size() >= suffix.size() &&
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
      names.push_back(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

std::string Win32FileSystem::ExecutablePath() {
  char buffer[MAX_PATH * 4] = {0};
  DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof(buffer));
  return std::string(buffer, length);
}

std::string Win32FileSystem::CommandLine() { return commandLine.empty() ? GetCommandLineA() : commandLine; }

uint64_t Win32FileSystem::FreeAddressSpace() {
  MEMORYSTATUSEX status;
  status.dwLength = sizeof(status);
  if (!GlobalMemoryStatusEx(&status)) return UINT64_MAX;
  return status.ullAvailVirtual;
}
