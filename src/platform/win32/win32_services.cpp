#include "platform/win32/win32_services.h"

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

// ---- Dialogs ---------------------------------------------------------------

int Win32Dialogs::ShowMessage(const std::string& text, const std::string& title, MessageButtons buttons) {
  UINT type = buttons == MessageButtons::YesNoCancel ? MB_YESNOCANCEL
              : buttons == MessageButtons::YesNo     ? MB_YESNO
                                                     : MB_OK;
  return MessageBoxA(owner ? owner() : nullptr, text.c_str(), title.c_str(), type);
}

namespace {

constexpr DWORD kFileDialogFlags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
constexpr size_t kPathCapacity = 32768;

std::string RunFileDialog(HWND owner, const FileDialogSpec& form, bool save) {
  // "a|b|c|d" becomes the system's "a\0b\0c\0d\0\0".
  std::string filter = form.filter;
  for (char& c : filter)
    if (c == '|') c = '\0';
  filter.append(2, '\0');
  std::vector<char> path(kPathCapacity, '\0');
  lstrcpynA(path.data(), form.initialFile.c_str(), static_cast<int>(path.size()));
  OPENFILENAMEA ofn;
  ZeroMemory(&ofn, sizeof(ofn));
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = form.filterIndex + 1;
  ofn.lpstrFile = path.data();
  ofn.nMaxFile = static_cast<DWORD>(path.size());
  ofn.lpstrInitialDir = form.initialFolder.empty() ? nullptr : form.initialFolder.c_str();
  ofn.lpstrTitle = form.title.c_str();
  ofn.Flags = kFileDialogFlags;
  BOOL chosen = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
  return chosen ? std::string(path.data()) : std::string();
}

}  // namespace

std::string Win32Dialogs::OpenFileDialog(const FileDialogSpec& form) {
  return RunFileDialog(owner ? owner() : nullptr, form, false);
}

std::string Win32Dialogs::SaveFileDialog(const FileDialogSpec& form) {
  return RunFileDialog(owner ? owner() : nullptr, form, true);
}

bool Win32Dialogs::ChooseFontDialog(const std::string& face, int points, FontChoice& chosen) {
  HWND parent = owner ? owner() : nullptr;
  LOGFONTA font;
  ZeroMemory(&font, sizeof(font));
  lstrcpynA(font.lfFaceName, face.c_str(), LF_FACESIZE);
  HDC screen = GetDC(nullptr);
  font.lfHeight = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  CHOOSEFONTA cf;
  ZeroMemory(&cf, sizeof(cf));
  cf.lStructSize = sizeof(cf);
  cf.hwndOwner = parent;
  cf.lpLogFont = &font;
  cf.Flags = CF_SCREENFONTS | CF_PRINTERFONTS | CF_INITTOLOGFONTSTRUCT;
  if (!ChooseFontA(&cf)) return false;
  chosen.face = font.lfFaceName;
  chosen.tenths = cf.iPointSize;
  return true;
}

int64_t Win32Dialogs::ChooseColorDialog(uint32_t initial, CustomColors& custom) {
  COLORREF slots[16];
  for (int i = 0; i < 16; ++i) slots[i] = custom.slot[i];
  CHOOSECOLORA cc;
  ZeroMemory(&cc, sizeof(cc));
  cc.lStructSize = sizeof(cc);
  cc.hwndOwner = owner ? owner() : nullptr;
  cc.rgbResult = initial;
  cc.lpCustColors = slots;
  cc.Flags = CC_RGBINIT;
  const BOOL chosen = ChooseColorA(&cc);
  // The user may define custom colours and still cancel; they stay.
  for (int i = 0; i < 16; ++i) custom.slot[i] = slots[i];
  return chosen ? static_cast<int64_t>(cc.rgbResult) : -1;
}

// ---- Clipboard -------------------------------------------------------------

std::string Win32Clipboard::GetText() {
  std::string text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* p = static_cast<const char*>(GlobalLock(data))) {
      text = p;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

void Win32Clipboard::SetText(const std::string& text) {
  if (!OpenClipboard(nullptr)) return;
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (memory) {
    char* p = static_cast<char*>(GlobalLock(memory));
    memcpy(p, text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);
  }
  CloseClipboard();
}

// ---- Profile ---------------------------------------------------------------

std::string Win32Profile::Read(const std::string& section, const std::string& key, const std::string& fallback,
                               size_t bufferSize, const std::string& file) {
  std::vector<char> buffer(bufferSize + 1, '\0');
  DWORD copied = GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), buffer.data(),
                                          static_cast<DWORD>(bufferSize), file.c_str());
  return std::string(buffer.data(), copied);
}

