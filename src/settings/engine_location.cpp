#include "settings/engine_location.h"

#include <cstring>
#include <vector>

namespace {

// A text value normally counts its NUL in its size; one stored without it
// must not lose its last character, and nothing after an embedded NUL is
// part of the text.
std::string TextOfValue(const std::vector<uint8_t>& buffer, uint32_t size) {
  size_t length = size < buffer.size() ? size : buffer.size();
  const char* data = reinterpret_cast<const char*>(buffer.data());
  const void* nul = std::memchr(data, 0, length);
  if (nul) length = static_cast<size_t>(static_cast<const char*>(nul) - data);
  return std::string(data, length);
}

long ReadDwordText(Registry& registry, RegistryKey key, const std::string& valueName,
                   std::string& installPath) {
  std::vector<uint8_t> dword(4, 0);
  uint32_t type = 0;
  uint32_t size = 4;
  long status = registry.QueryValue(key, valueName, type, dword, size);
  int32_t value = 0;
  if (status == kRegSuccess) {
    uint32_t bits = static_cast<uint32_t>(dword[0]) | static_cast<uint32_t>(dword[1]) << 8 |
                    static_cast<uint32_t>(dword[2]) << 16 | static_cast<uint32_t>(dword[3]) << 24;
    std::memcpy(&value, &bits, sizeof value);
  }
  installPath = std::to_string(value);
  return status;
}

}  // namespace

long ReadRegistryText(Registry& registry, RegistryRoot root, const std::string& keyPath,
                      const std::string& valueName, std::string& installPath) {
  RegistryKey key = 0;
  long status = registry.OpenKey(root, keyPath, key);
  if (status != kRegSuccess) return status;

  std::vector<uint8_t> buffer(kRegistryBufferSize, 0);
  uint32_t type = 0;
  uint32_t size = kRegistryBufferSize;
  status = registry.QueryValue(key, valueName, type, buffer, size);
  if (status != kRegSuccess) {
    registry.CloseKey(key);
    return status;
  }

  if (type == kRegSz) {
    // Asked again with the size now known; if that fails the path is left
    // empty rather than half-read.
    uint32_t knownSize = size;
    status = registry.QueryValue(key, valueName, type, buffer, knownSize);
    installPath = status == kRegSuccess ? TextOfValue(buffer, knownSize) : std::string();
  } else if (type == kRegDword) {
    status = ReadDwordText(registry, key, valueName, installPath);
  }
  registry.CloseKey(key);
  return status;
}

void LoadEngineLocation(AppState& state, Registry& registry) {
  ReadRegistryText(registry, RegistryRoot::CurrentUser, kEngineSettingsKey, kInstallPathValue,
                   state.InstallPath);
  state.CompilerPath = state.InstallPath + kCompilerName;
}
