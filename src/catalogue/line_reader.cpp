#include "catalogue/line_reader.h"

std::vector<std::string> SplitFileLines(const std::string& bytes) {
  std::vector<std::string> lines;
  const size_t size = bytes.size();
  size_t start = 0;
  size_t i = 0;
  while (i < size) {
    const char c = bytes[i];
    if (c != '\r' && c != '\n' && c != '\0') {
      ++i;
      continue;
    }
    lines.emplace_back(bytes, start, i - start);
    // CR LF is one terminator; any other pair (LF CR, CR CR) is two.
    i += (c == '\r' && i + 1 < size && bytes[i + 1] == '\n') ? 2 : 1;
    start = i;
  }
  if (start < size) lines.emplace_back(bytes, start, size - start);
  return lines;
}

std::vector<std::string> SplitScriptLines(const std::string& bytes) {
  std::vector<std::string> lines = SplitFileLines(bytes);
  if (!bytes.empty()) {
    const char last = bytes.back();
    if (last == '\r' || last == '\n' || last == '\0') lines.emplace_back();
  }
  return lines;
}
