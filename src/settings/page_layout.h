#pragma once
// Our own page layout, for editing controls that do not lay out pages
// themselves: the text's lines, in the looks the control shows, placed on
// pages inside a page rectangle.
#include <string>
#include <vector>

#include "editor/rich_text.h"
#include "platform/printer.h"

struct PlacedRun {
  long x = 0, y = 0;   // left and line top, twips
  std::string text;
  CharLook look;
};
using PageRuns = std::vector<PlacedRun>;

// The page rectangle: one physical offset inside the printable area at the
// left and top, to its right and bottom edges, in twips.
TwipsRect PageRectangle(const PrinterMetrics& m);

// `text` holds '\r' between lines and `looks` one look per character. A
// line wider than the page continues on the next line; a tab moves to the
// next half inch, as the control's default tab stops do. Every page holds
// at least one line, so the pages always come to an end. `plain` is the
// look of an empty text.
std::vector<PageRuns> LayOutPages(const std::string& text, const std::vector<CharLook>& looks,
                                  const CharLook& plain, const TwipsRect& page, Printer& measure);
