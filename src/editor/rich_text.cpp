#include "editor/rich_text.h"

#include <algorithm>
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

// A face name ends at its first unescaped ';', so a ';' in the name itself,
// like any byte outside plain ASCII, goes as "\'xx".
void AppendFaceEscaped(std::string& out, unsigned char c) {
  if (c == ';' || c < 0x20 || c >= 0x80) {
    char hex[8];
    std::snprintf(hex, sizeof(hex), "\\'%02x", c);
    out += hex;
  } else {
    AppendEscaped(out, c);
  }
}

// The nearest half point the form can carry.
long HalfPointsOf(int32_t heightTwips) {
  long halfPoints = (static_cast<long>(heightTwips) + 5) / 10;
  return std::min<long>(std::max<long>(halfPoints, 0), kMaxHalfPoints);
}

}  // namespace

std::string WriteRichText(const std::string& text, const std::vector<CharLook>& looks, RichTextTarget target) {
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
    for (unsigned char c : face) AppendFaceEscaped(fonts, c);
    fonts += ";}";
    return index;
  };

  std::string body;
  body.reserve(text.size() + text.size() / 4);
  CharLook current;
  for (size_t i = 0; i < text.size(); ++i) {
    const CharLook& look = looks[i];
    const bool first = i == 0;
    if (first || look != current) {
      const size_t before = body.size();
      // The first character names its font even when the face is empty:
      // the default font is whichever face was met first.
      if (first || look.face != current.face) body += "\\f" + std::to_string(fontOf(look.face));
      if (first || look.heightTwips != current.heightTwips)
        body += "\\fs" + std::to_string(HalfPointsOf(look.heightTwips));
      if (first || look.color != current.color) body += "\\cf" + std::to_string(colorOf(look.color));
      uint32_t was = first ? ~look.effects : current.effects;
      uint32_t changed = look.effects ^ was;
      if (changed & 1) body += (look.effects & 1) ? "\\b" : "\\b0";
      if (changed & 2) body += (look.effects & 2) ? "\\i" : "\\i0";
      if (changed & 4) body += (look.effects & 4) ? "\\ul" : "\\ulnone";
      if (changed & 8) body += (look.effects & 8) ? "\\strike" : "\\strike0";
      // Looks may differ only where the form cannot tell them apart (the
      // same half point, effects beyond the four): then no word was written,
      // and a delimiter would stand in the text as a space.
      if (body.size() != before) body += ' ';
      current = look;
    }
    if (text[i] == '\r') body += "\\par\n";
    else AppendEscaped(body, static_cast<unsigned char>(text[i]));
  }
  // The control drops the last paragraph mark of a loaded text: give it one
  // to drop, so an empty last line survives.
  body += target == RichTextTarget::WholeText ? "\\par\n}" : "}";
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

// One open group. Groups are kept on a stack of their own rather than the
// call stack: the control's text may nest groups far deeper than a thread's
// stack can hold frames.
struct Frame {
  ReadState state;
  int skipCount = 0;  // characters still to drop after a \u
  bool first = true;  // no content seen yet: a destination word may follow
};

