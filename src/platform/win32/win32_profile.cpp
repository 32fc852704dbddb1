#include "platform/win32/win32_services.h"

#include <vector>

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
