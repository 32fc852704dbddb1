#include "platform/win32/win32_services.h"

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