long Clamp(long value, long low, long high) { return value < low ? low : value > high ? high : value; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

class Reader {
 public:
  Reader(const std::string& src, std::string& text, std::vector<CharLook>& looks, RichTextTarget target)
      : src_(src), text_(text), looks_(looks), target_(target) {}

  bool Run() {
    if (src_.compare(0, 5, "{\\rtf") != 0) return false;
    Frame outer;
    outer.state.look.heightTwips = 240;
    stack_.push_back(outer);
    pos_ = 1;
    if (!Groups()) return false;
    if (target_ == RichTextTarget::WholeText && !text_.empty() && text_.back() == '\r') {
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
      // strtol saturates, so a parameter of any length stays defined.
      param = std::strtol(src_.substr(start, pos_ - start).c_str(), nullptr, 10);
      hasParam = true;
    }
    if (pos_ < src_.size() && src_[pos_] == ' ') ++pos_;
    return word;
  }

  // After "\'": the byte its two hex digits name. Anything else is consumed
  // and names nothing.
  bool HexByte(char& byte) {
    int high = pos_ < src_.size() ? HexDigit(src_[pos_]) : -1;
    int low = pos_ + 1 < src_.size() ? HexDigit(src_[pos_ + 1]) : -1;
    pos_ = std::min(pos_ + 2, src_.size());
    if (high < 0 || low < 0) return false;
    byte = static_cast<char>(high * 16 + low);
    return true;
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
        uint32_t level = static_cast<uint32_t>(Clamp(p, 0, 255));
        if (w == "red") r = level, any = true;
        if (w == "green") g = level, any = true;
        if (w == "blue") b = level, any = true;
      } else {
        ++pos_;
      }
    }
    ++pos_;
  }

  // A name holds escaped characters just as the body does: an escaped brace
  // or backslash, or a "\'xx" (how a ';' in a name is written), is part of it.
  void FontTable() {
    int depth = 1, number = 0;
    std::string name;
    while (pos_ < src_.size() && depth > 0) {
      char c = src_[pos_++];
      if (c == '{') {
        if (src_.compare(pos_, 2, "\\*") == 0) SkipGroup();  // alternative names, panose
        else ++depth;
      } else if (c == '}') {
        --depth;
      } else if (c == '\\') {
        if (pos_ >= src_.size()) break;
        char next = src_[pos_];
        if (next == '\\' || next == '{' || next == '}') {
          ++pos_;
          name += next;
        } else if (next == '\'') {
          ++pos_;
          char byte;
          if (HexByte(byte)) name += byte;
        } else if (std::isalpha(static_cast<unsigned char>(next))) {
          long p;
          bool has;
          std::string w = Word(p, has);
          if (w == "f") number = static_cast<int>(Clamp(p, INT32_MIN, INT32_MAX)), name.clear();
        } else {
          ++pos_;
        }
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

  // A character of the text, unless a \u is still dropping its stand-ins.
  void Text(char c) {
    Frame& frame = stack_.back();
    frame.first = false;
    if (frame.skipCount > 0) {
      --frame.skipCount;
      return;
    }
    Emit(c, frame.state);
  }

  // Reads until the outermost group closes or the input ends. False when the
  // groups nest deeper than the reader follows.
  bool Groups() {
    while (pos_ < src_.size() && !stack_.empty()) {
      char c = src_[pos_++];
      if (c == '}') {
        stack_.pop_back();
        continue;
      }
      if (c == '{') {
        if (stack_.size() >= kMaxRichTextDepth) return false;
        stack_.back().first = false;
        Frame inner;
        inner.state = stack_.back().state;
        stack_.push_back(inner);
        continue;
      }
      if (c == '\r' || c == '\n') continue;
      if (c != '\\') {
        Text(c);
        continue;
      }
      if (pos_ >= src_.size()) break;
      char next = src_[pos_];
      if (next == '\\' || next == '{' || next == '}') {
        ++pos_;
        Text(next);
        continue;
      }
      if (next == '\'') {
        ++pos_;
        char byte;
        if (HexByte(byte)) Text(byte);
        continue;
      }
      if (next == '*') {  // an optional destination we do not know
        ++pos_;
        SkipGroup();
        stack_.pop_back();
        continue;
      }
      Frame& frame = stack_.back();
      ReadState& state = frame.state;
      if (next == '~') { ++pos_; Emit(' ', state); continue; }
      if (next == '\r' || next == '\n') { ++pos_; Emit('\r', state); continue; }
      if (!std::isalpha(static_cast<unsigned char>(next))) { ++pos_; continue; }
      long p;
      bool has;
      std::string w = Word(p, has);
      if (frame.first && (w == "fonttbl" || w == "colortbl" || w == "stylesheet" || w == "info" ||
                          w == "pict" || w == "listtable" || w == "listoverridetable" ||
                          w == "rsidtbl" || w == "generator")) {
        if (w == "fonttbl") FontTable();
        else if (w == "colortbl") ColorTable();
        else SkipGroup();
        stack_.pop_back();
        continue;
      }
      frame.first = false;
      CharLook& look = state.look;
      if (w == "par" || w == "line") Emit('\r', state);
      else if (w == "tab") Emit('\t', state);
      else if (w == "cf") look.color = p >= 0 && p < static_cast<long>(colors_.size()) && colors_[p] != kAuto ? colors_[p] : 0;
      else if (w == "b") look.effects = (has && p == 0) ? look.effects & ~1u : look.effects | 1u;
      else if (w == "i") look.effects = (has && p == 0) ? look.effects & ~2u : look.effects | 2u;
      else if (w == "ul") look.effects = (has && p == 0) ? look.effects & ~4u : look.effects | 4u;
      else if (w == "ulnone") look.effects &= ~4u;
      else if (w == "strike") look.effects = (has && p == 0) ? look.effects & ~8u : look.effects | 8u;
      else if (w == "fs") look.heightTwips = static_cast<int32_t>(Clamp(p, 0, kMaxHalfPoints) * 10);
      else if (w == "f") state.font = static_cast<int>(Clamp(p, INT32_MIN, INT32_MAX));
      else if (w == "plain") { look.color = 0; look.effects = 0; look.heightTwips = 240; state.font = 0; }
      else if (w == "uc") state.unicodeSkip = static_cast<int>(Clamp(p, 0, 16));
      else if (w == "u") { Emit('?', state); frame.skipCount = state.unicodeSkip; }
    }
    return true;
  }

  static constexpr uint32_t kAuto = 0xFFFFFFFFu;
  const std::string& src_;
  std::string& text_;
  std::vector<CharLook>& looks_;
  const RichTextTarget target_;
  size_t pos_ = 0;
  std::vector<Frame> stack_;
  std::vector<uint32_t> colors_;
  std::map<int, std::string> fonts_;
};

}  // namespace

bool ReadRichText(const std::string& rtf, std::string& text, std::vector<CharLook>& looks,
                  RichTextTarget target) {
  text.clear();
  looks.clear();
  return Reader(rtf, text, looks, target).Run();
}