bool Win32Profile::Write(const std::string& section, const std::string& key, const std::string& value,
                         const std::string& file) {
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != 0;
}

// ---- Registry --------------------------------------------------------------

long Win32Registry::OpenKey(RegistryRoot root, const std::string& path, RegistryKey& key) {
  HKEY base = root == RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
  HKEY opened = nullptr;
  LONG status = RegOpenKeyExA(base, path.c_str(), 0, KEY_ALL_ACCESS, &opened);
  key = reinterpret_cast<RegistryKey>(opened);
  return status;
}

long Win32Registry::QueryValue(RegistryKey key, const std::string& name, uint32_t& type,
                               std::vector<uint8_t>& buffer, uint32_t& size) {
  DWORD t = 0, s = size;
  if (buffer.size() < size) buffer.resize(size);
  LONG status = RegQueryValueExA(reinterpret_cast<HKEY>(key), name.c_str(), nullptr, &t,
                                 buffer.empty() ? nullptr : buffer.data(), &s);
  type = t;
  size = s;
  return status;
}

void Win32Registry::CloseKey(RegistryKey key) { RegCloseKey(reinterpret_cast<HKEY>(key)); }

// ---- Files -----------------------------------------------------------------

bool Win32FileSystem::ReadFile(const std::string& path, std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size;
  bool ok = GetFileSizeEx(file, &size) && size.QuadPart < (1LL << 31);
  if (ok) {
    bytes.assign(static_cast<size_t>(size.QuadPart), '\0');
    size_t done = 0;
    while (ok && done < bytes.size()) {
      DWORD got = 0;
      ok = ::ReadFile(file, &bytes[done], static_cast<DWORD>(bytes.size() - done), &got, nullptr) && got > 0;
      done += got;
    }
  }
  CloseHandle(file);
  return ok;
}

namespace {

bool WriteAll(HANDLE file, const std::string& bytes) {
  size_t done = 0;
  bool ok = true;
  while (ok && done < bytes.size()) {
    DWORD wrote = 0;
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 24));
    ok = ::WriteFile(file, bytes.data() + done, chunk, &wrote, nullptr) && wrote == chunk;
    done += wrote;
  }
  return FlushFileBuffers(file) && ok;
}

std::string FolderOf(const std::string& path) {
  const size_t cut = path.find_last_of("\\/");
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

}  // namespace

// The name a save of `path` writes first: the same for every save of that
// file, so a save cut short is found again by the next open or save of it.
// Short, so a target near the path limit still has room for it beside it.
std::string Win32FileSystem::SaveNameBeside(const std::string& path) {
  const std::string folder = FolderOf(path);
  uint32_t hash = 2166136261u;
  for (size_t i = folder.size(); i < path.size(); ++i)
    hash = (hash ^ static_cast<unsigned char>(std::toupper(static_cast<unsigned char>(path[i])))) * 16777619u;
  char name[16];
  std::snprintf(name, sizeof(name), "~%08x", static_cast<unsigned>(hash));
  return folder + name;
}

namespace {

// A file of a name nobody has yet, in the target's folder (a move within one
// volume cannot half-happen). CREATE_NEW never opens what is already there,
// be it the user's own file or a folder. The save's own name comes first;
// what an interrupted save left there is superseded by this one.
HANDLE CreateFreshFileBeside(const std::string& path, std::string& created) {
  const std::string folder = FolderOf(path);
  if (folder.size() + 10 >= MAX_PATH) return INVALID_HANDLE_VALUE;
  created = Win32FileSystem::SaveNameBeside(path);
  DeleteFileA(created.c_str());
  static unsigned sequence = 0;
  unsigned seed = GetTickCount() ^ (GetCurrentProcessId() << 12);
  for (int attempt = 0; attempt < 64; ++attempt) {
    HANDLE file = CreateFileA(created.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) return file;
    DWORD error = GetLastError();
    // Taken by a file or a folder: try another name. Anything else (no such
    // folder, no right to write there) another name will not mend.
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS && error != ERROR_ACCESS_DENIED) break;
    char name[16];
    std::snprintf(name, sizeof(name), "~%08x", seed + 0x9E3779B9u * ++sequence);
    created = folder + name;
  }
  return INVALID_HANDLE_VALUE;
}

