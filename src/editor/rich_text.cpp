#include "editor/rich_text.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <map>

// ---- Writing ---------------------------------------------------------------

namespace {

void AppendEscaped(std::string& out, unsigned char c) {
  if (c == '\\' || c == '{' || c == '}') {
    out += '\\';
    out += static_cast<char>(c);
  } else if (c == '\t') {
    out += "\\tab ";
  } else if (c < 0x20 || c >= 0x80) {
    char hex[8];
    std::snprintf(hex, sizeof(hex), "\\'%02x", c);
    out += hex;
  } else {
    out += static_cast<char>(c);
  }
}

}  // namespace

std::string WriteRichText(const std::string& text, const std::vector<CharLook>& looks) {
  std::map<uint32_t, int> colorIndex;
  std::string colors;
  auto colorOf = [&](uint32_t c) {
    auto it = colorIndex.find(c);
    if (it != colorIndex.end()) return it->second;
    int index = static_cast<int>(colorIndex.size()) + 1;
    colorIndex[c] = index;
    char entry[64];
    std::snprintf(entry, sizeof(entry), "\\red%u\\green%u\\blue%u;", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    colors += entry;
    return index;
  };
  std::map<std::string, int> fontIndex;
  std::string fonts;
  auto fontOf = [&](const std::string& face) {
    auto it = fontIndex.find(face);
    if (it != fontIndex.end()) return it->second;
    int index = static_cast<int>(fontIndex.size());
    fontIndex[face] = index;
    fonts += "{\\f" + std::to_string(index) + " ";
    for (unsigned char c : face) AppendEscaped(fonts, c);
    fonts += ";}";
    return index;
  };

  std::string body;
  body.reserve(text.size() + text.size() / 4);
  CharLook current;
  current.color = 0xFFFFFFFFu;  // forces the first character's look out
  current.heightTwips = -1;
  for (size_t i = 0; i < text.size(); ++i) {
    const CharLook& look = looks[i];
    if (look != current) {
      if (look.face != current.face) body += "\\f" + std::to_string(fontOf(look.face));
      if (look.heightTwips != current.heightTwips) body += "\\fs" + std::to_string(look.heightTwips / 10);
      if (look.color != current.color) body += "\\cf" + std::to_string(colorOf(look.color));
      uint32_t was = current.color == 0xFFFFFFFFu ? ~look.effects : current.effects;
      uint32_t changed = look.effects ^ was;
      if (changed & 1) body += (look.effects & 1) ? "\\b" : "\\b0";
      if (changed & 2) body += (look.effects & 2) ? "\\i" : "\\i0";
      if (changed & 4) body += (look.effects & 4) ? "\\ul" : "\\ulnone";
      if (changed & 8) body += (look.effects & 8) ? "\\strike" : "\\strike0";
      body += ' ';
      current = look;
    }
    if (text[i] == '\r') body += "\\par\n";
    else AppendEscaped(body, static_cast<unsigned char>(text[i]));
  }
  // The control drops the last paragraph mark of a loaded text: give it one
  // to drop, so an empty last line survives.
  body += "\\par\n}";
  if (fontIndex.empty()) fontOf("");
  return "{\\rtf1\\ansi\\deff0{\\fonttbl" + fonts + "}{\\colortbl ;" + colors + "}" + body;
}

// ---- Reading ---------------------------------------------------------------

namespace {

struct ReadState {
  CharLook look;
  int font = 0;
  int unicodeSkip = 1;
};

class Reader {
 public:
  Reader(const std::string& src, std::string& text, std::vector<CharLook>& looks)
      : src_(src), text_(text), looks_(looks) {}

  bool Run() {
    if (src_.compare(0, 5, "{\\rtf") != 0) return false;
    ReadState state;
    state.look.heightTwips = 240;
    pos_ = 1;
    Group(state);
    if (!text_.empty() && text_.back() == '\r') {
      text_.pop_back();
      looks_.pop_back();
    }
    return true;
  }

 private:
  std::string Word(long& param, bool& hasParam) {
    std::string word;
    while (pos_ < src_.size() && std::isalpha(static_cast<unsigned char>(src_[pos_]))) word += src_[pos_++];
    hasParam = false;
    param = 0;
    size_t start = pos_;
    if (pos_ < src_.size() && (src_[pos_] == '-' || std::isdigit(static_cast<unsigned char>(src_[pos_])))) {
      ++pos_;
      while (pos_ < src_.size() && std::isdigit(static_cast<unsigned char>(src_[pos_]))) ++pos_;
      param = std::strtol(src_.substr(start, pos_ - start).c_str(), nullptr, 10);
      hasParam = true;
    }
    if (pos_ < src_.size() && src_[pos_] == ' ') ++pos_;
    return word;
  }

  void SkipGroup() {
    int depth = 1;
    while (pos_ < src_.size() && depth > 0) {
      char c = src_[pos_++];
      if (c == '\\') ++pos_;
      else if (c == '{') ++depth;
      else if (c == '}') --depth;
    }
  }

  void ColorTable() {
    uint32_t r = 0, g = 0, b = 0;
    bool any = false;
    while (pos_ < src_.size() && src_[pos_] != '}') {
      char c = src_[pos_];
      if (c == ';') {
        colors_.push_back(any ? (r | g << 8 | b << 16) : kAuto);
        r = g = b = 0;
        any = false;
        ++pos_;
      } else if (c == '\\') {
        ++pos_;
        long p;
        bool has;
        std::string w = Word(p, has);
        if (w == "red") r = p, any = true;
        if (w == "green") g = p, any = true;
        if (w == "blue") b = p, any = true;
      } else {
        ++pos_;
      }
    }
    ++pos_;
  }

  void FontTable() {
    int depth = 1, number = 0;
    std::string name;
    while (pos_ < src_.size() && depth > 0) {
      char c = src_[pos_++];
      if (c == '{') {
        ++depth;
      } else if (c == '}') {
        --depth;
      } else if (c == '\\') {
        if (pos_ < src_.size() && src_[pos_] == '*') { ++pos_; continue; }
        long p;
        bool has;
        std::string w = Word(p, has);
        if (w == "f") number = static_cast<int>(p), name.clear();
      } else if (c == ';') {
        fonts_[number] = name;
        name.clear();
      } else if (c != '\r' && c != '\n') {
        name += c;
      }
    }
  }

  void Emit(char c, const ReadState& s) {
    text_ += c;
    CharLook look = s.look;
    auto font = fonts_.find(s.font);
    look.face = font == fonts_.end() ? "" : font->second;
    looks_.push_back(look);
  }

  void Group(ReadState state) {
    int skipCount = 0;  // characters still to drop after a \u
    bool first = true;
    while (pos_ < src_.size()) {
      char c = src_[pos_++];
      if (c == '}') return;
      if (c == '{') {
        Group(state);
        first = false;
        continue;
      }
      if (c == '\r' || c == '\n') continue;
      if (c != '\\') {
        if (skipCount > 0) { --skipCount; continue; }
        Emit(c, state);
        first = false;
        continue;
      }
      if (pos_ >= src_.size()) return;
      char next = src_[pos_];
      if (next == '\\' || next == '{' || next == '}') {
        ++pos_;
        if (skipCount > 0) { --skipCount; continue; }
        Emit(next, state);
        continue;
      }
      if (next == '\'') {
        char hex[3] = {pos_ + 1 < src_.size() ? src_[pos_ + 1] : '0', pos_ + 2 < src_.size() ? src_[pos_ + 2] : '0', 0};
        pos_ += 3;
        if (skipCount > 0) { --skipCount; continue; }
        Emit(static_cast<char>(std::strtol(hex, nullptr, 16)), state);
        continue;
      }
      if (next == '*') {  // an optional destination we do not know
        ++pos_;
        SkipGroup();
        return;
      }
      if (next == '~') { ++pos_; Emit(' ', state); continue; }
      if (next == '\r' || next == '\n') { ++pos_; Emit('\r', state); continue; }
      if (!std::isalpha(static_cast<unsigned char>(next))) { ++pos_; continue; }
      long p;
      bool has;
      std::string w = Word(p, has);
      if (first && (w == "fonttbl")) { FontTable(); return; }
      if (first && w == "colortbl") { ColorTable(); return; }
      if (first && (w == "stylesheet" || w == "info" || w == "pict" || w == "listtable" ||
                    w == "listoverridetable" || w == "rsidtbl" || w == "generator")) {
        SkipGroup();
        return;
      }
      first = false;
      CharLook& look = state.look;
      if (w == "par" || w == "line") Emit('\r', state);
      else if (w == "tab") Emit('\t', state);
      else if (w == "cf") look.color = p >= 0 && p < static_cast<long>(colors_.size()) && colors_[p] != kAuto ? colors_[p] : 0;
      else if (w == "b") look.effects = (has && p == 0) ? look.effects & ~1u : look.effects | 1u;
      else if (w == "i") look.effects = (has && p == 0) ? look.effects & ~2u : look.effects | 2u;
      else if (w == "ul") look.effects = (has && p == 0) ? look.effects & ~4u : look.effects | 4u;
      else if (w == "ulnone") look.effects &= ~4u;
      else if (w == "strike") look.effects = (has && p == 0) ? look.effects & ~8u : look.effects | 8u;
      else if (w == "fs") look.heightTwips = static_cast<int32_t>(p * 10);
      else if (w == "f") state.font = static_cast<int>(p);
      else if (w == "plain") { look.color = 0; look.effects = 0; look.heightTwips = 240; state.font = 0; }
      else if (w == "uc") state.unicodeSkip = static_cast<int>(p);
      else if (w == "u") { Emit('?', state); skipCount = state.unicodeSkip; }
    }
  }

  static constexpr uint32_t kAuto = 0xFFFFFFFFu;
  const std::string& src_;
  std::string& text_;
  std::vector<CharLook>& looks_;
  size_t pos_ = 0;
  std::vector<uint32_t> colors_;
  std::map<int, std::string> fonts_;
};

}  // namespace

bool ReadRichText(const std::string& rtf, std::string& text, std::vector<CharLook>& looks) {
  text.clear();
  looks.clear();
  return Reader(rtf, text, looks).Run();
}
