#include "app/script_format.h"

#include <cctype>
#include <cstdint>

ScriptFileKind KindOfScriptFile(const std::string& bytes) {
  if (bytes.size() >= 2 && ((bytes[0] == '\xFF' && bytes[1] == '\xFE') || (bytes[0] == '\xFE' && bytes[1] == '\xFF')))
    return ScriptFileKind::Utf16;
  return bytes.find('\0') == std::string::npos ? ScriptFileKind::Text : ScriptFileKind::Binary;
}

std::string LineBreakOf(const std::string& bytes) {
  bool crlf = false, cr = false, lf = false;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
      crlf = true;
      ++i;
    } else if (bytes[i] == '\r') {
      cr = true;
    } else if (bytes[i] == '\n') {
      lf = true;
    }
  }
  // A checkout's LF-only file must not have every line changed by a save.
  if (lf && !cr && !crlf) return "\n";
  if (cr && !lf && !crlf) return "\r";
  return "\r\n";
}

std::string WithLineBreak(const std::string& crlfText, const std::string& lineBreak) {
  if (lineBreak == "\r\n") return crlfText;
  std::string out;
  out.reserve(crlfText.size());
  for (size_t i = 0; i < crlfText.size(); ++i) {
    if (crlfText[i] == '\r' && i + 1 < crlfText.size() && crlfText[i + 1] == '\n') {
      out += lineBreak;
      ++i;
    } else {
      out += crlfText[i];
    }
  }
  return out;
}

namespace {

const std::string kByteOrderMark = "\xEF\xBB\xBF";

// Strict: no overlong form, no surrogate, nothing past U+10FFFF.
bool IsUtf8(const std::string& bytes) {
  for (size_t i = 0; i < bytes.size();) {
    const unsigned char c = static_cast<unsigned char>(bytes[i]);
    const size_t length = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || i + length > bytes.size()) return false;
    uint32_t point = length == 1 ? c : c & (0x7F >> length);
    for (size_t k = 1; k < length; ++k) {
      const unsigned char next = static_cast<unsigned char>(bytes[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      point = (point << 6) | (next & 0x3F);
    }
    static const uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (point < kLeast[length] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return false;
    i += length;
  }
  return true;
}

bool AllAscii(const std::string& bytes) {
  for (char c : bytes)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

}  // namespace

// A file of plain ASCII stays the 8-bit text the editor always wrote: only
// letters beyond ASCII, or a byte-order mark, tell UTF-8 for sure.
std::string TextOfFile(FileSystem& codes, const std::string& bytes, FileForm& form, bool& foreign) {
  form.lineBreak = LineBreakOf(bytes);
  form.utf8 = form.byteOrderMark = 0;
  foreign = false;
  const bool mark = bytes.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0;
  std::string body = mark ? bytes.substr(kByteOrderMark.size()) : bytes;
  if ((!mark && AllAscii(body)) || !IsUtf8(body)) return bytes;
  form.byteOrderMark = mark ? 1 : 0;
  std::string text;
  // Only a text that comes back byte for byte is shown decoded, so an
  // unedited save changes nothing.
  if (codes.Utf8ToProgramText(body, text) && codes.ProgramTextToUtf8(text) == body) {
    form.utf8 = 1;
    return text;
  }
  foreign = true;
  return body;
}

std::string FileOfText(FileSystem& codes, const std::string& crlfText, const FileForm& form) {
  std::string bytes = WithLineBreak(crlfText, form.lineBreak);
  if (form.utf8 == 1) bytes = codes.ProgramTextToUtf8(bytes);
  return form.byteOrderMark == 1 ? kByteOrderMark + bytes : bytes;
}

size_t ScriptLineCount(const std::string& bytes) {
  size_t lines = 1;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    if (bytes[i] == '\r' || bytes[i] == '\n') ++lines;
  }
  return lines;
}

namespace {

bool IsDeviceName(std::string name) {
  // "nul.script" is the device too: the system ignores the extension.
  const size_t dot = name.find('.');
  if (dot != std::string::npos) name.resize(dot);
  while (!name.empty() && (name.back() == ' ')) name.pop_back();
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (name == "CON" || name == "PRN" || name == "AUX" || name == "NUL" || name == "CONIN$" || name == "CONOUT$")
    return true;
  return name.size() == 4 && (name.compare(0, 3, "COM") == 0 || name.compare(0, 3, "LPT") == 0) &&
         name[3] >= '1' && name[3] <= '9';
}

}  // namespace

std::string WhyNotAFileName(const std::string& path) {
  constexpr size_t kMaxPath = 259;   // the system's 260 with its terminator
  if (path.size() > kMaxPath) return "its path is longer than the " + std::to_string(kMaxPath + 1) + " characters Windows allows";
  const size_t cut = path.rfind('\\');
  const std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
  if (path.find('?') != std::string::npos) return "its name holds letters this program cannot spell (they show as '?')";
  if (path.find_first_of("*<>|\"") != std::string::npos) return "its name holds a character no file name may hold";
  if (IsDeviceName(name)) return "'" + name + "' names a device of the system, not a file";
  return "";
}

std::string ShownPath(const std::string& path) {
  constexpr size_t kLongest = 90;
  if (path.size() <= kLongest) return path;
  const size_t keep = (kLongest - 3) / 2;
  return path.substr(0, keep) + "..." + path.substr(path.size() - keep);
}
