#pragma once
// Formatted text in the control's rich-text form, so a whole highlighted
// script reaches the control in one transfer instead of one format call per
// stretch (each call costs time in proportion to the document's length).
#include <string>
#include <vector>

#include "editor/format_runs.h"

struct RichTextLine {
  std::string text;
  std::vector<FormatRun> runs;   // stretches no run covers are plain black
};

std::string BuildRichText(const std::vector<RichTextLine>& lines, const std::string& face, int points);
