#include "catalogue/line_reader.h"

void VisitFileLines(const std::string& bytes, const std::function<bool(std::string_view)>& take) {
  const std::string_view all(bytes);
  const size_t size = all.size();
  size_t start = 0;
  size_t i = 0;
  while (i < size) {
    const char c = all[i];
    if (c != '\r' && c != '\n' && c != '\0') {
      ++i;
      continue;
    }
    if (!take(all.substr(start, i - start))) return;
    // CR LF is one terminator; any other pair (LF CR, CR CR) is two.
    i += (c == '\r' && i + 1 < size && all[i + 1] == '\n') ? 2 : 1;
    start = i;
  }
  if (start < size) take(all.substr(start, size - start));
}

std::vector<std::string> SplitFileLines(const std::string& bytes) {
  std::vector<std::string> lines;
  VisitFileLines(bytes, [&lines](std::string_view line) {
    lines.emplace_back(line);
    return true;
  });
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
