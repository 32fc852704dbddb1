#include "platform/win32/win32_services.h"

#include <shellapi.h>

#include <cstdlib>
#include <string>

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

std::string Win32ProcessRunner::EnvironmentVariable(const std::string& name) {
  const DWORD size = GetEnvironmentVariableA(name.c_str(), nullptr, 0);
  if (size == 0) return "";
  std::string value(size, '\0');
  const DWORD length = GetEnvironmentVariableA(name.c_str(), &value[0], size);
  value.resize(length < size ? length : 0);
  return value;
}
