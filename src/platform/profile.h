#pragma once
// Profile (ini) files, with the semantics of the system's private-profile
// functions.
#include <string>

class ProfileStore {
 public:
  virtual ~ProfileStore() = default;
  // Copies the value (or `fallback`) truncated to bufferSize - 1 characters.
  virtual std::string Read(const std::string& section, const std::string& key,
                           const std::string& fallback, size_t bufferSize,
                           const std::string& file) = 0;
  virtual bool Write(const std::string& section, const std::string& key,
                     const std::string& value, const std::string& file) = 0;
};
