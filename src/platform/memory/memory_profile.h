#pragma once
// Profile files held in memory, for tests, behaving as the system's
// private-profile functions do: section and key names compare without case,
// values come back without surrounding blanks or one pair of quotes, new
// sections and keys go after the existing ones, and lines the program does
// not write stay as they were.
#include <map>
#include <string>
#include <vector>

#include "platform/profile.h"

class MemoryProfile : public ProfileStore {
 public:
  bool failWrites = false;  // every write fails, leaving the file untouched
  int writes = 0;           // successful writes

  std::string Read(const std::string& section, const std::string& key,
                   const std::string& fallback, size_t bufferSize,
                   const std::string& file) override;
  bool Write(const std::string& section, const std::string& key, const std::string& value,
             const std::string& file) override;

  // Replaces the file with parsed ini text.
  void Seed(const std::string& file, const std::string& iniText);
  // The file as the system would store it (CR LF line ends); "" when absent.
  std::string Render(const std::string& file) const;
  bool Exists(const std::string& file) const { return files_.count(file) != 0; }

 private:
  struct Line {
    bool isKey = false;
    std::string key;    // when isKey
    std::string value;  // when isKey: as written, blanks included
    std::string raw;    // the line as seeded, until the program rewrites it
  };
  struct Section {
    std::string name;   // "" for lines before the first header
    std::vector<Line> lines;
  };
  using File = std::vector<Section>;

  std::map<std::string, File> files_;
};
