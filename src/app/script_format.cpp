#include "app/script_format.h"

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

size_t ScriptLineCount(const std::string& bytes) {
  size_t lines = 1;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    if (bytes[i] == '\r' || bytes[i] == '\n') ++lines;
  }
  return lines;
}
