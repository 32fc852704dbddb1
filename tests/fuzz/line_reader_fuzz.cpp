// Any bytes split into lines: no line holds a terminator, nothing is made
// up, and lines written back one per LF split into the same lines.
#include <cstdint>
#include <string>

#include "catalogue/line_reader.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> lines = SplitFileLines(bytes);
  size_t total = 0;
  std::string joined;
  for (const std::string& line : lines) {
    FUZZ_CHECK(line.find_first_of(std::string("\r\n\0", 3)) == std::string::npos);
    total += line.size();
    joined += line + "\n";
  }
  FUZZ_CHECK(total + lines.size() <= size + 1);
  FUZZ_CHECK(SplitFileLines(joined) == lines);
  return 0;
}
