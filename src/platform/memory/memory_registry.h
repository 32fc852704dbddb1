#pragma once
// A registry held in memory, for tests: typed values under keys, queried as
// the system does (sizes in bytes, text counting its NUL, "more data" when
// the buffer is too small).
#include <map>
#include <string>
#include <vector>

#include "platform/registry.h"

constexpr long kRegInvalidHandle = 6;
constexpr uint32_t kRegBinary = 3;

class MemoryRegistry : public Registry {
 public:
  struct Value {
    uint32_t type = kRegBinary;
    std::vector<uint8_t> data;
  };

  // Queries are numbered from 1; this one and all later ones fail with
  // queryFailure (0: none fails), as when a value vanishes between queries.
  int failFromQuery = 0;
  long queryFailure = kRegFileNotFound;
  int queries = 0;
  int openHandles = 0;

  void SetValue(RegistryRoot root, const std::string& path, const std::string& name,
                uint32_t type, std::vector<uint8_t> data);
  // REG_SZ with its terminating NUL counted in the size.
  void SetString(RegistryRoot root, const std::string& path, const std::string& name,
                 const std::string& text);
  void SetDword(RegistryRoot root, const std::string& path, const std::string& name,
                uint32_t value);
  void CreateKey(RegistryRoot root, const std::string& path);

  long OpenKey(RegistryRoot root, const std::string& path, RegistryKey& key) override;
  long QueryValue(RegistryKey key, const std::string& name, uint32_t& type,
                  std::vector<uint8_t>& buffer, uint32_t& size) override;
  void CloseKey(RegistryKey key) override;

 private:
  using KeyId = std::pair<RegistryRoot, std::string>;  // path in lower case
  std::map<KeyId, std::map<std::string, Value>> keys_;  // value names in lower case
  std::map<RegistryKey, KeyId> handles_;
  RegistryKey nextHandle_ = 0x100;
};
