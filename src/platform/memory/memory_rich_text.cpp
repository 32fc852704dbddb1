// The part of rich text the editor produces: a colour table, a font table,
// \cf \b \i \ul \fs \f \par \tab and escaped characters. Enough to load
// formatted text in one transfer, as the real control does.
#include <cctype>
#include <cstdlib>
#include <vector>

#include "platform/memory/memory_edit_control.h"

namespace {

struct RichChar {
  char c;
  MemoryEditControl::Format format;
};

struct RichParser {
  const std::string& src;
  size_t pos = 0;
  std::vector<uint32_t> colors;
  std::vector<std::string> fonts;
  std::vector<RichChar> out;

  explicit RichParser(const std::string& s) : src(s) {}

  std::string Word(long& param, bool& hasParam) {
    std::string word;
    while (pos < src.size() && std::isalpha(static_cast<unsigned char>(src[pos]))) word += src[pos++];
    hasParam = false;
    param = 0;
    size_t start = pos;
    if (pos < src.size() && (src[pos] == '-' || std::isdigit(static_cast<unsigned char>(src[pos])))) {
      ++pos;
      while (pos < src.size() && std::isdigit(static_cast<unsigned char>(src[pos]))) ++pos;
      param = std::strtol(src.substr(start, pos - start).c_str(), nullptr, 10);
      hasParam = true;
    }
    if (pos < src.size() && src[pos] == ' ') ++pos;
    return word;
  }

  void ReadColorTable() {
    uint32_t r = 0, g = 0, b = 0;
    while (pos < src.size() && src[pos] != '}') {
      if (src[pos] == ';') {
        colors.push_back(r | g << 8 | b << 16);
        r = g = b = 0;
        ++pos;
      } else if (src[pos] == '\\') {
        ++pos;
        long p;
        bool has;
        std::string w = Word(p, has);
        if (w == "red") r = p;
        if (w == "green") g = p;
        if (w == "blue") b = p;
      } else {
        ++pos;
      }
    }
    ++pos;
  }

  void ReadFontTable() {
    int depth = 1;
    std::string name;
    bool inName = false;
    while (pos < src.size() && depth > 0) {
      char c = src[pos++];
      if (c == '{') { ++depth; name.clear(); inName = false; }
      else if (c == '}') --depth;
      else if (c == '\\') { long p; bool h; Word(p, h); inName = true; }
      else if (c == ';') { fonts.push_back(name); name.clear(); inName = false; }
      else if (inName) name += c;
    }
  }

  void Group(MemoryEditControl::Format format) {
    while (pos < src.size()) {
      char c = src[pos++];
      if (c == '}') return;
      if (c == '{') {
        if (src.compare(pos, 9, "\\colortbl") == 0) { pos += 9; ReadColorTable(); continue; }
        if (src.compare(pos, 8, "\\fonttbl") == 0) { pos += 8; ReadFontTable(); continue; }
        Group(format);
        continue;
      }
      if (c == '\r' || c == '\n') continue;
      if (c != '\\') { out.push_back({c, format}); continue; }
      if (pos >= src.size()) return;
      char next = src[pos];
      if (next == '\\' || next == '{' || next == '}') { out.push_back({next, format}); ++pos; continue; }
      if (next == '\'') {
        char hex[3] = {src[pos + 1], src[pos + 2], 0};
        pos += 3;
        out.push_back({static_cast<char>(std::strtol(hex, nullptr, 16)), format});
        continue;
      }
      long p;
      bool has;
      std::string w = Word(p, has);
      if (w == "par") out.push_back({'\r', format});
      else if (w == "tab") out.push_back({'\t', format});
      else if (w == "cf") format.color = p >= 0 && p < static_cast<long>(colors.size()) ? colors[p] : 0;
      else if (w == "b") format.effects = (has && p == 0) ? format.effects & ~1u : format.effects | 1u;
      else if (w == "i") format.effects = (has && p == 0) ? format.effects & ~2u : format.effects | 2u;
      else if (w == "ul") format.effects = (has && p == 0) ? format.effects & ~4u : format.effects | 4u;
      else if (w == "ulnone") format.effects &= ~4u;
      else if (w == "strike") format.effects = (has && p == 0) ? format.effects & ~8u : format.effects | 8u;
      else if (w == "fs") format.heightTwips = p * 10;
      else if (w == "f" && p >= 0 && p < static_cast<long>(fonts.size())) format.face = fonts[p];
    }
  }
};

}  // namespace

void MemoryEditControl::SetRichText(const std::string& rtf, bool selectionOnly) {
  ++richTextCalls;
  RichParser parser(rtf);
  if (!rtf.empty() && rtf[0] == '{') parser.pos = 1;
  Format base = FormatForInsertAt(selectionOnly ? sel_.cpMin : 0);
  // Entry 0 of a colour table is "auto", which the control shows black.
  parser.Group(base);
  if (!selectionOnly) {
    sel_ = {0, Length()};
  }
  long from = sel_.cpMin, to = std::min(sel_.cpMax, Length());
  RememberForUndo();
  text_.erase(from, to - from);
  formats_.erase(formats_.begin() + from, formats_.begin() + to);
  std::string chars;
  std::vector<Format> formats;
  for (const RichChar& rc : parser.out) {
    chars += rc.c;
    formats.push_back(rc.format);
  }
  // Loading a whole text drops the final paragraph mark the writer adds.
  if (!selectionOnly && !chars.empty() && chars.back() == '\r') {
    chars.pop_back();
    formats.pop_back();
  }
  text_.insert(from, chars);
  formats_.insert(formats_.begin() + from, formats.begin(), formats.end());
  long caret = selectionOnly ? from + static_cast<long>(chars.size()) : 0;
  sel_ = {caret, caret};
  if (!selectionOnly) {
    undo_.clear();
    redo_.clear();
  }
}
