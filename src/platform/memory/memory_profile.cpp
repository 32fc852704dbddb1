#include "platform/memory/memory_profile.h"

#include <algorithm>
#include <cctype>

namespace {

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}

std::string Trim(const std::string& text) {
  size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

std::string Unquote(const std::string& text) {
  if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
      text.back() == text.front())
    return text.substr(1, text.size() - 2);
  return text;
}

std::string Truncate(const std::string& text, size_t bufferSize) {
  if (bufferSize == 0) return "";
  return text.substr(0, std::min(text.size(), bufferSize - 1));
}

}  // namespace

std::string MemoryProfile::Read(const std::string& section, const std::string& key,
                                const std::string& fallback, size_t bufferSize,
                                const std::string& file) {
  auto f = files_.find(file);
  if (f != files_.end())
    for (const Section& s : f->second) {
      if (!SameName(s.name, section)) continue;
      for (const Line& line : s.lines)
        if (line.isKey && SameName(line.key, key))
          return Truncate(Unquote(Trim(line.value)), bufferSize);
    }
  return Truncate(fallback, bufferSize);
}

bool MemoryProfile::Write(const std::string& section, const std::string& key,
                          const std::string& value, const std::string& file) {
  if (failWrites) return false;
  ++writes;
  File& f = files_[file];
  auto s = std::find_if(f.begin(), f.end(), [&](const Section& x) {
    return !x.name.empty() && SameName(x.name, section);
  });
  if (s == f.end()) {
    f.push_back(Section{section, {}});
    s = f.end() - 1;
  }
  for (Line& line : s->lines)
    if (line.isKey && SameName(line.key, key)) {
      line.value = value;
      line.raw.clear();
      return true;
    }
  // A new key follows the section's last non-blank line, so blank lines
  // that separate sections stay between them.
  auto at = s->lines.end();
  while (at != s->lines.begin() && !(at - 1)->isKey && Trim((at - 1)->raw).empty()) --at;
  s->lines.insert(at, Line{true, key, value, ""});
  return true;
}

void MemoryProfile::Seed(const std::string& file, const std::string& iniText) {
  File f(1);  // the nameless section for lines before any header
  size_t pos = 0;
  while (pos < iniText.size()) {
    size_t end = iniText.find('\n', pos);
    if (end == std::string::npos) end = iniText.size();
    std::string text = iniText.substr(pos, end - pos);
    if (!text.empty() && text.back() == '\r') text.pop_back();
    pos = end + 1;
    std::string trimmed = Trim(text);
    size_t close = trimmed.find(']');
    size_t equals = text.find('=');
    if (!trimmed.empty() && trimmed[0] == '[' && close != std::string::npos) {
      f.push_back(Section{Trim(trimmed.substr(1, close - 1)), {}});
    } else if (!trimmed.empty() && trimmed[0] != ';' && equals != std::string::npos) {
      f.back().lines.push_back(
          Line{true, Trim(text.substr(0, equals)), text.substr(equals + 1), text});
    } else {
      f.back().lines.push_back(Line{false, "", "", text});
    }
  }
  if (f.front().lines.empty()) f.erase(f.begin());
  files_[file] = std::move(f);
}

std::string MemoryProfile::Render(const std::string& file) const {
  auto f = files_.find(file);
  if (f == files_.end()) return "";
  std::string text;
  for (const Section& s : f->second) {
    if (!s.name.empty()) text += "[" + s.name + "]\r\n";
    for (const Line& line : s.lines)
      text += (line.raw.empty() && line.isKey ? line.key + "=" + line.value : line.raw) + "\r\n";
  }
  return text;
}