void RestoreAttributes(const std::string& path, DWORD attributes) {
  const DWORD settable = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                         FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | FILE_ATTRIBUTE_OFFLINE;
  const DWORD kept = attributes & settable;
  SetFileAttributesA(path.c_str(), kept ? kept : FILE_ATTRIBUTE_NORMAL);
}

// Puts the written file in the target's place in one rename that replaces
// it, so at every instant the name holds the old file or the new one (a
// replace call that moves the old file aside and deletes it first leaves a
// moment with nothing under the name). A read-only target is the user's
// word not to change it.
bool PutInPlace(const std::string& written, const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES)
    return MoveFileExA(written.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
  if (attributes & FILE_ATTRIBUTE_READONLY) {
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    SetLastError(ERROR_DIRECTORY);
    return false;
  }
  // A hidden or system target refuses to be replaced until it is plain.
  if (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!MoveFileExA(written.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = GetLastError();
    RestoreAttributes(path, attributes);
    SetLastError(error);
    return false;
  }
  RestoreAttributes(path, attributes);
  return true;
}

std::string SystemWords(DWORD error) {
  char* text = nullptr;
  FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                 error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string words = text ? text : "";
  if (text) LocalFree(text);
  while (!words.empty() && (words.back() == '\r' || words.back() == '\n' || words.back() == ' ')) words.pop_back();
  if (words.empty()) words = "system error " + std::to_string(error);
  return words;
}

}  // namespace

bool Win32FileSystem::Fail() {
  failure_ = SystemWords(GetLastError());
  return false;
}

std::string Win32FileSystem::LeftoverOfSave(const std::string& path) {
  const std::string leftover = Win32FileSystem::SaveNameBeside(path);
  const DWORD attributes = GetFileAttributesA(leftover.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) ? leftover : "";
}

// A folder that refuses new files may still hold a file that may be
// changed. Its old text goes to the user's temporary folder first, so a
// write cut short loses nothing.
bool Win32FileSystem::WriteInPlace(const std::string& path, const std::string& bytes) {
  std::string old;
  if (!ReadFile(path, old)) return false;
  char temp[MAX_PATH];
  const DWORD length = GetTempPathA(MAX_PATH, temp);
  if (length == 0 || length >= MAX_PATH) return false;
  std::string copy;
  HANDLE file = CreateFreshFileBeside(std::string(temp) + path.substr(FolderOf(path).size()), copy);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool copied = WriteAll(file, old);
  CloseHandle(file);
  if (!copied) {
    DeleteFileA(copy.c_str());
    return false;
  }
  file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    DeleteFileA(copy.c_str());
    return false;
  }
  const bool ok = WriteAll(file, bytes) && SetEndOfFile(file);
  CloseHandle(file);
  backup_ = copy;
  return ok;
}

