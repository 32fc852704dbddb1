#include "settings/profile_values.h"

#include <algorithm>
#include <cctype>

namespace {

bool Blank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
bool Quote(char c) { return c == '"' || c == '\''; }

// The system reads a value with its edge blanks trimmed and one pair of
// quotes around it taken off. A value those would change is written inside
// a pair of quotes of its own, which is what the reading takes off again.
std::string AsWritten(const std::string& value) {
  if (value.empty()) return value;
  const char first = value.front(), last = value.back();
  if (Blank(first) || Blank(last) || Quote(first) || Quote(last)) return '"' + value + '"';
  return value;
}

}  // namespace

std::string ReadProfileText(ProfileStore& profile, const std::string& section,
                            const std::string& key, const std::string& file) {
  return profile.Read(section, key, "", kProfileBufferSize, file);
}

int ReadProfileByte(ProfileStore& profile, const std::string& section,
                    const std::string& key, const std::string& file) {
  return ParseProfileByte(ReadProfileText(profile, section, key, file));
}

void WriteProfileText(ProfileStore& profile, const std::string& section,
                      const std::string& key, const std::string& value,
                      const std::string& file) {
  // A failed write is not reported: the settings simply stay as they were.
  profile.Write(section, key, AsWritten(value), file);
}

void WriteProfileByte(ProfileStore& profile, const std::string& section,
                      const std::string& key, int value, const std::string& file) {
  WriteProfileText(profile, section, key, std::to_string(value & 0xFF), file);
}

int ParseProfileByte(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  // Only the low 8 bits are kept, so accumulate modulo 256: a hand-edited
  // value with twenty digits cannot overflow.
  unsigned value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    value = (value * 10 + static_cast<unsigned>(text[i] - '0')) & 0xFFu;
  if (negative) value = (0u - value) & 0xFFu;
  return static_cast<int>(value);
}

bool ParseProfileNumber(const std::string& text, long& value) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  if (i >= text.size() || text[i] < '0' || text[i] > '9') return false;
  constexpr long kBound = 1000000000L;   // far past any value a key may hold
  value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    value = std::min(kBound, value * 10 + (text[i] - '0'));
  if (negative) value = -value;
  return true;
}
