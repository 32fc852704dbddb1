#include "platform/memory/memory_registry.h"

#include <algorithm>
#include <cctype>

namespace {

// Key paths and value names compare without case, as in the system's registry.
std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

}  // namespace

void MemoryRegistry::SetValue(RegistryRoot root, const std::string& path,
                              const std::string& name, uint32_t type,
                              std::vector<uint8_t> data) {
  keys_[{root, Lower(path)}][Lower(name)] = Value{type, std::move(data)};
}

void MemoryRegistry::SetString(RegistryRoot root, const std::string& path,
                               const std::string& name, const std::string& text) {
  std::vector<uint8_t> data(text.begin(), text.end());
  data.push_back(0);
  SetValue(root, path, name, kRegSz, std::move(data));
}

void MemoryRegistry::SetDword(RegistryRoot root, const std::string& path,
                              const std::string& name, uint32_t value) {
  SetValue(root, path, name, kRegDword,
           {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
            static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)});
}

void MemoryRegistry::CreateKey(RegistryRoot root, const std::string& path) {
  keys_[{root, Lower(path)}];
}

long MemoryRegistry::OpenKey(RegistryRoot root, const std::string& path, RegistryKey& key) {
  auto it = keys_.find({root, Lower(path)});
  if (it == keys_.end()) return kRegFileNotFound;
  key = nextHandle_++;
  handles_[key] = it->first;
  ++openHandles;
  return kRegSuccess;
}

long MemoryRegistry::QueryValue(RegistryKey key, const std::string& name, uint32_t& type,
                                std::vector<uint8_t>& buffer, uint32_t& size) {
  ++queries;
  auto handle = handles_.find(key);
  if (handle == handles_.end()) return kRegInvalidHandle;
  if (failFromQuery > 0 && queries >= failFromQuery) return queryFailure;
  const auto& values = keys_[handle->second];
  auto it = values.find(Lower(name));
  if (it == values.end()) return kRegFileNotFound;
  const Value& value = it->second;
  type = value.type;
  uint32_t capacity = std::min<uint32_t>(size, static_cast<uint32_t>(buffer.size()));
  size = static_cast<uint32_t>(value.data.size());
  if (value.data.size() > capacity) return kRegMoreData;
  std::copy(value.data.begin(), value.data.end(), buffer.begin());
  return kRegSuccess;
}

void MemoryRegistry::CloseKey(RegistryKey key) {
  if (handles_.erase(key)) --openHandles;
}