namespace {

// The file a path names in the end: a symbolic link is followed, so a save
// through it changes the file it points at and the link stays a link.
// `names` is how many names (hard links) that file has.
std::string FinalPath(const std::string& path, DWORD& names) {
  names = 1;
  HANDLE file = CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return path;
  BY_HANDLE_FILE_INFORMATION info;
  if (GetFileInformationByHandle(file, &info)) names = info.nNumberOfLinks;
  // Looked up, not linked: older systems have no such call.
  using FinalPathName = DWORD(WINAPI*)(HANDLE, LPSTR, DWORD, DWORD);
  auto finalPathName = reinterpret_cast<FinalPathName>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetFinalPathNameByHandleA")));
  char final[MAX_PATH * 4] = {0};
  const DWORD length = finalPathName ? finalPathName(file, final, sizeof(final), 0) : 0;
  CloseHandle(file);
  if (length == 0 || length >= sizeof(final)) return path;
  std::string resolved(final, length);
  if (resolved.rfind("\\\\?\\UNC\\", 0) == 0) return "\\\\" + resolved.substr(8);
  if (resolved.rfind("\\\\?\\", 0) == 0) return resolved.substr(4);
  return resolved;
}

std::vector<char> SecurityOf(const std::string& path) {
  const SECURITY_INFORMATION what = OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
  DWORD size = 0;
  GetFileSecurityA(path.c_str(), what, nullptr, 0, &size);
  std::vector<char> descriptor(size);
  if (size == 0 || !GetFileSecurityA(path.c_str(), what, descriptor.data(), size, &size)) descriptor.clear();
  return descriptor;
}

// Whether a file made fresh beside the target has the target's owner and
// access list, so that a rename keeps who may read and write it. Where the
// system cannot tell, it is taken to be so. Wine shows a file's Unix mode
// here too: a file only its owner may read lists no entry for everyone.
bool SameAccess(const std::string& target, const std::string& fresh) {
  std::vector<char> a = SecurityOf(target), b = SecurityOf(fresh);
  if (a.empty() || b.empty()) return true;
  PSID ownerA = nullptr, ownerB = nullptr;
  BOOL defaulted = FALSE, presentA = FALSE, presentB = FALSE;
  PACL aclA = nullptr, aclB = nullptr;
  if (!GetSecurityDescriptorOwner(a.data(), &ownerA, &defaulted) ||
      !GetSecurityDescriptorOwner(b.data(), &ownerB, &defaulted) ||
      !GetSecurityDescriptorDacl(a.data(), &presentA, &aclA, &defaulted) ||
      !GetSecurityDescriptorDacl(b.data(), &presentB, &aclB, &defaulted))
    return true;
  if ((ownerA == nullptr) != (ownerB == nullptr) || (ownerA && !EqualSid(ownerA, ownerB))) return false;
  if (!presentA || !aclA || !presentB || !aclB) return (presentA && aclA) == (presentB && aclB);
  if (aclA->AceCount != aclB->AceCount) return false;
  for (WORD i = 0; i < aclA->AceCount; ++i) {
    void* aceA = nullptr;
    void* aceB = nullptr;
    if (!GetAce(aclA, i, &aceA) || !GetAce(aclB, i, &aceB)) return true;
    const WORD size = static_cast<ACE_HEADER*>(aceA)->AceSize;
    if (size != static_cast<ACE_HEADER*>(aceB)->AceSize || std::memcmp(aceA, aceB, size) != 0) return false;
  }
  return true;
}

}  // namespace

bool Win32FileSystem::WriteFileReplacing(const std::string& name, const std::string& bytes) {
  failure_.clear();
  backup_.clear();
  // A name relative to the current folder, as the command line may give
  // one, is made whole first.
  std::string path = name;
  char full[MAX_PATH * 4];
  DWORD length = GetFullPathNameA(name.c_str(), sizeof(full), full, nullptr);
  if (length > 0 && length < sizeof(full)) path.assign(full, length);
  DWORD names = 1;
  path = FinalPath(path, names);
  // A read-only file is refused whichever way it would be written: opened
  // for writing in place, it does not refuse a user with every right (root,
  // under Wine).
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return Fail();
  }
  // A file of several names would lose all but one to a rename: it is
  // written over in place, after a copy of its old text.
  if (names > 1) return WriteInPlace(path, bytes) || Fail();
  // The new content goes beside the target first, so a failure midway
  // leaves the old file as it was.
  std::string temporary;
  HANDLE file = CreateFreshFileBeside(path, temporary);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    const bool plainFile = attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    if (error == ERROR_ACCESS_DENIED && plainFile && WriteInPlace(path, bytes)) return true;
    SetLastError(error);
    return Fail();
  }
  // A rename would give the file the fresh one's owner and access rights
  // (a private file would become readable by all): a file whose own differ
  // is written over in place, after a copy of its old text, which goes
  // again once the new text is in.
  if (attributes != INVALID_FILE_ATTRIBUTES && !SameAccess(path, temporary)) {
    CloseHandle(file);
    DeleteFileA(temporary.c_str());
    if (!WriteInPlace(path, bytes)) return Fail();
    DeleteFileA(backup_.c_str());
    backup_.clear();
    return true;
  }
  if (!WriteAll(file, bytes)) {
    const DWORD error = GetLastError();
    CloseHandle(file);
    DeleteFileA(temporary.c_str());
    SetLastError(error);
    return Fail();
  }
  CloseHandle(file);
  if (PutInPlace(temporary, path)) return true;
  const DWORD error = GetLastError();
  DeleteFileA(temporary.c_str());
  SetLastError(error);
  return Fail();
}

