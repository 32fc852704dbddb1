#include "app/recovery_copy.h"

#include <cstdlib>
#include <map>

namespace {

constexpr const char* kMagic = "QVR Visual Script Editor recovery copy";
constexpr const char* kVersion = "1";
constexpr const char* kEnd = "\r\n";

const std::map<std::string, std::string> kBreakNames = {{"\r\n", "crlf"}, {"\n", "lf"}, {"\r", "cr"}};

std::string Field(const std::string& key, const std::string& value) { return key + "=" + value + kEnd; }

bool ToNumber(const std::string& digits, uint64_t& value) {
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) return false;
  value = std::strtoull(digits.c_str(), nullptr, 10);
  return true;
}

bool ReadStamp(const std::string& text, FileStamp& stamp) {
  const size_t a = text.find(','), b = text.find(',', a == std::string::npos ? a : a + 1);
  if (b == std::string::npos || (text[0] != '0' && text[0] != '1') || a != 1) return false;
  stamp.exists = text[0] == '1';
  return ToNumber(text.substr(a + 1, b - a - 1), stamp.size) && ToNumber(text.substr(b + 1), stamp.writeTime);
}

}  // namespace

std::string FormatRecoveryHeader(const RecoveryCopy& c, size_t length) {
  auto lineBreak = kBreakNames.find(c.lineBreak);
  std::string out = std::string(kMagic) + kEnd + Field("version", kVersion) + Field("writer", c.writer) +
                    Field("time", c.time) + Field("folder", c.folder) + Field("name", c.name) +
                    Field("hasfile", c.hasFile == 1 ? "1" : "0") +
                    Field("linebreak", lineBreak == kBreakNames.end() ? "crlf" : lineBreak->second) +
                    Field("utf8", std::to_string(c.utf8 == 1 ? 1 : 0) + "," + (c.byteOrderMark == 1 ? "1" : "0")) +
                    Field("stamp", std::string(c.stamp.exists ? "1" : "0") + "," + std::to_string(c.stamp.size) + "," +
                                       std::to_string(c.stamp.writeTime)) +
                    Field("length", std::to_string(length)) + kEnd;
  return out;
}

std::string FormatRecoveryCopy(const RecoveryCopy& c) {
  std::string out = FormatRecoveryHeader(c, c.text.size());
  out.reserve(out.size() + c.text.size());
  out += c.text;
  return out;
}

RecoveryRead ParseRecoveryCopy(const std::string& bytes, RecoveryCopy& c) {
  std::map<std::string, std::string> fields;
  size_t at = 0;
  bool first = true;
  for (;;) {
    const size_t end = bytes.find(kEnd, at);
    if (end == std::string::npos) return RecoveryRead::Damaged;
    const std::string line = bytes.substr(at, end - at);
    at = end + 2;
    if (first) {
      if (line != kMagic) return RecoveryRead::Damaged;
      first = false;
      continue;
    }
    if (line.empty()) break;
    const size_t equals = line.find('=');
    if (equals == std::string::npos) return RecoveryRead::Damaged;
    fields[line.substr(0, equals)] = line.substr(equals + 1);
  }
  // A later editor's copy may mean something else by the same lines; it is
  // left for that editor.
  if (fields["version"] != kVersion) return RecoveryRead::OtherVersion;
  uint64_t length = 0;
  if (!ToNumber(fields["length"], length) || length != bytes.size() - at) return RecoveryRead::Damaged;
  if (fields["name"].empty() || fields["writer"].empty() || !ReadStamp(fields["stamp"], c.stamp))
    return RecoveryRead::Damaged;
  c.lineBreak.clear();
  for (const auto& [lineBreak, name] : kBreakNames)
    if (fields["linebreak"] == name) c.lineBreak = lineBreak;
  if (c.lineBreak.empty()) return RecoveryRead::Damaged;
  c.writer = fields["writer"];
  c.time = fields["time"];
  c.folder = fields["folder"];
  c.name = fields["name"];
  c.hasFile = fields["hasfile"] == "1" ? 1 : 0;
  // Copies from before files had a form of their own are plain 8-bit text.
  c.utf8 = fields["utf8"].compare(0, 1, "1") == 0 ? 1 : 0;
  c.byteOrderMark = fields["utf8"] == "0,1" || fields["utf8"] == "1,1" ? 1 : 0;
  c.text = bytes.substr(at);
  return RecoveryRead::Ok;
}
