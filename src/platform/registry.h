#pragma once
// The registry, one call per system function the settings use.
#include <cstdint>
#include <string>
#include <vector>

constexpr uint32_t kRegSz = 1;
constexpr uint32_t kRegExpandSz = 2;
constexpr uint32_t kRegDword = 4;
constexpr long kRegSuccess = 0;
constexpr long kRegFileNotFound = 2;
constexpr long kRegMoreData = 234;

enum class RegistryRoot { CurrentUser, LocalMachine };
using RegistryKey = uintptr_t;

class Registry {
 public:
  virtual ~Registry() = default;
  virtual long OpenKey(RegistryRoot root, const std::string& path, RegistryKey& key) = 0;
  // Like RegQueryValueEx: `size` is the buffer's capacity in, the value's size
  // out; a buffer too small fails with kRegMoreData.
  virtual long QueryValue(RegistryKey key, const std::string& name, uint32_t& type,
                          std::vector<uint8_t>& buffer, uint32_t& size) = 0;
  virtual void CloseKey(RegistryKey key) = 0;
};