bool Win32FileSystem::Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32FileSystem::StartFileInPieces(const std::string& path) {
  AbandonFileInPieces();
  failure_.clear();
  piecesPath_ = path;
  pieces_ = CreateFreshFileBeside(path, piecesWritten_);
  return pieces_ != INVALID_HANDLE_VALUE || Fail();
}

bool Win32FileSystem::WritePiece(const std::string& bytes) {
  if (pieces_ == INVALID_HANDLE_VALUE) return false;
  return WriteAll(pieces_, bytes) || Fail();
}

bool Win32FileSystem::FinishFileInPieces() {
  if (pieces_ == INVALID_HANDLE_VALUE) return false;
  CloseHandle(pieces_);
  pieces_ = INVALID_HANDLE_VALUE;
  if (PutInPlace(piecesWritten_, piecesPath_)) return true;
  Fail();
  DeleteFileA(piecesWritten_.c_str());
  return false;
}

void Win32FileSystem::AbandonFileInPieces() {
  if (pieces_ == INVALID_HANDLE_VALUE) return;
  CloseHandle(pieces_);
  pieces_ = INVALID_HANDLE_VALUE;
  DeleteFileA(piecesWritten_.c_str());
}

bool Win32FileSystem::RemoveFile(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

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

// ---- Started programs ------------------------------------------------------

bool Win32ProcessRunner::RunAndWait(const std::string& file, const std::string& folder) {
  SHELLEXECUTEINFOA info;
  ZeroMemory(&info, sizeof(info));
  info.cbSize = sizeof(info);
  // NO_UI: a file that cannot be started is the caller's to report, not a
  // shell error box in front of the editor.
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  info.lpFile = file.c_str();
  info.lpDirectory = folder.empty() ? nullptr : folder.c_str();
  // A batch file would otherwise flash a console over the editor.
  info.nShow = SW_HIDE;
  if (!ShellExecuteExA(&info)) return false;
  // Files the shell hands to a running program come without a process.
  if (info.hProcess) {
    WaitForSingleObject(info.hProcess, INFINITE);
    CloseHandle(info.hProcess);
  }
  return true;
}

namespace {

// The program's text in another code page; false when a character has no
// place there (no best fit: a look-alike letter would name another file).
bool InCodePage(const std::string& ansi, UINT codePage, std::string& out) {
  if (ansi.empty()) {
    out.clear();
    return true;
  }
  const int wideLength = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
  if (wideLength <= 0) return false;
  std::wstring wide(static_cast<size_t>(wideLength), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), &wide[0], wideLength);
  BOOL lossy = FALSE;
  const int length = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, nullptr, 0,
                                         nullptr, &lossy);
  if (length <= 0 || lossy) return false;
  out.assign(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, &out[0], length, nullptr, &lossy);
  return !lossy;
}

}  // namespace

bool Win32ProcessRunner::ConsolePath(const std::string& path, std::string& spelled) {
  // The batch file runs in a console of its own, which starts in the
  // system's console code page.
  if (InCodePage(path, GetOEMCP(), spelled)) return true;
  char shortName[MAX_PATH] = {0};
  const DWORD length = GetShortPathNameA(path.c_str(), shortName, MAX_PATH);
  return length > 0 && length < MAX_PATH && InCodePage(shortName, GetOEMCP(), spelled);
}

namespace {

uint64_t StartTimeOf(HANDLE process) {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
  return (static_cast<uint64_t>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

}  // namespace

// The start time tells this process from a later one given the same number.
std::string Win32ProcessRunner::ThisProcess() {
  return std::to_string(GetCurrentProcessId()) + "-" + std::to_string(StartTimeOf(GetCurrentProcess()));
}

bool Win32ProcessRunner::IsRunning(const std::string& process) {
  const size_t dash = process.find('-');
  if (dash == std::string::npos) return false;
  const DWORD id = static_cast<DWORD>(std::strtoul(process.c_str(), nullptr, 10));
  HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
  // Systems before the limited right know only the full one.
  if (!handle) handle = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, id);
  if (!handle) return false;
  DWORD code = 0;
  const bool running = GetExitCodeProcess(handle, &code) && code == STILL_ACTIVE &&
                       std::to_string(StartTimeOf(handle)) == process.substr(dash + 1);
  CloseHandle(handle);
  return running;
}
