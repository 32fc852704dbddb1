#include "editor/rich_text_writer.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace {

void AppendEscaped(std::string& out, const std::string& text, size_t from, size_t to) {
  for (size_t i = from; i < to; ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
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
}

struct Look {
  uint32_t color = 0;
  uint32_t effects = 0;
};

}  // namespace

std::string BuildRichText(const std::vector<RichTextLine>& lines, const std::string& face, int points) {
  // Colour table: entry 0 is black, then every colour in first-use order.
  std::map<uint32_t, int> colorIndex{{0u, 1}};
  std::vector<uint32_t> colors{0u};
  for (const RichTextLine& line : lines)
    for (const FormatRun& run : line.runs)
      if (run.setsColor && !colorIndex.count(run.color)) {
        colorIndex[run.color] = static_cast<int>(colors.size()) + 1;
        colors.push_back(run.color);
      }

  std::string out = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 ";
  AppendEscaped(out, face, 0, face.size());
  out += ";}}{\\colortbl ;";
  for (uint32_t c : colors) {
    char entry[64];
    std::snprintf(entry, sizeof(entry), "\\red%u\\green%u\\blue%u;", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    out += entry;
  }
  out += "}\\f0\\fs" + std::to_string(points * 2) + "\\cf1 ";

  Look current;
  auto switchTo = [&](const Look& look) {
    if (look.color != current.color) out += "\\cf" + std::to_string(colorIndex[look.color]);
    uint32_t changed = look.effects ^ current.effects;
    if (changed & 1) out += (look.effects & 1) ? "\\b" : "\\b0";
    if (changed & 2) out += (look.effects & 2) ? "\\i" : "\\i0";
    if (changed & 4) out += (look.effects & 4) ? "\\ul" : "\\ulnone";
    if (look.color != current.color || changed) out += ' ';
    current = look;
  };

  for (size_t n = 0; n < lines.size(); ++n) {
    const RichTextLine& line = lines[n];
    const int length = static_cast<int>(line.text.size());
    int column = 1;
    for (const FormatRun& run : line.runs) {
      int start = std::clamp(run.start, 1, length + 1);
      int end = run.end < 0 ? length + 1 : std::clamp(run.end, start, length + 1);
      if (start > column) {
        switchTo(Look{});
        AppendEscaped(out, line.text, column - 1, start - 1);
      }
      switchTo(Look{run.setsColor ? run.color : 0u, run.setsEffects ? run.effects : 0u});
      AppendEscaped(out, line.text, start - 1, end - 1);
      column = std::max(column, end);
    }
    if (column <= length) {
      switchTo(Look{});
      AppendEscaped(out, line.text, column - 1, length);
    }
    // The control drops the last paragraph mark of a loaded text, so every
    // line gets one and an empty last line survives.
    switchTo(Look{});
    out += "\\par\n";
  }
  out += "}";
  return out;
}
